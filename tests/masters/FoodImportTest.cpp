#include "masters/FoodImport.h"
#include "masters/FoodGroupRanges.h"
#include "store/Cp932.h"
#include "store/Prompter.h"
#include "store/SchemaUpgrade.h"
#include "store/Sql.h"
#include "store/StoreError.h"
#include "support/TempInstall.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using masters::FoodImport;
using store::Sql::exec;
using store::Sql::scalar;

namespace {

class FoodImportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        session = install.openSession();
        store::SchemaUpgrade(*session).runAll();
        db = session->aaa();
    }
    QString writeFile(const QString& text)
    {
        const QString path = install.file(u"syokuM2020.csv"_s);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(*store::Cp932::encode(text));
        return path;
    }
    QString food(const QString& id, const QString& fields)
    {
        QSqlQuery q = exec(db, u"SELECT "_s + fields + u" FROM SyokuM WHERE Syoku_ID=?"_s, {id});
        if (!q.next())
            return u"<none>"_s;
        QStringList out;
        for (int i = 0; i < fields.count(u',') + 1; ++i)
            out << q.value(i).toString();
        return out.join(u'|');
    }

    TempInstall install;
    std::unique_ptr<store::Session> session;
    QSqlDatabase db;
    store::ScriptedPrompter prompter;
};

} // namespace

TEST(FoodImportNames, RemovesTheFirstSectionOfEachBracketPair)
{
    const struct {
        QString in, out;
    } cases[] = {
        {u"＜魚類＞　まあじ　皮つき　生（天然）"_s, u"　まあじ　皮つき　生"_s},
        {u"（あじ類）　まあじ（養殖）"_s, u"　まあじ（養殖）"_s}, // only the first section
        {u"こむぎ　［パン類］　食パン"_s, u"こむぎ　　食パン"_s},
        {u"とうもろこし（缶詰"_s, u"とうもろこし（缶詰"_s}, // no closing bracket
        {u"）ずれ（"_s, u"）ずれ（"_s},                     // closing before opening
        {u"アマランサス　玄穀"_s, u"アマランサス　玄穀"_s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FoodImport::cleanName(c.in), c.out) << c.in.toStdString();
}

TEST_F(FoodImportTest, MergesNewAndExistingFoodsKeepingGroups)
{
    exec(db, u"INSERT INTO SyokuM (Syoku_ID, syokugun, syokugun2, SyokuMei, neturyo, K) "
             u"VALUES ('01002', 7, 2, 'old', 1, 5)"_s);
    const QString path =
        writeFile(u"食品番号,食品名,群,廃棄率,エネルギー,たんぱく質,脂質,炭水化物,Ca,Fe,A,B1,B2,C,"
                  u"食塩,繊維,K\r\n"
                  "1001,＜穀類＞　アマランサス　玄穀,01,0,343,12.7,6.0,64.9,160,9.4,2,0.04,0.14,0,"
                  "0,7.4,600\r\n"
                  "01002,あわ　精白粒,01,0,346,11.2,4.4,69.7,14,4.8,,0.56,0.07,0\r\n"
                  "123,テスト,05,0,1\r\n"
                  "99999,変な値,05,x,1\r\n"_s);
    EXPECT_EQ(FoodImport::ImportFoodCsv(db, path, prompter), 3);
    EXPECT_EQ(food(u"01001"_s, u"syokugun, SyokuMei, neturyo, tanpaku, K"_s),
              u"1|　アマランサス　玄穀|343|12.7|600"_s);
    // An existing food keeps both groups; the field after the last value is
    // emptied and the ones after it stay.
    EXPECT_EQ(food(u"01002"_s, u"syokugun, syokugun2, SyokuMei, ViA, ViC, Nacl, K"_s),
              u"7|2|あわ　精白粒||0||5"_s);
    EXPECT_EQ(food(u"123"_s, u"syokugun, neturyo"_s), u"5|1"_s);
    EXPECT_EQ(food(u"食品番号"_s, u"SyokuMei"_s), u"<none>"_s);
    EXPECT_EQ(food(u"99999"_s, u"SyokuMei"_s), u"<none>"_s);
    EXPECT_EQ(prompter.shown(), QStringList{u"x"_s});
}

TEST_F(FoodImportTest, ReadsEveryLineEndAndQuotedValues)
{
    for (const QString& end : {u"\n"_s, u"\r"_s}) {
        // A spreadsheet quotes a value that holds a comma; the last line
        // needs no line end.
        const QString path = writeFile(u"h"_s + end + u"1001,\"アマランサス, 玄穀\",01,0,343"_s +
                                       end + u"01002,あわ,01,0,346"_s);
        EXPECT_EQ(FoodImport::ImportFoodCsv(db, path, prompter), 2);
        EXPECT_EQ(food(u"01001"_s, u"SyokuMei, neturyo"_s), u"アマランサス, 玄穀|343"_s);
        EXPECT_EQ(food(u"01002"_s, u"SyokuMei, neturyo"_s), u"あわ|346"_s);
    }
    EXPECT_TRUE(prompter.shown().isEmpty());
}

// A file the merge cannot read whole changes no food and says why.
TEST_F(FoodImportTest, RefusesABadFileBeforeAnyFoodChanges)
{
    exec(db, u"INSERT INTO SyokuM (Syoku_ID, SyokuMei, neturyo) VALUES ('01001', ?, 1)"_s,
         {u"アマランサス"_s});
    const QString heading = u"食品番号,食品名,群,廃棄率,エネルギー\r\n"_s;
    const QString path = install.file(u"syokuM2020.csv"_s);
    struct Case {
        const char* what;
        QByteArray bytes;
        QString says;
    };
    const Case cases[] = {
        {"UTF-8", (heading + u"1001,アマランサス,01,0,343\r\n"_s).toUtf8(),
         u"UTF-8 で保存されています"_s},
        {"unclosed quote",
         *store::Cp932::encode(heading +
                               u"1001,\"アマランサス,01,0,343\r\n01002,あわ,01,0,346\r\n"_s),
         u"の 2 行目: 「\"」で始まる値が閉じられていません"_s},
        {"heading only", *store::Cp932::encode(heading), u"データがないので、読み込みません"_s},
        {"empty", QByteArray(), u"データがないので、読み込みません"_s},
    };
    for (const Case& c : cases) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.bytes);
        f.close();
        try {
            FoodImport::ImportFoodCsv(db, path, prompter);
            ADD_FAILURE() << c.what << ": merged";
        } catch (const store::StoreError& e) {
            EXPECT_TRUE(e.message().contains(c.says))
                << c.what << ": " << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(u"syokuM2020.csv"_s)) << c.what;
        }
        EXPECT_EQ(food(u"01001"_s, u"SyokuMei, neturyo"_s), u"アマランサス|1"_s) << c.what;
        EXPECT_EQ(scalar(db, u"SELECT COUNT(*) FROM SyokuM"_s).toInt(), 1) << c.what;
    }
    EXPECT_TRUE(prompter.shown().isEmpty());
}

TEST_F(FoodImportTest, NamesEndInFullWidthKatakanaWithoutOuterBlanks)
{
    exec(db, u"INSERT INTO SyokuM (Syoku_ID, SyokuMei) VALUES ('01', ?), ('02', ?)"_s,
         {u"　　じゃがいも　ｶﾞｰﾘｯｸ abc1"_s, u"にんじん　皮なし　"_s});
    FoodImport::NormaliseNames(db);
    FoodImport::TrimNames(db);
    EXPECT_EQ(food(u"01"_s, u"SyokuMei"_s), u"ジャガイモ　ガーリック　ａｂｃ１"_s);
    EXPECT_EQ(food(u"02"_s, u"SyokuMei"_s), u"ニンジン　皮ナシ"_s);
}

TEST_F(FoodImportTest, RangesAssignGroupsInSortOrder)
{
    for (const char* id : {"01001", "01002", "04001", "06001"})
        exec(db, u"INSERT INTO SyokuM (Syoku_ID, syokugun, syokugun2) VALUES (?, 9, 9)"_s,
             {QString::fromLatin1(id)});
    exec(db, u"INSERT INTO SyokuGunMb VALUES (1, '01001', '04999', 1), (2, '01002', '01002', 2), "
             u"(3, '06001', '06999', NULL)"_s);
    exec(db,
         u"INSERT INTO SyokuGunM2b VALUES (1, '01001', '01999', 2), (2, '04001', '04999', NULL)"_s);
    masters::FoodGroupRanges::ApplyRanges(db);
    EXPECT_EQ(food(u"01001"_s, u"syokugun, syokugun2"_s), u"1|2"_s);
    EXPECT_EQ(food(u"01002"_s, u"syokugun, syokugun2"_s), u"2|2"_s); // the higher sort number wins
    EXPECT_EQ(food(u"04001"_s, u"syokugun, syokugun2"_s), u"1|0"_s); // empty group: 0 in class 2
    EXPECT_EQ(food(u"06001"_s, u"syokugun, syokugun2"_s), u"9|9"_s); // empty group: kept in class 1

    exec(db, u"UPDATE SyokuGunMb SET SyokuID1='1001' WHERE S_ID=1"_s);
    masters::FoodGroupRanges::PadRangeCodes(db);
    EXPECT_EQ(scalar(db, u"SELECT SyokuID1 FROM SyokuGunMb WHERE S_ID=1"_s).toString(), u"01001"_s);
    exec(db, u"UPDATE SyokuGunMb SET SyokuID2='abc' WHERE S_ID=3"_s);
    EXPECT_THROW(masters::FoodGroupRanges::PadRangeCodes(db), store::StoreError);
}
