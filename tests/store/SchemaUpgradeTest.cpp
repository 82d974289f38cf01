#include "store/SchemaUpgrade.h"
#include "store/Cp932.h"
#include "store/Sql.h"
#include "store/StoreError.h"
#include "store/TableCatalogue.h"
#include "store/TableScripts.h"
#include "support/PreviousLayout.h"
#include "support/TempInstall.h"
#include "support/TinyHttpServer.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using store::Sql::exec;
using store::Sql::scalar;

namespace {

// A data folder as an old version left it: HeadM in its first layout,
// SyokuM without fibre and potassium, kondateD with the nutrient columns,
// kondateM2 without the later head counts, food 1509, no potassium
// standard row.
void makeOldLayout(store::Session& s)
{
    PreviousLayout::create(s.ahm(), store::TableScripts::settingsTable());
    exec(s.ahm(),
         u"INSERT INTO HeadM (meisyou, Password, PM5, PM6, 年度, 職印１, 職印５) "
         u"VALUES (?, '0042', 42, 150.5, 2019, ?, ?)"_s,
         {u"ひまわり保育園"_s, u"園長"_s, u"栄養士"_s});
    const auto db = s.aaa();
    exec(db, uR"(CREATE TABLE SyokuM ("Syoku_ID" TEXT(10), "syokugun" INTEGER, "SyokuMei" TEXT(40),
        "haiki" FLOAT, "neturyo" FLOAT, "tanpaku" FLOAT, "shi" FLOAT, "tou" FLOAT, "Ca" FLOAT,
        "Fe" FLOAT, "ViA" FLOAT, "ViB1" FLOAT, "ViB2" FLOAT, "ViC" FLOAT, "Nacl" FLOAT,
        "syokugun2" INTEGER, PRIMARY KEY ("Syoku_ID")))"_s);
    exec(db, uR"(CREATE TABLE kondateD ("kondate_ID" INTEGER, "K1" INTEGER, "K2" INTEGER,
        "Ryori_ID" TEXT(4), "SubNo" INTEGER, "Syoku_ID" TEXT(10), "SyokuMei" TEXT(40), "Suryo" FLOAT,
        "Syokugun" INTEGER, "haiki" FLOAT, "neturyo" FLOAT, "tanpaku" FLOAT, "shi" FLOAT, "tou" FLOAT,
        "Ca" FLOAT, "Fe" FLOAT, "ViA" FLOAT, "ViB1" FLOAT, "ViB2" FLOAT, "ViC" FLOAT, "Nacl" FLOAT,
        "Cyumonryo" FLOAT, "syokugun2" INTEGER, "syokugun3" INTEGER, "F0" INTEGER, "F1" INTEGER,
        "F2" INTEGER, "F3" INTEGER, "F4" INTEGER, "F5" INTEGER, "F6" INTEGER, "F7" INTEGER,
        "F8" INTEGER, "F9" INTEGER, "Seni" FLOAT, "Na" FLOAT,
        PRIMARY KEY ("Kondate_ID","K1","K2","Ryori_ID","SubNo")))"_s);
    exec(db, uR"(CREATE TABLE kondateM2 ("kondate_ID" INTEGER, "K1" INTEGER, "K2" INTEGER,
        "kondateMei" TEXT(100), "Ninzu" INTEGER, PRIMARY KEY ("Kondate_ID","K1","K2")))"_s);
    exec(db, uR"(CREATE TABLE SyokuGunM ("SyokuGun_ID" INTEGER, "SyokuGunmei" TEXT(30),
        PRIMARY KEY ("SyokuGun_ID")))"_s);
    exec(db, u"INSERT INTO SyokuM (Syoku_ID, SyokuMei, neturyo, shi) VALUES ('1509', ?, 400, 10)"_s,
         {u"ビスケット"_s});
    exec(db, u"INSERT INTO SyokuM (Syoku_ID, SyokuMei, neturyo) VALUES ('00123', ?, 50)"_s,
         {u"テスト"_s});
    exec(db, u"INSERT INTO SyokuM (Syoku_ID, SyokuMei, neturyo) VALUES ('14004', ?, 900)"_s,
         {u"ラード"_s});
    exec(db, u"INSERT INTO kondateD (kondate_ID, K1, K2, Ryori_ID, SubNo, Syoku_ID, Suryo, Ca) "
             u"VALUES (1, 0, 0, '0101', 1, '01088', 110, 3)"_s);
    exec(db, u"INSERT INTO kondateD (kondate_ID, K1, K2, Ryori_ID, SubNo, Syoku_ID, Suryo) "
             u"VALUES (1, 0, 0, '0101', 2, '1509', 15)"_s);
    exec(db, uR"(CREATE TABLE RyoriD ("Ryori_ID" TEXT(4), "SubNo" INTEGER, "Syoku_ID" TEXT(10),
        "Suryo1" FLOAT, "Suryo2" FLOAT, PRIMARY KEY ("Ryori_ID","SubNo")))"_s);
    exec(db, u"INSERT INTO RyoriD VALUES ('0201', 1, '1509', 20, 15)"_s);
    exec(db, u"INSERT INTO kondateM2 VALUES (1, 0, 0, ?, 30)"_s, {u"ごはん,"_s});
    exec(db, u"INSERT INTO SyokuGunM VALUES (1, ?)"_s, {u"穀類"_s});
}

QStringList layout(const QSqlDatabase& db)
{
    QStringList out;
    QSqlQuery q =
        exec(db, u"SELECT name, sql FROM sqlite_master WHERE type='table' ORDER BY name"_s);
    while (q.next())
        out << q.value(1).toString();
    return out;
}

class SchemaUpgradeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        session = install.openSession();
        server.put(u"/syoku/syokuM2010.csv"_s,
                   *store::Cp932::encode(u"番号,名前,a,b,c,d,e,f,g,h,i,j,k,カリウム\r\n"
                                         "123,\"テスト, 食品\",0,0,0,0,0,0,0,0,0,0,0,270\r\n"
                                         "99999,なし,0,0,0,0,0,0,0,0,0,0,0,1\r\n"_s));
        qputenv("ZORAVIN_SERVER", server.base().toUtf8());
    }
    void TearDown() override { qputenv("ZORAVIN_SERVER", "http://127.0.0.1:9"); }

    TempInstall install;
    TinyHttpServer server;
    std::unique_ptr<store::Session> session;
};

} // namespace

TEST_F(SchemaUpgradeTest, OldLayoutsComeOutCurrentWithTheirDataKept)
{
    makeOldLayout(*session);
    store::SchemaUpgrade(*session).runAll();
    const auto db = session->aaa();
    const auto ahm = session->ahm();

    // HeadM rebuilt with the current sizes and every value kept.
    EXPECT_EQ(store::TableCatalogue::textSize(ahm, u"HeadM"_s, u"meisyou"_s), 100);
    EXPECT_EQ(store::TableCatalogue::textSize(ahm, u"HeadM"_s, u"職印１"_s), 10);
    EXPECT_TRUE(store::Sql::hasField(ahm, u"HeadM"_s, u"PM20"_s));
    EXPECT_FALSE(store::Sql::tableExists(ahm, u"HeadM$"_s));
    // PM6 holds 150.5, which an integer field does not take: the row is
    // kept with the value cut as the engine casts it, and the change noted.
    QSqlQuery h =
        exec(ahm, u"SELECT meisyou, Password, PM5, PM6, 年度, 職印１, 職印５ FROM HeadM"_s);
    ASSERT_TRUE(h.next());
    EXPECT_EQ(h.value(0).toString(), u"ひまわり保育園"_s);
    EXPECT_EQ(h.value(1).toString(), u"0042"_s);
    EXPECT_EQ(h.value(2).toInt(), 42);
    EXPECT_EQ(h.value(3).toInt(), 150);
    EXPECT_EQ(h.value(4).toInt(), 2019);
    EXPECT_EQ(h.value(5).toString(), u"園長"_s);
    EXPECT_EQ(h.value(6).toString(), u"栄養士"_s);
    EXPECT_FALSE(h.next());
    QFile notes(install.file(store::SchemaUpgrade::notesFileName()));
    ASSERT_TRUE(notes.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(notes.readAll()).contains(u"PM6:「150.5」を「150」"_s));

    for (const auto& [table, field] : {std::pair{u"SyokuM"_s, u"Seni"_s},
                                       {u"SyokuM"_s, u"Na"_s},
                                       {u"SyokuM"_s, u"K"_s},
                                       {u"SyokuGunM"_s, u"S1"_s},
                                       {u"SyokuGunM"_s, u"D"_s},
                                       {u"kondateM2"_s, u"Ninzu2"_s},
                                       {u"kondateM2"_s, u"Ninzu5"_s},
                                       {u"kondateM2"_s, u"kin2"_s}})
        EXPECT_TRUE(store::Sql::hasField(db, table, field))
            << table.toStdString() << "." << field.toStdString();
    EXPECT_EQ(store::Sql::fieldNames(db, u"kondateD"_s),
              (QStringList{u"kondate_ID"_s, u"K1"_s, u"K2"_s, u"Ryori_ID"_s, u"SubNo"_s,
                           u"Syoku_ID"_s, u"SyokuMei"_s, u"Suryo"_s}));
    EXPECT_DOUBLE_EQ(scalar(db, u"SELECT Suryo FROM kondateD"_s).toDouble(), 110);
    EXPECT_EQ(scalar(db, u"SELECT Ninzu FROM kondateM2"_s).toInt(), 30);

    EXPECT_FALSE(scalar(db, u"SELECT 1 FROM SyokuM WHERE Syoku_ID='1509'"_s).isValid());
    EXPECT_EQ(scalar(db, u"SELECT SyokuMei FROM SyokuM WHERE Syoku_ID='15090'"_s).toString(),
              u"ビスケット"_s);
    // The recipe and menu lines on the food follow its new code.
    EXPECT_EQ(scalar(db, u"SELECT Syoku_ID FROM RyoriD WHERE Ryori_ID='0201'"_s).toString(),
              u"15090"_s);
    EXPECT_EQ(scalar(db, u"SELECT Syoku_ID FROM kondateD WHERE SubNo=2"_s).toString(), u"15090"_s);
    EXPECT_EQ(scalar(db, u"SELECT COUNT(*) FROM kondateD WHERE Syoku_ID='01088'"_s).toInt(), 1);
    // The potassium file's food number 123 is the food 00123.
    EXPECT_DOUBLE_EQ(scalar(db, u"SELECT K FROM SyokuM WHERE Syoku_ID='00123'"_s).toDouble(), 270);
    QSqlQuery wg = exec(db, u"SELECT Meisyo, S1, S2 FROM WG WHERE WG_ID=12"_s);
    ASSERT_TRUE(wg.next());
    EXPECT_EQ(wg.value(0).toString(), u"K mg"_s);
    EXPECT_DOUBLE_EQ(wg.value(1).toDouble(), 1100);
    EXPECT_DOUBLE_EQ(wg.value(2).toDouble(), 900);
}

TEST_F(SchemaUpgradeTest, ASecondUpgradeChangesNothing)
{
    makeOldLayout(*session);
    store::SchemaUpgrade(*session).runAll();
    const QStringList data = layout(session->aaa()), settings = layout(session->ahm());
    const int foods = scalar(session->aaa(), u"SELECT COUNT(*) FROM SyokuM"_s).toInt();
    store::SchemaUpgrade(*session).runAll();
    EXPECT_EQ(layout(session->aaa()), data);
    EXPECT_EQ(layout(session->ahm()), settings);
    EXPECT_EQ(scalar(session->aaa(), u"SELECT COUNT(*) FROM SyokuM"_s).toInt(), foods);
    EXPECT_EQ(scalar(session->aaa(), u"SELECT COUNT(*) FROM WG"_s).toInt(), 1);
}

TEST_F(SchemaUpgradeTest, NewFolderGetsEveryTableAndOnlyThePotassiumRow)
{
    store::SchemaUpgrade(*session).runAll();
    for (const store::TableDef& t : store::TableCatalogue::mainTables()) {
        QStringList expected;
        for (const store::FieldDef& f : t.fields)
            expected << f.name;
        QStringList actual = store::Sql::fieldNames(session->aaa(), t.name);
        if (t.name == u"kondateM2"_s) // the script predates the day cost
            expected << u"kin1"_s << u"kin2"_s;
        EXPECT_EQ(actual, expected) << t.name.toStdString();
    }
    EXPECT_EQ(scalar(session->aaa(), u"SELECT COUNT(*) FROM WG"_s).toInt(), 1);
    // No potassium refresh ran: the new food table has K already.
    EXPECT_FALSE(QFile::exists(install.file(u"syokuM2010.csv"_s)));
}

TEST_F(SchemaUpgradeTest, FailedPotassiumDownloadKeepsTheFieldAndReportsIt)
{
    makeOldLayout(*session);
    qputenv("ZORAVIN_SERVER", "http://127.0.0.1:9");
    store::SchemaUpgrade up(*session);
    up.upgradeSettings();
    up.createTables();
    EXPECT_THROW(up.upgradeData(), store::StoreError);
    EXPECT_TRUE(store::Sql::hasField(session->aaa(), u"SyokuM"_s, u"K"_s));
    EXPECT_TRUE(scalar(session->aaa(), u"SELECT K FROM SyokuM WHERE Syoku_ID='00123'"_s).isNull());
    // The next start goes on with the remaining steps.
    up.upgradeData();
    EXPECT_TRUE(store::Sql::hasField(session->aaa(), u"kondateM2"_s, u"kin1"_s));
}

TEST_F(SchemaUpgradeTest, CorrectionFileAppliesOnceAndSkipsAnUnendedLastLine)
{
    store::SchemaUpgrade(*session).runAll();
    const auto db = session->aaa();
    exec(
        db,
        u"INSERT INTO SyokuM (Syoku_ID, syokugun, SyokuMei, neturyo) VALUES ('14004', 14, ?, 900)"_s,
        {u"ラード"_s});
    QFile f(install.file(u"食品修正001.CSV"_s));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(*store::Cp932::encode(u"code,g1,g2,name,haiki,e,p,f,c,ca,fe,a,b1,b2,c,nacl,seni\r\n"
                                  "14004,99,99,\"ラード,精製\",0,885,0,97,0,0,0,0,0,0,0,0,\r\n"
                                  "99001,5,5,新食品,10,100,1,2,3,4,5,6,7,8,9,1.5,2\r\n"
                                  "99002,5,5,最後の行,0,1,1,1,1,1,1,1,1,1,1,1,1"_s));
    f.close();
    store::SchemaUpgrade(*session).upgradeData();

    QSqlQuery q = exec(
        db, u"SELECT syokugun, SyokuMei, neturyo, shi, Seni FROM SyokuM WHERE Syoku_ID='14004'"_s);
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 14); // groups of an existing food stay
    EXPECT_EQ(q.value(1).toString(), u"ラード,精製"_s);
    EXPECT_DOUBLE_EQ(q.value(2).toDouble(), 885);
    EXPECT_DOUBLE_EQ(q.value(3).toDouble(), 97);
    EXPECT_TRUE(q.value(4).isNull()); // an empty column clears the field
    QSqlQuery n = exec(db, u"SELECT syokugun, Nacl, Seni FROM SyokuM WHERE Syoku_ID='99001'"_s);
    ASSERT_TRUE(n.next());
    EXPECT_TRUE(n.value(0).isNull()); // new foods get no group
    EXPECT_DOUBLE_EQ(n.value(1).toDouble(), 1.5);
    EXPECT_DOUBLE_EQ(n.value(2).toDouble(), 2);
    EXPECT_FALSE(scalar(db, u"SELECT 1 FROM SyokuM WHERE Syoku_ID='99002'"_s).isValid());

    // Applied once: food 14004 has a fat value now, so a changed food stays changed.
    exec(db, u"UPDATE SyokuM SET neturyo=1 WHERE Syoku_ID='99001'"_s);
    store::SchemaUpgrade(*session).upgradeData();
    EXPECT_DOUBLE_EQ(scalar(db, u"SELECT neturyo FROM SyokuM WHERE Syoku_ID='99001'"_s).toDouble(),
                     1);
}

// A correction file that cannot be applied whole is not applied at all: the
// message names the file and the line, and the foods stay as they were.
TEST_F(SchemaUpgradeTest, BadCorrectionFileIsRefusedNamingTheLine)
{
    store::SchemaUpgrade(*session).runAll();
    const auto db = session->aaa();
    exec(db, u"INSERT INTO SyokuM (Syoku_ID, SyokuMei, neturyo) VALUES ('14004', ?, 900)"_s,
         {u"ラード"_s});
    const auto foods = [&]() {
        return scalar(db, u"SELECT group_concat(Syoku_ID || ':' || SyokuMei || ':' || "
                          u"ifnull(neturyo, '') || ':' || ifnull(shi, ''), ';') FROM "
                          u"(SELECT * FROM SyokuM ORDER BY Syoku_ID)"_s)
            .toString();
    };
    const QString before = foods();
    const QString heading = u"code,g1,g2,name,haiki,e,p,f,c,ca,fe,a,b1,b2,c,nacl,seni\r\n"_s;
    const QString good = u"14004,99,99,ラード,0,885,0,97,0,0,0,0,0,0,0,0,0\r\n"_s;
    struct Case {
        const char* what;
        QByteArray bytes;
        QString says;
    };
    const Case cases[] = {
        {"not a number",
         *store::Cp932::encode(heading + good +
                               u"99001,5,5,新食品,10,百,1,2,3,4,5,6,7,8,9,1,2\r\n"_s),
         u"食品修正001.CSV の 3 行目: 「百」は neturyo の値として正しくありません。"_s},
        {"UTF-8",
         (heading + good).toUtf8() + u"99001,5,5,新食品,1,1,1,1,1,1,1,1,1,1,1,1,1\r\n"_s.toUtf8(),
         u"UTF-8 で保存されています"_s},
        {"unclosed quote",
         *store::Cp932::encode(heading + good +
                               u"99001,5,5,\"新食品,1,1,1,1,1,1,1,1,1,1,1,1,1\r\n"_s),
         u"の 3 行目: 「\"」で始まる値が閉じられていません"_s},
    };
    for (const Case& c : cases) {
        QFile f(install.file(u"食品修正001.CSV"_s));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.bytes);
        f.close();
        try {
            store::SchemaUpgrade(*session).upgradeData();
            ADD_FAILURE() << c.what << ": applied";
        } catch (const store::StoreError& e) {
            EXPECT_TRUE(e.message().contains(c.says))
                << c.what << ": " << e.message().toStdString();
        }
        EXPECT_EQ(foods(), before) << c.what;
    }

    // Line ends of any kind are line ends.
    QFile f(install.file(u"食品修正001.CSV"_s));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(
        *store::Cp932::encode(heading + good + u"99001,5,5,新食品,1,1,1,1,1,1,1,1,1,1,1,1,1\r"_s));
    f.close();
    store::SchemaUpgrade(*session).upgradeData();
    EXPECT_DOUBLE_EQ(scalar(db, u"SELECT shi FROM SyokuM WHERE Syoku_ID='14004'"_s).toDouble(), 97);
    EXPECT_EQ(scalar(db, u"SELECT SyokuMei FROM SyokuM WHERE Syoku_ID='99001'"_s).toString(),
              u"新食品"_s);
}

TEST_F(SchemaUpgradeTest, UnusablePotassiumFileAddsTheFieldWithoutValuesAndSaysWhy)
{
    struct Case {
        const char* what;
        QByteArray bytes;
        QString says;
    };
    const Case cases[] = {
        {"UTF-8",
         u"番号,名前,a,b,c,d,e,f,g,h,i,j,k,カリウム\r\n123,テスト,0,0,0,0,0,0,0,0,0,0,0,270\r\n"_s
             .toUtf8(),
         u"UTF-8 で保存されています"_s},
        {"unclosed quote",
         *store::Cp932::encode(u"番号,名前,a,b,c,d,e,f,g,h,i,j,k,カリウム\n"
                               "123,テスト,0,0,0,0,0,0,0,0,0,0,0,270\n"
                               "124,\"テスト,0,0,0,0,0,0,0,0,0,0,0,270\n"_s),
         u"syokuM2010.csv の 3 行目"_s},
        {"no number",
         *store::Cp932::encode(u"番号,名前,a,b,c,d,e,f,g,h,i,j,k,カリウム\r"
                               "123,テスト,0,0,0,0,0,0,0,0,0,0,0,多い\r"_s),
         u"の 2 行目: カリウムの値「多い」が数値ではありません。"_s},
    };
    for (const Case& c : cases) {
        TempInstall other;
        auto s = other.openSession();
        makeOldLayout(*s);
        server.put(u"/syoku/syokuM2010.csv"_s, c.bytes);
        store::SchemaUpgrade up(*s);
        up.upgradeSettings();
        up.createTables();
        try {
            up.upgradeData();
            ADD_FAILURE() << c.what << ": read";
        } catch (const store::StoreError& e) {
            EXPECT_TRUE(e.message().startsWith(u"カリウムのデータ"_s)) << c.what;
            EXPECT_TRUE(e.message().contains(c.says))
                << c.what << ": " << e.message().toStdString();
        }
        EXPECT_TRUE(store::Sql::hasField(s->aaa(), u"SyokuM"_s, u"K"_s)) << c.what;
        EXPECT_EQ(scalar(s->aaa(), u"SELECT COUNT(K) FROM SyokuM"_s).toInt(), 0) << c.what;
    }
}

TEST(AlterTable, AddsMissingFieldsAndDropsPresentOnesInOneStep)
{
    TempInstall install;
    auto s = install.openSession();
    const auto db = s->aaa();
    exec(db, u"CREATE TABLE t (a INTEGER, b FLOAT)"_s);
    store::SchemaUpgrade::alterTable(
        db, u"Alter Table t Add \"c\" Char(6), Add a Integer, Drop b, Drop zz"_s);
    EXPECT_EQ(store::Sql::fieldNames(db, u"t"_s), (QStringList{u"a"_s, u"c"_s}));
    EXPECT_EQ(store::TableCatalogue::textSize(db, u"t"_s, u"c"_s), 6);
    // A clause the engine refuses undoes the clauses before it.
    EXPECT_THROW(store::SchemaUpgrade::alterTable(db, u"Alter Table t Add d Integer, Add e Blob"_s),
                 store::StoreError);
    EXPECT_FALSE(store::Sql::hasField(db, u"t"_s, u"d"_s));
}
