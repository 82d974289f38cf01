#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <functional>

namespace store {
class Session;
}

namespace masters {

// What a new installation is filled with, from the files delivered with the
// program (data/README.md): the foods of the food-composition tables, the
// two food-group classifications with their ranges applied to every food,
// the meal types, the target groups, the thirteen nutrient standards and
// the sample dishes.
//
// The foods go in the way the food master's own merge puts them: through
// ImportFoodCsv, then the name normalisation; then the names are trimmed as
// "前方の空白を削除" would, so that no name starts with the blank that the
// removal of a leading ［…］ section leaves.
class InitialData {
public:
    // step names a part of the work; done runs from 0 to total within it.
    using Progress = std::function<void(const QString& step, int done, int total)>;

    // Fills the user tables of a new installation in one transaction: all of
    // it or nothing. Refuses (store::StoreError) when any of the tables it
    // fills already holds data, so that a user's data is never overwritten;
    // the potassium row that the schema upgrade puts into WG does not count
    // and is replaced by the delivered standards.
    static void load(store::Session& session, const Progress& progress = {});

    // The tables that load() fills, in the order it fills them.
    static QStringList tables();
    // Those of them that already hold data (a new installation has none).
    static QStringList tablesInUse(const QSqlDatabase& aaa);

    // Appends the records of a delivered UTF-8 file to table: value k of a
    // record goes to fields[k] (values beyond the fields are not loaded),
    // converted and cut as the field's type and size require.
    static void importUtf8(const QSqlDatabase& db, const QString& file, const QString& table,
                           const QStringList& fields);
};

} // namespace masters
