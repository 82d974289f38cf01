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

TEST(QuoteSplitter, ReadsEveryKindOfLineEndAndNumbersTheLines)
{
    using store::QuoteSplitter;
    for (const QByteArray& end : {QByteArray("\r\n"), QByteArray("\n"), QByteArray("\r")}) {
        const QByteArray data = "h" + end + "1,a" + end + end + "2,\"b" + end + "c\"" + end + "3,d";
        const auto read = QuoteSplitter::split(data, 10, QuoteSplitter::LastLine::Read);
        const auto dropped = QuoteSplitter::split(data, 10);
        ASSERT_EQ(read.records.size(), 4) << end.toHex().toStdString();
        EXPECT_EQ(read.records[1], (QList<QByteArray>{"1", "a"}));
        EXPECT_EQ(read.records[2],
                  (QList<QByteArray>{"2", "b" + end + "c"})); // the empty line gives none
        EXPECT_EQ(read.records[3], (QList<QByteArray>{"3", "d"}));
        EXPECT_EQ(read.lines, (QList<int>{1, 2, 4, 6}));
        EXPECT_EQ(dropped.records.size(), 3);
        EXPECT_EQ(read.unclosedQuoteLine, 0);
    }
    // A quote that never closes is reported at the line where it opens.
    const auto open = QuoteSplitter::split("h\r\n1,a\r\n2,\"b\r\n3,c\r\n", 10);
    EXPECT_EQ(open.unclosedQuoteLine, 3);
}

TEST_F(TableCsvTest, ExportThenImportKeepsEveryValueIncludingQuotes)
{
    const auto db = session->aaa();
    // Stored out of key order: the file follows the key all the same.
    exec(db, u"INSERT INTO SyokuGunM VALUES (2, ?, 0.25, NULL, 3)"_s, {u"牛乳, 乳製品"_s});
    exec(db, u"INSERT INTO SyokuGunM VALUES (1, ?, 70.5, 50, NULL)"_s, {u"魚介類・\"肉\"類"_s});
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
                   "1,3,\"1001\",\"1099\"\n" // a line feed ends the line as well
                   "\r\n"                    // an empty line gives no row
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
    try {
        store::TableCsv::ImportTableCsv(db, file, u"SyokuGunM"_s);
        ADD_FAILURE() << "a value that is no number was stored";
    } catch (const store::StoreError& e) {
        EXPECT_TRUE(e.message().contains(u"badA.CSV の 3 行目"_s)) << e.message().toStdString();
    }
    EXPECT_EQ(store::Sql::scalar(db, u"SELECT SyokuGunmei FROM SyokuGunM"_s).toString(), u"old"_s);
}

// A file that is not what the table should be filled from leaves a filled
// table exactly as it was and says why.
TEST_F(TableCsvTest, ImportRefusesABadFileAndLeavesTheTableAsItWas)
{
    const auto db = session->aaa();
    exec(db, u"INSERT INTO SyokuGunM VALUES (1, ?, 70.5, 50, NULL), (2, ?, 1, 2, 3)"_s,
         {u"穀類"_s, u"いも類"_s});
    const auto contents = [&]() {
        QStringList rows;
        QSqlQuery q = exec(db, u"SELECT * FROM SyokuGunM ORDER BY 1"_s);
        while (q.next())
            rows << q.value(0).toString() + u'|' + q.value(1).toString() + u'|' +
                        q.value(2).toString() + u'|' + q.value(3).toString() + u'|' +
                        q.value(4).toString();
        return rows;
    };
    const QStringList before = contents();
    const QByteArray heading = "\"SyokuGun_ID\",\"SyokuGunmei\",\"S1\",\"S2\",\"D\"\r\n";
    struct Case {
        const char* what;
        QByteArray bytes;
        QString says;
    };
    const Case cases[] = {
        {"UTF-8", heading + u"1,\"魚介類\",1,2,3\r\n"_s.toUtf8(), u"UTF-8 で保存されています"_s},
        {"UTF-8 with a mark", "\xEF\xBB\xBF" + heading + "1,\"a\",1,2,3\r\n",
         u"UTF-8 で保存されています"_s},
        {"byte outside Shift-JIS", heading + "1,\"a\",1,2,3\r\n2,\"b\xFD\",1,2,3\r\n",
         u"の 3 行目: シフトJIS（CP932）の文字でないバイトがあります"_s},
        {"unclosed quote", heading + "1,\"a\",1,2,3\r\n2,\"b,1,2,3\r\n3,\"c\",1,2,3\r\n",
         u"の 3 行目: 「\"」で始まる値が閉じられていません"_s},
        {"empty file", QByteArray(), u"データがないので、読み込みません"_s},
        {"heading only", heading, u"データがないので、読み込みません"_s},
        {"one line without its line end", heading + "1,\"a\",1,2,3",
         u"データがないので、読み込みません"_s},
    };
    const QString file = install.file(u"grpA.CSV"_s);
    for (const Case& c : cases) {
        writeAll(file, c.bytes);
        try {
            store::TableCsv::ImportTableCsv(db, file, u"SyokuGunM"_s,
                                            store::TableCsv::ImportMode::Replace, kGroupColumns);
            ADD_FAILURE() << c.what << ": accepted";
        } catch (const store::StoreError& e) {
            EXPECT_TRUE(e.message().contains(c.says))
                << c.what << ": " << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(u"grpA.CSV"_s)) << c.what;
        }
        EXPECT_EQ(contents(), before) << c.what;
    }
}

TEST_F(TableCsvTest, ImportReadsLfAndCrLineEnds)
{
    const auto db = session->aaa();
    const QString file = install.file(u"grpA.CSV"_s);
    for (const QByteArray& end : {QByteArray("\n"), QByteArray("\r")}) {
        writeAll(file,
                 "h" + end + "1," + sjis(u"\"穀類\""_s) + ",1,2,3" + end + "2,\"b\",,," + end);
        store::TableCsv::ImportTableCsv(db, file, u"SyokuGunM"_s,
                                        store::TableCsv::ImportMode::Replace, kGroupColumns);
        EXPECT_EQ(store::Sql::scalar(db, u"SELECT COUNT(*) FROM SyokuGunM"_s).toInt(), 2);
        EXPECT_EQ(store::Sql::scalar(db, u"SELECT SyokuGunmei FROM SyokuGunM WHERE SyokuGun_ID=1"_s)
                      .toString(),
                  u"穀類"_s);
    }
}
