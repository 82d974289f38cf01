#include "masters/InitialData.h"

#include "data/DataFiles.h"
#include "masters/FoodGroupRanges.h"
#include "masters/FoodImport.h"
#include "store/FieldText.h"
#include "store/Prompter.h"
#include "store/Session.h"
#include "store/Sql.h"
#include "store/StoreError.h"
#include "store/TableCsv.h"
#include "store/Transaction.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;
using store::Sql::exec;

namespace masters {

namespace {

const QString kFoodFile = u"foods2023.csv"_s;

// The column orders of the group exchange files, as the group screen writes
// them (the range file's order is not the table's field order).
const QList<store::CsvColumn> kGroupColumns = {
    {u"SyokuGun_ID"_s, {}}, {u"SyokuGunmei"_s, {}}, {u"S1"_s, {}}, {u"S2"_s, {}}, {u"D"_s, {}}};
const QList<store::CsvColumn> kGroup2Columns = {{u"SyokuGun_ID"_s, {}}, {u"SyokuGunmei"_s, {}}};
const QList<store::CsvColumn> kRangeColumns = {
    {u"S_ID"_s, {}}, {u"SyokuGun_ID"_s, {}}, {u"SyokuID1"_s, {}}, {u"SyokuID2"_s, {}}};

store::FieldDef fieldOf(const QList<store::FieldDef>& fields, const QString& table,
                        const QString& name)
{
    for (const store::FieldDef& f : fields)
        if (f.name.compare(name, Qt::CaseInsensitive) == 0)
            return f;
    throw store::StoreError(u"%1 に項目 %2 がありません。"_s.arg(table, name));
}

int foodLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw store::StoreError(u"初期データのファイルがありません: "_s + kFoodFile);
    int lines = 0;
    for (const QByteArray& l : file.readAll().split('\n'))
        if (!l.trimmed().isEmpty())
            ++lines;
    return lines - 1; // the heading
}

} // namespace

QStringList InitialData::tables()
{
    return {u"SyokuM"_s,   u"SyokuGunM"_s, u"SyokuGunMb"_s, u"SyokuGunM2"_s, u"SyokuGunM2b"_s,
            u"SyokujiM"_s, u"TaisyoM"_s,   u"WG"_s,         u"RyoriM"_s,     u"RyoriD"_s};
}

QStringList InitialData::tablesInUse(const QSqlDatabase& aaa)
{
    QStringList inUse;
    for (const QString& t : tables()) {
        // The schema upgrade adds the potassium standard to an empty WG.
        const QString others = t == u"WG"_s ? u" WHERE WG_ID<>12"_s : QString();
        if (store::Sql::scalar(aaa,
                               u"SELECT 1 FROM "_s + store::Sql::quoted(t) + others + u" LIMIT 1"_s)
                .isValid())
            inUse << t;
    }
    return inUse;
}

void InitialData::importUtf8(const QSqlDatabase& db, const QString& file, const QString& table,
                             const QStringList& fields)
{
    const QList<store::FieldDef> all = store::FieldText::fieldsOf(db, table);
    QList<store::FieldDef> defs;
    QStringList names, marks;
    for (const QString& f : fields) {
        defs << fieldOf(all, table, f);
        names << store::Sql::quoted(f);
        marks << u"?"_s;
    }
    const QString insert = u"INSERT INTO %1 (%2) VALUES (%3)"_s.arg(
        store::Sql::quoted(table), names.join(u", "_s), marks.join(u", "_s));
    const QList<QStringList> records = data::DataFiles::readUtf8(file);
    if (!records.isEmpty() && records.first().size() < fields.size())
        throw store::StoreError(u"初期データのファイル %1 の項目が足りません。"_s.arg(file));
    store::Transaction tx(db);
    for (const QStringList& rec : records) {
        QVariantList values;
        for (qsizetype k = 0; k < defs.size(); ++k)
            values << store::FieldText::fromText(defs.at(k), rec.at(k));
        exec(db, insert, values);
    }
    tx.commit();
}

void InitialData::load(store::Session& session, const Progress& progress)
{
    const QSqlDatabase db = session.aaa();
    const QStringList inUse = tablesInUse(db);
    if (!inUse.isEmpty())
        throw store::StoreError(
            u"既にデータが登録されているので、初期データは読み込みません。（%1）"_s.arg(
                inUse.join(u"、"_s)));
    const auto report = [&](const QString& step) {
        return [&progress, step](int done, int total) {
            if (progress)
                progress(step, done, total);
        };
    };

    store::Transaction tx(db);

    const QString foodStep = u"食品マスター"_s;
    const QString foodPath = data::DataFiles::path(kFoodFile);
    const int expected = foodLines(foodPath);
    report(foodStep)(0, expected);
    // The merge reports a line it cannot store and goes on; here any such
    // line is a fault of the delivered file.
    store::ScriptedPrompter refused({store::Answer::No});
    const int stored = FoodImport::ImportFoodCsv(db, foodPath, refused, report(foodStep));
    if (!refused.shown().isEmpty() || stored != expected)
        throw store::StoreError(
            u"食品データの %1 行を登録できませんでした。（%2）"_s.arg(expected - stored)
                .arg(refused.shown().join(u"、"_s)));

    FoodImport::NormaliseNames(db, report(u"食品名の変換"_s));
    FoodImport::TrimNames(db, report(u"食品名の空白の削除"_s));

    const QString groupStep = u"食品群"_s;
    report(groupStep)(0, 4);
    // Progress counts the files; the step ends with the number of groups.
    const struct {
        QString file, table;
        const QList<store::CsvColumn>& columns;
    } groupFiles[] = {{u"groups1A.CSV"_s, u"SyokuGunM"_s, kGroupColumns},
                      {u"groups1B.CSV"_s, u"SyokuGunMb"_s, kRangeColumns},
                      {u"groups2A.CSV"_s, u"SyokuGunM2"_s, kGroup2Columns},
                      {u"groups2B.CSV"_s, u"SyokuGunM2b"_s, kRangeColumns}};
    int done = 0;
    for (const auto& g : groupFiles) {
        const QString path = data::DataFiles::path(g.file);
        if (!QFileInfo::exists(path))
            throw store::StoreError(u"初期データのファイルがありません: "_s + g.file);
        store::TableCsv::ImportTableCsv(db, path, g.table, store::TableCsv::ImportMode::Replace,
                                        g.columns);
        if (++done < 4)
            report(groupStep)(done, 4);
    }
    const int groups = store::Sql::scalar(db, u"SELECT (SELECT COUNT(*) FROM SyokuGunM) + "
                                              u"(SELECT COUNT(*) FROM SyokuGunM2)"_s)
                           .toInt();
    report(groupStep)(groups, groups);
    FoodGroupRanges::ApplyRanges(db, report(u"食品群の分類"_s));

    const QString listStep = u"食事区分・対象区分"_s;
    report(listStep)(0, 1);
    importUtf8(db, u"meals.csv"_s, u"SyokujiM"_s, {u"Syokuji_ID"_s, u"Syokujimei"_s});
    importUtf8(db, u"targets.csv"_s, u"TaisyoM"_s, {u"Taisyo_ID"_s, u"Taisyomei"_s});
    const int names = store::Sql::scalar(db, u"SELECT (SELECT COUNT(*) FROM SyokujiM) + "
                                             u"(SELECT COUNT(*) FROM TaisyoM)"_s)
                          .toInt();
    report(listStep)(names, names);

    const QString standardStep = u"栄養基準値"_s;
    report(standardStep)(0, 1);
    exec(db, u"DELETE FROM WG"_s);
    importUtf8(db, u"standards.csv"_s, u"WG"_s, {u"WG_ID"_s, u"Meisyo"_s, u"S1"_s, u"S2"_s});
    const int standards = store::Sql::scalar(db, u"SELECT COUNT(*) FROM WG"_s).toInt();
    report(standardStep)(standards, standards);

    const QString dishStep = u"料理マスター"_s;
    report(dishStep)(0, 1);
    importUtf8(db, u"dishes.csv"_s, u"RyoriM"_s, {u"Ryori_ID"_s, u"Ryoriemei"_s});
    importUtf8(db, u"dish_foods.csv"_s, u"RyoriD"_s,
               {u"Ryori_ID"_s, u"SubNo"_s, u"Syoku_ID"_s, u"Suryo1"_s, u"Suryo2"_s});
    const int dishes = store::Sql::scalar(db, u"SELECT COUNT(*) FROM RyoriM"_s).toInt();
    report(dishStep)(dishes, dishes);

    tx.commit();
}

} // namespace masters
