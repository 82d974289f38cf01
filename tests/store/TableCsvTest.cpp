#include "store/TableCsv.h"
#include "store/Cp932.h"
#include "store/Prompter.h"
#include "store/QuoteSplitter.h"
#include "store/Sql.h"
#include "store/StoreError.h"
#include "store/TableCatalogue.h"
#include "store/TableScripts.h"
#include "support/TempInstall.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using store::Sql::exec;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray sjis(const QString& s)
{
    return *store::Cp932::encode(s);
}

const QList<store::CsvColumn> kGroupColumns = {{u"SyokuGun_ID"_s, u"食品群コード"_s},
                                               {u"SyokuGunmei"_s, u"食品群名"_s},
                                               {u"S1"_s, u"S1"_s},
                                               {u"S2"_s, u"S2"_s},
                                               {u"D"_s, u"D"_s}};

class TableCsvTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        session = install.openSession();
        store::TableCatalogue::apply(session->aaa(), store::TableScripts::mainTables());
    }
    TempInstall install;
    std::unique_ptr<store::Session> session;
};

} // namespace

TEST(QuoteSplitter, SplitsRecordsTheWayTheExchangeFilesAreWritten)
{
    const QByteArray data =
        "h1,h2\r\n1,\"a,b\"\r\n2,\"say \"\"hi\"\"\",x\r\n3,\"multi\r\nline\"\r\nlast,no-end";
    const auto recs = store::QuoteSplitter::records(data, 1001);
    ASSERT_EQ(recs.size(), 4); // the last line has no line end and is no record
    EXPECT_EQ(recs[1], (QList<QByteArray>{"1", "a,b"}));
    EXPECT_EQ(recs[2], (QList<QByteArray>{"2", "say \"hi\"", "x"}));
    EXPECT_EQ(recs[3], (QList<QByteArray>{"3", "multi\r\nline"}));
    EXPECT_EQ(store::QuoteSplitter::records("a,b,c,d\r\n", 2).at(0), (QList<QByteArray>{"a", "b"}));
}

TEST_F(TableCsvTest, ExportThenImportKeepsEveryValueIncludingQuotes)
{
    const auto db = session->aaa();
    exec(db, u"INSERT INTO SyokuGunM VALUES (1, ?, 70.5, 50, NULL)"_s, {u"魚介類・\"肉\"類"_s});
    exec(db, u"INSERT INTO SyokuGunM VALUES (2, ?, 0.25, NULL, 3)"_s, {u"牛乳, 乳製品"_s});
    const QString file = install.file(u"grpA.CSV"_s);
    store::ScriptedPrompter prompter;
    ASSERT_TRUE(store::TableCsv::ExportTableCsv(db, u"SyokuGunM"_s, file, prompter, kGroupColumns));
    EXPECT_TRUE(prompter.shown().isEmpty());
    EXPECT_EQ(readAll(file), sjis(u"\"食品群コード\",\"食品群名\",\"S1\",\"S2\",\"D\"\r\n"
                                  "1,\"魚介類・\"\"肉\"\"類\",70.5,50,\r\n"
                                  "2,\"牛乳, 乳製品\",0.25,,3\r\n"_s));

    exec(db, u"DELETE FROM SyokuGunM"_s);
    store::TableCsv::ImportTableCsv(db, file, u"SyokuGunM"_s, store::TableCsv::ImportMode::Replace,
                                    kGroupColumns);
    QSqlQuery q =
        exec(db, u"SELECT SyokuGun_ID, SyokuGunmei, S1, S2, D FROM SyokuGunM ORDER BY 1"_s);
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(1).toString(), u"魚介類・\"肉\"類"_s);
    EXPECT_DOUBLE_EQ(q.value(2).toDouble(), 70.5);
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(1).toString(), u"牛乳, 乳製品"_s);
    EXPECT_TRUE(q.value(3).isNull());
    EXPECT_EQ(q.value(4).toInt(), 3);
}

TEST_F(TableCsvTest, ExportAsksBeforeReplacingAFile)
{
    const QString file = install.file(u"grpA.CSV"_s);
    writeAll(file, "keep");
    for (store::Answer a : {store::Answer::No, store::Answer::Cancel}) {
        store::ScriptedPrompter prompter({a});
        EXPECT_FALSE(
            store::TableCsv::ExportTableCsv(session->aaa(), u"SyokuGunM"_s, file, prompter));
        EXPECT_EQ(prompter.shown(),
                  QStringList{u"同名のファイルがあります。上書をしてもよいですか？"_s});
        EXPECT_EQ(readAll(file), QByteArray("keep"));
    }
    store::ScriptedPrompter yes({store::Answer::Yes});
    EXPECT_TRUE(
        store::TableCsv::ExportTableCsv(session->aaa(), u"SyokuGunM"_s, file, yes, kGroupColumns));
    // An empty table gives the heading line only.
    EXPECT_EQ(readAll(file), QByteArray("\"") + sjis(u"食品群コード"_s) + "\",\"" +
                                 sjis(u"食品群名"_s) + "\",\"S1\",\"S2\",\"D\"\r\n");
}

TEST_F(TableCsvTest, ImportReplacesRowsSkipsTheHeadingAndTheUnendedLastLine)
{
    const auto db = session->aaa();
    exec(db, u"INSERT INTO SyokuGunMb VALUES (9, '00001', '00002', 1)"_s);
    const QString file = install.file(u"grpB.CSV"_s);
    // Exchange-file column order differs from the table's field order.
    writeAll(file, "\"S_ID\",\"SyokuGun_ID\",\"SyokuID1\",\"SyokuID2\"\r\n"
                   "1,3,\"1001\",\"1099\"\n" // a line feed alone ends nothing
                   "\r\n"
                   "2,4,\"06001\",\"06399\"\r\n"
                   "3,5,\"07001\",\"07200\""); // no line end: not applied
    const QList<store::CsvColumn> cols = {
        {u"S_ID"_s, {}}, {u"SyokuGun_ID"_s, {}}, {u"SyokuID1"_s, {}}, {u"SyokuID2"_s, {}}};
    store::TableCsv::ImportTableCsv(db, file, u"SyokuGunMb"_s, store::TableCsv::ImportMode::Replace,
                                    cols);
    QSqlQuery q =
        exec(db, u"SELECT S_ID, SyokuGun_ID, SyokuID1, SyokuID2 FROM SyokuGunMb ORDER BY 1"_s);
    QStringList rows;
    while (q.next())
        rows << u"%1|%2|%3|%4"_s.arg(q.value(0).toString(), q.value(1).toString(),
                                     q.value(2).toString(), q.value(3).toString());
    EXPECT_EQ(rows, (QStringList{u"1|3|1001|1099"_s, u"2|4|06001|06399"_s}));
}

TEST_F(TableCsvTest, ImportIsAllOrNothingAndIgnoresAMissingFile)
{
    const auto db = session->aaa();
    exec(db, u"INSERT INTO SyokuGunM (SyokuGun_ID, SyokuGunmei) VALUES (7, 'old')"_s);
    store::TableCsv::ImportTableCsv(db, install.file(u"none.CSV"_s), u"SyokuGunM"_s);
    EXPECT_EQ(store::Sql::scalar(db, u"SELECT COUNT(*) FROM SyokuGunM"_s).toInt(), 1);

    const QString file = install.file(u"badA.CSV"_s);
    writeAll(file, "h\r\n1,\"a\",1,2,3\r\nx,\"b\",1,2,3\r\n");
    EXPECT_THROW(store::TableCsv::ImportTableCsv(db, file, u"SyokuGunM"_s), store::StoreError);
    EXPECT_EQ(store::Sql::scalar(db, u"SELECT SyokuGunmei FROM SyokuGunM"_s).toString(), u"old"_s);
}
