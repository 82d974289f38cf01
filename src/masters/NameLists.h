#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace masters {

enum class NameList { MealTypes, TargetGroups };

// The two short code lists that classify every menu slot: meal types
// (SyokujiM, K1 = Syokuji_ID - 1) and target groups (TaisyoM,
// K2 = Taisyo_ID). They are meant to stay as shipped, so rows are never
// deleted and the lists never grow beyond three and two rows.
class NameLists {
public:
    // Entries of MealNames and TargetNames.
    static constexpr int SharedSize = 6;

    static QString table(NameList list);
    static QString keyField(NameList list);
    static QString nameField(NameList list);
    // 3 meal types, 2 target groups.
    static int maxRows(NameList list);
    // A new row is allowed only while the list holds fewer than maxRows.
    static bool mayInsert(NameList list, int rowsHeld);
    // The code a new row gets: one past the highest, or the first code of
    // the list (meal type 1, target group 0) when the table is empty.
    static int nextKey(const QSqlDatabase& db, NameList list);
    // The captions screens show until the names are loaded.
    static QStringList builtInCaptions(NameList list);

    // The names in key order, padded with empty entries to SharedSize; at
    // most SharedSize names are read.
    static QStringList load(const QSqlDatabase& db, NameList list);
};

} // namespace masters
