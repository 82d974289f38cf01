#include "menu/DataCheck.h"
#include "masters/StartFolder.h"
#include "store/Prompter.h"
#include "store/StoreError.h"
#include "store/TableCatalogue.h"
#include "store/TableScripts.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using menu::DataCheck;

namespace {

// One menu day (1) whose slots hold a sound dish pair, a dish deleted from
// the dish master and no dish at all; a day (9) that was deleted without
// its rows; a food line and recipe lines whose food or dish is gone.
struct DataCheckFixture : ::testing::Test {
    void SetUp() override
    {
        session.openSettings();
        session.openData();
        exec("INSERT INTO SyokuM (Syoku_ID, SyokuMei) VALUES ('01001', '米'), ('01002', '味噌')");
        exec("INSERT INTO RyoriM (Ryori_ID, Ryoriemei) VALUES ('0101', 'ごはん'), "
             "('0102', 'みそ汁')");
        exec("INSERT INTO RyoriD (Ryori_ID, SubNo, Syoku_ID) VALUES ('0101', 1, '01001'), "
             "('0102', 1, '01002'), ('0102', 2, '09999'), ('0199', 1, '09998')");
        exec("INSERT INTO kondateM (Kondate_ID, kijitu) VALUES (1, '2024-04-01')");
        exec("INSERT INTO kondateM2 (kondate_ID, K1, K2, kondateMei) VALUES (1, 0, 0, NULL), "
             "(1, 1, 0, 'ごはん,カレー,'), (1, 2, 0, '古い名前,'), (9, 0, 0, 'ごはん,')");
        exec("INSERT INTO kondateM3 (kondate_ID, K1, K2, Ryori_ID) VALUES (1, 0, 0, '0102'), "
             "(1, 0, 0, '0101'), (1, 1, 0, '0199'), (1, 1, 0, '0101'), (9, 0, 0, '0101')");
        exec("INSERT INTO kondateD (kondate_ID, K1, K2, Ryori_ID, SubNo, Syoku_ID) VALUES "
             "(1, 0, 0, '0101', 1, '01001'), (1, 0, 0, '0102', 1, '01002'), "
             "(1, 0, 0, '0102', 2, '09999'), (9, 0, 0, '0101', 1, '01001'), "
             "(9, 0, 0, '0101', 2, '09999')");
    }
    void addPurchaseLines()
    {
        store::TableCatalogue::apply(session.aaa(), store::TableScripts::menuPurchaseTable());
        exec("INSERT INTO kondateQ (kondate_ID, k1, Ryori_ID, Syoku_ID) VALUES (1, 0, 101, 1001), "
             "(9, 0, 101, 1001), (9, 99, 99, 99)");
    }
    void exec(const char* sql) { store::Sql::exec(session.aaa(), QString::fromUtf8(sql)); }
    QVariant value(const char* sql)
    {
        return store::Sql::scalar(session.aaa(), QString::fromUtf8(sql));
    }
    QString menuName(int k1)
    {
        const QVariant v = store::Sql::scalar(
            session.aaa(), u"SELECT kondateMei FROM kondateM2 WHERE kondate_ID=1 AND K1=?"_s, {k1});
        return v.isNull() ? u"NULL"_s : v.toString();
    }
    // Every row of the menu and dish tables, in key order.
    QString contents()
    {
        QString out;
        for (const QString& table :
             {u"kondateM2"_s, u"kondateM3"_s, u"kondateD"_s, u"RyoriD"_s, u"kondateQ"_s}) {
            if (!store::Sql::tableExists(session.aaa(), table))
                continue;
            const int n = store::Sql::fieldNames(session.aaa(), table).size();
            QStringList order;
            for (int i = 1; i <= n; ++i)
                order << QString::number(i);
            QSqlQuery q = store::Sql::exec(
                session.aaa(), u"SELECT * FROM %1 ORDER BY %2"_s.arg(table, order.join(u',')));
            while (q.next()) {
                out += table;
                for (int i = 0; i < n; ++i)
                    out += u'|' + q.value(i).toString();
                out += u'\n';
            }
        }
        return out;
    }
    QList<int> removedRows(const DataCheck::Summary& s)
    {
        QList<int> rows;
        for (const DataCheck::Removal& r : s.removals)
            rows << (r.failed ? -1 : r.rows);
        return rows;
    }

    StartFolder folder;
    store::Session session{folder.path()};
};

} // namespace

TEST_F(DataCheckFixture, RemovesOrphansAndRebuildsEveryMenuNameKeepingDishesThatAreGone)
{
    addPurchaseLines();
    const DataCheck::Summary s = DataCheck::runUnattended(session);

    // The slot's dishes in dish-code order, each followed by ",": the dish
    // missing from RyoriM stays and gives an empty name.
    EXPECT_EQ(menuName(0), u"ごはん,みそ汁,"_s);
    EXPECT_EQ(menuName(1), u"ごはん,,"_s);
    EXPECT_EQ(menuName(2), u"NULL"_s);
    EXPECT_EQ(value("SELECT COUNT(*) FROM kondateM3 WHERE Ryori_ID='0199'").toInt(), 1);

    EXPECT_EQ(value("SELECT group_concat(kondate_ID) FROM kondateM2").toString(), u"1,1,1"_s);
    EXPECT_EQ(value("SELECT COUNT(*) FROM kondateM3 WHERE kondate_ID=9").toInt(), 0);
    EXPECT_EQ(value("SELECT group_concat(kondate_ID) FROM kondateQ").toString(), u"1"_s);
    EXPECT_EQ(value("SELECT group_concat(Syoku_ID) FROM (SELECT Syoku_ID FROM kondateD ORDER BY "
                    "1)")
                  .toString(),
              u"01001,01002"_s);
    EXPECT_EQ(value("SELECT group_concat(Ryori_ID || ':' || SubNo) FROM (SELECT * FROM RyoriD "
                    "ORDER BY Ryori_ID, SubNo)")
                  .toString(),
              u"0101:1,0102:1"_s);

    // In the stated order: the lines of the deleted day go with the day
    // (statement 4) before the missing-food delete (5) sees them, and the
    // recipe of the deleted dish goes (6) before its missing food counts (7).
    QStringList ran;
    for (const DataCheck::Removal& r : s.removals)
        ran << r.statement;
    EXPECT_EQ(ran, DataCheck::deleteStatements());
    EXPECT_EQ(removedRows(s), (QList<int>{1, 1, 2, 2, 1, 1, 1}));
    EXPECT_EQ(s.mealSlots, 3);
    EXPECT_EQ(s.changedSlots, 3);

    // A second run finds nothing left to do.
    const DataCheck::Summary again = DataCheck::runUnattended(session);
    EXPECT_EQ(removedRows(again), (QList<int>{0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(again.changedSlots, 0);
}

TEST_F(DataCheckFixture, PurchaseLineDeleteThatFailsIsIgnored)
{
    // No kondateQ at all, as before the day-cost screen was first opened,
    // and one of a shape the statement cannot run against.
    for (bool present : {false, true}) {
        SCOPED_TRACE(present);
        if (present)
            exec("CREATE TABLE kondateQ (other INTEGER)");
        const DataCheck::Summary s = DataCheck::runUnattended(session);
        EXPECT_EQ(removedRows(s).mid(2, 3), (QList<int>{-1, present ? 0 : 2, present ? 0 : 1}));
        EXPECT_EQ(menuName(1), u"ごはん,,"_s);
    }
}

TEST_F(DataCheckFixture, FailureMidwayLeavesEveryTableAsItWas)
{
    addPurchaseLines();
    // A failing delete (the sixth: its table is gone) and a failing rebuild
    // at the very end.
    const char* breakers[] = {
        "DROP TABLE RyoriD",
        "CREATE TRIGGER refuse BEFORE UPDATE ON kondateM2 BEGIN SELECT RAISE(ABORT, 'no'); END"};
    for (const char* breaker : breakers) {
        SCOPED_TRACE(breaker);
        exec(breaker);
        const QString before = contents();
        EXPECT_THROW(DataCheck::runUnattended(session), store::StoreError);
        EXPECT_EQ(contents(), before);
        if (QString::fromUtf8(breaker).startsWith(u"DROP"_s))
            store::TableCatalogue::apply(session.aaa(), store::TableScripts::mainTables());
    }
}

TEST_F(DataCheckFixture, NoToTheQuestionKeepsTheRepairsOnly)
{
    const QString before = contents();
    store::ScriptedPrompter no({store::Answer::No});
    const DataCheck::Summary s = DataCheck::run(session, no);
    EXPECT_EQ(no.shown(), QStringList{u"テーブルの再構築を実行しますか。"_s});
    EXPECT_EQ(s.repairs.size(), 17);
    EXPECT_FALSE(s.consistencyRun);
    EXPECT_EQ(contents(), before);

    store::ScriptedPrompter yes({store::Answer::Yes});
    EXPECT_TRUE(DataCheck::run(session, yes).consistencyRun);
    EXPECT_EQ(menuName(1), u"ごはん,,"_s);
}

TEST_F(DataCheckFixture, MissingTablesAreReportedAndTheRunGoesOn)
{
    exec("DROP TABLE AveM");
    const DataCheck::Summary s = DataCheck::runUnattended(session);
    EXPECT_EQ(s.missingTables(), (QStringList{u"AveM"_s, u"kondateQ"_s, u"Kurikoshi"_s}));
    EXPECT_TRUE(s.consistencyRun);
    // Tables that appear only once their screen is used are no news to the user.
    EXPECT_EQ(
        DataCheck::completionText(s),
        u"作業は完了しました。\n\n次のテーブルが見つからなかったので、修復できませんでした：\n"
        u"AveM"_s);
    exec("CREATE TABLE AveM (AveM_ID INTEGER)");
    EXPECT_EQ(DataCheck::completionText(DataCheck::runUnattended(session)),
              u"作業は完了しました。"_s);
}

TEST_F(DataCheckFixture, SummaryNamesEachTableAndStatementInOrder)
{
    exec("DROP TABLE AveM");
    const QString text = DataCheck::summaryText(DataCheck::runUnattended(session));
    QString expected = u"テーブルの修復\n"_s;
    for (const QString& table : DataCheck::repairedTables()) {
        const QString state = table == u"AveM"_s                  ? u"見つかりません"_s
                              : DataCheck::createdOnDemand(table) ? u"まだ作成されていません"_s
                                                                  : u"正常"_s;
        expected += u"  %1\t%2\n"_s.arg(table, state);
    }
    expected += u"連携関係の無いレコードの削除\n"_s;
    const QList<int> rows{1, 1, -1, 2, 1, 1, 1};
    for (int i = 0; i < rows.size(); ++i)
        expected +=
            rows.at(i) < 0
                ? u"  実行できませんでした（無視）\t%1\n"_s.arg(DataCheck::deleteStatements().at(i))
                : u"  %1 件\t%2\n"_s.arg(rows.at(i)).arg(DataCheck::deleteStatements().at(i));
    expected += u"献立名の再構築\t3 件（変更 3 件）\n作業は完了しました。\n"_s;
    EXPECT_EQ(text, expected);

    store::ScriptedPrompter no({store::Answer::No});
    EXPECT_TRUE(DataCheck::summaryText(DataCheck::run(session, no))
                    .endsWith(u"テーブルの再構築は実行しませんでした。\n"_s));
}

TEST_F(DataCheckFixture, IndexThatNoLongerMatchesItsTableIsRebuilt)
{
    // An index whose stored entries were made for another definition: the
    // integrity check finds entries missing, the rebuild mends them.
    exec("CREATE INDEX kondateM2_probe ON kondateM2 (kondateMei)");
    {
        store::Sql::exec(session.aaa(), u"PRAGMA writable_schema=ON"_s);
        exec("UPDATE sqlite_master SET sql='CREATE INDEX kondateM2_probe ON kondateM2 (K1)' "
             "WHERE name='kondateM2_probe'");
        store::Sql::exec(session.aaa(), u"PRAGMA writable_schema=OFF"_s);
    }
    // A connection opened afterwards reads the changed definition.
    store::Session later(folder.path());
    later.openSettings();
    later.openData();
    const QList<DataCheck::TableRepair> repairs = DataCheck::repairTables(later);
    EXPECT_EQ(repairs.at(3).table, u"kondateM2"_s);
    EXPECT_EQ(repairs.at(3).state, DataCheck::TableState::Repaired);
    EXPECT_EQ(repairs.at(2).state, DataCheck::TableState::Sound);
    EXPECT_EQ(store::Sql::scalar(later.aaa(), u"PRAGMA integrity_check"_s).toString(), u"ok"_s);
}
