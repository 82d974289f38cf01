#include "store/TableCatalogue.h"
#include "store/Sql.h"
#include "store/StoreError.h"
#include "store/TableCopy.h"
#include "store/TableScripts.h"
#include "store/Transaction.h"
#include "support/TempInstall.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using store::FieldType;
using store::Sql::exec;
using store::Sql::scalar;

TEST(TableCatalogue, ReadsTheTableScriptWithItsTypesSizesKeysAndIndexes)
{
    const auto tables = store::TableCatalogue::mainTables();
    QStringList names;
    for (const auto& t : tables)
        names << t.name;
    // WG2 is commented out in the script and creates nothing.
    EXPECT_EQ(names, (QStringList{u"SyokuM"_s, u"WG"_s, u"AveM"_s, u"SyokujiM"_s, u"TaisyoM"_s,
                                  u"SyokuGunM"_s, u"SyokuGunMb"_s, u"SyokuGunM2"_s,
                                  u"SyokuGunM2b"_s, u"RyoriM"_s, u"RyoriD"_s, u"kondateM"_s,
                                  u"kondateM2"_s, u"kondateM3"_s, u"kondateD"_s, u"GyosyaM"_s}));
    const auto& syokuM = tables.at(0);
    EXPECT_EQ(syokuM.fields.size(), 30);
    EXPECT_EQ(syokuM.field(u"SyokuMei"_s)->size, 40);
    EXPECT_EQ(syokuM.field(u"K"_s)->type, FieldType::Float);
    EXPECT_EQ(syokuM.primaryKey, QStringList{u"Syoku_ID"_s});
    const auto& kondateM = tables.at(11);
    EXPECT_EQ(kondateM.field(u"Kondate_ID"_s)->type, FieldType::AutoInc);
    EXPECT_EQ(kondateM.field(u"kijitu"_s)->type, FieldType::Date);
    ASSERT_EQ(kondateM.indexes.size(), 1);
    EXPECT_EQ(kondateM.indexes.at(0).fields, QStringList{u"kijitu"_s});
    EXPECT_EQ(tables.at(15).field(u"kin3"_s)->type, FieldType::Money);
    EXPECT_EQ(tables.at(14).primaryKey,
              (QStringList{u"Kondate_ID"_s, u"K1"_s, u"K2"_s, u"Ryori_ID"_s, u"SubNo"_s}));
}

TEST(TableCatalogue, LeavesExistingTablesAsTheyAre)
{
    TempInstall install;
    auto s = install.openSession();
    const auto db = s->aaa();
    exec(db, u"CREATE TABLE SyokuM (Syoku_ID TEXT(10), SyokuMei TEXT(40))"_s);
    exec(db, u"INSERT INTO SyokuM VALUES ('01001', 'x')"_s);
    store::TableCatalogue::apply(db, store::TableScripts::mainTables());
    EXPECT_EQ(store::Sql::fieldNames(db, u"SyokuM"_s).size(), 2);
    EXPECT_EQ(scalar(db, u"SELECT COUNT(*) FROM SyokuM"_s).toInt(), 1);
    EXPECT_TRUE(store::Sql::tableExists(db, u"GyosyaM"_s));
    // The menu-day key numbers rows itself.
    exec(db, u"INSERT INTO kondateM (kijitu) VALUES ('2026-04-01')"_s);
    exec(db, u"INSERT INTO kondateM (kijitu) VALUES ('2026-04-02')"_s);
    EXPECT_EQ(scalar(db, u"SELECT MAX(Kondate_ID) FROM kondateM"_s).toInt(), 2);
}

TEST(TableCatalogue, WorkAndPurchaseTablesAreDefinedToo)
{
    for (const auto& script :
         {store::TableScripts::menuPurchaseTable(), store::TableScripts::carryOverTable(),
          store::TableScripts::expansionWorkTable()}) {
        const auto t = store::TableCatalogue::parse(script).first();
        EXPECT_FALSE(t.primaryKey.isEmpty()) << t.name.toStdString();
    }
    const auto q = store::TableCatalogue::parse(store::TableScripts::menuPurchaseTable()).first();
    EXPECT_EQ(q.field(u"kingaku"_s)->type, FieldType::Money);
    EXPECT_EQ(q.fields.last().name, u"E03"_s);
    const auto w1 = store::TableCatalogue::parse(store::TableScripts::expansionWorkTable()).first();
    EXPECT_EQ(w1.indexes.at(0).name, u"Inx1"_s);
    EXPECT_EQ(w1.fields.last().name, u"K"_s);
    EXPECT_THROW(
        store::TableCatalogue::parse(u"CREATE TABLE IF NOT EXISTS \"x\" (\n\"a\" Blob\n);"_s),
        store::StoreError);
}

TEST(ReplaceTableByCopy, CopiesByFieldNameAsTextAndConvertsWhatDoesNotFit)
{
    TempInstall install;
    auto s = install.openSession();
    const auto db = s->ahm();
    exec(db, u"CREATE TABLE src (id INTEGER, name TEXT(6), gone FLOAT, n TEXT(10))"_s);
    exec(db, u"INSERT INTO src VALUES (1, ?, 1.5, '12')"_s, {u"あいう"_s});
    exec(db, u"INSERT INTO src VALUES (2, 'b', 2, 'x')"_s); // 'x' is no number for the new layout
    exec(db, u"INSERT INTO src VALUES (3, 'c', 3, '7.9')"_s);
    exec(db, u"INSERT INTO src VALUES (4, 'd', 4, NULL)"_s);
    exec(db, u"CREATE TABLE dst (id INTEGER, name TEXT(10), n INTEGER, extra INTEGER)"_s);
    QStringList notes;
    store::TableCopy::ReplaceTableByCopy(db, u"src"_s, u"dst"_s, &notes);
    EXPECT_FALSE(store::Sql::tableExists(db, u"dst"_s));
    EXPECT_EQ(store::Sql::fieldNames(db, u"src"_s),
              (QStringList{u"id"_s, u"name"_s, u"n"_s, u"extra"_s}));
    QSqlQuery q = exec(db, u"SELECT id, name, n FROM src ORDER BY id"_s);
    QStringList rows;
    while (q.next())
        rows << u"%1|%2|%3"_s.arg(q.value(0).toString(), q.value(1).toString(),
                                  q.value(2).toString());
    // No row is left behind: 7.9 is cut as the engine casts, 'x' is emptied.
    EXPECT_EQ(rows, (QStringList{u"1|あいう|12"_s, u"2|b|"_s, u"3|c|7"_s, u"4|d|"_s}));
    ASSERT_EQ(notes.size(), 2);
    EXPECT_TRUE(notes.at(0).contains(u"「x」"_s)) << notes.at(0).toStdString();
    EXPECT_TRUE(notes.at(1).contains(u"「7.9」を「7」"_s)) << notes.at(1).toStdString();
}

TEST(Transaction, RollsBackUnlessCommittedAndNests)
{
    TempInstall install;
    auto s = install.openSession();
    const auto db = s->aaa();
    exec(db, u"CREATE TABLE t (a INTEGER)"_s);
    {
        store::Transaction outer(db);
        exec(db, u"INSERT INTO t VALUES (1)"_s);
        {
            store::Transaction inner(db);
            exec(db, u"INSERT INTO t VALUES (2)"_s);
        } // not committed: only row 2 goes
        outer.commit();
    }
    EXPECT_EQ(scalar(db, u"SELECT group_concat(a) FROM t"_s).toString(), u"1"_s);
    try {
        store::Transaction tx(db);
        exec(db, u"INSERT INTO t VALUES (3)"_s);
        exec(db, u"INSERT INTO nosuchtable VALUES (4)"_s);
        tx.commit();
    } catch (const store::StoreError&) {
    }
    EXPECT_EQ(scalar(db, u"SELECT COUNT(*) FROM t"_s).toInt(), 1);
}
