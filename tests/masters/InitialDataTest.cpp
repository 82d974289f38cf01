#include "masters/InitialData.h"
#include "data/DataFiles.h"
#include "masters/FoodImport.h"
#include "store/Prompter.h"
#include "store/SchemaUpgrade.h"
#include "store/Sql.h"
#include "store/StoreError.h"
#include "support/TempInstall.h"

#include <gtest/gtest.h>
#include <optional>

using namespace Qt::StringLiterals;
using masters::InitialData;
using store::Sql::exec;
using store::Sql::scalar;

namespace {

// A new installation filled once with the delivered data; the tests only read it.
class InitialDataTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        install = new TempInstall;
        session = install->openSession().release();
        store::SchemaUpgrade(*session).runAll();
        InitialData::load(*session);
    }
    static void TearDownTestSuite()
    {
        delete session;
        delete install;
    }
    static QSqlDatabase db() { return session->aaa(); }
    static int count(const QString& sql) { return scalar(db(), sql).toInt(); }

    static inline TempInstall* install = nullptr;
    static inline store::Session* session = nullptr;
};

const QStringList kNutrients = {u"haiki"_s, u"neturyo"_s, u"tanpaku"_s, u"shi"_s,  u"tou"_s,
                                u"Ca"_s,    u"Fe"_s,      u"ViA"_s,     u"ViB1"_s, u"ViB2"_s,
                                u"ViC"_s,   u"Nacl"_s,    u"Seni"_s,    u"K"_s};

} // namespace

TEST_F(InitialDataTest, FoodsCarryTheValuesOfTheCompositionTable)
{
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM SyokuM"_s), 2538);

    // nullopt: the table has "-" (not determined), stored as empty; "Tr" and
    // "(0)" are 0.
    const struct {
        QString id;
        QList<std::optional<double>> values; // waste rate and the thirteen nutrients
    } cases[] = {
        // アマランサス 玄穀: vitamin A is Tr and vitamin C (0) in the table.
        {u"01001"_s, {0, 343, 12.7, 6.0, 64.9, 160, 9.4, 0, 0.04, 0.14, 0, 0, 7.4, 600}},
        // 角形食パン 焼き: vitamin A is "-".
        {u"01174"_s, {0, 269, 9.7, 4.5, 50.6, 26, 0.5, std::nullopt, 0.07, 0.05, 0, 1.3, 4.6, 93}},
        // 油ふ: vitamin C and fibre are "-".
        {u"01177"_s,
         {0, 547, 22.7, 35.3, 34.4, 19, 1.7, 0, 0.07, 0.03, std::nullopt, 0.1, std::nullopt, 71}},
        // ほうれんそう: a waste rate; 普通牛乳: iron with two decimals.
        {u"06267"_s, {10, 18, 2.2, 0.4, 3.1, 49, 2.0, 350, 0.11, 0.20, 35, 0, 2.8, 690}},
        {u"13003"_s, {0, 61, 3.3, 3.8, 4.8, 110, 0.02, 38, 0.04, 0.15, 1, 0.1, 0, 150}},
    };
    for (const auto& c : cases) {
        QSqlQuery q =
            exec(db(), u"SELECT "_s + kNutrients.join(u", "_s) + u" FROM SyokuM WHERE Syoku_ID=?"_s,
                 {c.id});
        ASSERT_TRUE(q.next()) << c.id.toStdString();
        for (int i = 0; i < kNutrients.size(); ++i) {
            const auto where = c.id.toStdString() + " " + kNutrients.at(i).toStdString();
            if (!c.values.at(i))
                EXPECT_TRUE(q.value(i).isNull()) << where;
            else {
                ASSERT_FALSE(q.value(i).isNull()) << where;
                EXPECT_DOUBLE_EQ(q.value(i).toDouble(), *c.values.at(i)) << where;
            }
        }
    }
}

TEST_F(InitialDataTest, EveryFoodHasANameOfItsOwn)
{
    EXPECT_EQ(count(u"SELECT COUNT(DISTINCT SyokuMei) FROM SyokuM"_s),
              count(u"SELECT COUNT(*) FROM SyokuM"_s));
    // Foods the bare official names used to confuse: raw and cooked rice,
    // canned sardine and mackerel, daikon and aubergine pickles, and names
    // that used to be cut mid-word.
    const struct {
        QString id, name;
    } cases[] = {
        {u"01083"_s, u"コメ　水稲穀粒　精白米　ウルチ米"_s},
        {u"01088"_s, u"コメ　水稲メシ　精白米　ウルチ米"_s},
        {u"10060"_s, u"イワシ　缶詰　水煮"_s},
        {u"10164"_s, u"サバ　缶詰　水煮"_s},
        {u"06137"_s, u"ダイコン　漬物　ヌカミソ漬"_s},
        {u"06196"_s, u"ナス　漬物　ヌカミソ漬"_s},
        {u"06379"_s, u"スイートコーン　カーネル　冷凍　油イタメ"_s},
        {u"01046"_s, u"コムギ　手延ソウメン・手延ヒヤムギ　ユデ"_s},
        {u"11198"_s, u"ブタ　ゼラチン"_s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(
            scalar(db(), u"SELECT SyokuMei FROM SyokuM WHERE Syoku_ID=?"_s, {c.id}).toString(),
            c.name)
            << c.id.toStdString();
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM SyokuM WHERE SyokuMei LIKE '　%' OR SyokuMei LIKE '%　' "
                    u"OR SyokuMei LIKE '%　　%' OR SyokuMei GLOB '*[ぁ-ゖ（）＜＞［］]*'"_s),
              0);
}

TEST_F(InitialDataTest, EveryFoodHasAGroupInBothClassifications)
{
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM SyokuM WHERE syokugun IS NULL "
                    u"OR syokugun NOT IN (SELECT SyokuGun_ID FROM SyokuGunM)"_s),
              0);
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM SyokuM WHERE syokugun2 IS NULL "
                    u"OR syokugun2 NOT IN (1, 2, 3)"_s),
              0);
    // Later ranges move runs of codes out of the group of their official
    // group; the range file's columns are in exchange order.
    const struct {
        QString id;
        int group1, group2;
    } cases[] = {
        {u"01083"_s, 1, 2},  // rice: 米類 out of the cereals, 黄
        {u"06267"_s, 15, 3}, // spinach: 緑黄色野菜
        {u"06214"_s, 15, 3}, // carrot
        {u"11198"_s, 12, 1}, // gelatine stays with meat
        {u"16056"_s, 20, 3}, // 青汁: the green exception among drinks
        {u"17045"_s, 21, 1}, // miso: red, made of soybeans
        // Colours by what a food mainly supplies: strawberries are green,
        // their jam, cream, ice cream and lactic-acid drinks are energy
        // foods, milk is red, and the corn soup has one colour in both forms.
        {u"07012"_s, 17, 3},
        {u"07013"_s, 17, 2},
        {u"13003"_s, 14, 1},
        {u"13014"_s, 14, 2},
        {u"13042"_s, 14, 2},
        {u"13028"_s, 14, 2},
        {u"18004"_s, 22, 2},
        {u"18005"_s, 22, 2},
    };
    for (const auto& c : cases) {
        QSqlQuery q =
            exec(db(), u"SELECT syokugun, syokugun2 FROM SyokuM WHERE Syoku_ID=?"_s, {c.id});
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.value(0).toInt(), c.group1) << c.id.toStdString();
        EXPECT_EQ(q.value(1).toInt(), c.group2) << c.id.toStdString();
    }
    EXPECT_EQ(scalar(db(),
                     u"SELECT SyokuID1 || '-' || SyokuID2 || ':' || SyokuGun_ID FROM SyokuGunMb "
                     u"WHERE S_ID=10"_s)
                  .toString(),
              u"01000-01999:4"_s);
    // The rice the under-threes are served, raw, as the sample month serves it.
    EXPECT_DOUBLE_EQ(scalar(db(), u"SELECT S2 FROM SyokuGunM WHERE SyokuGun_ID=1"_s).toDouble(),
                     33.0);
}

TEST_F(InitialDataTest, ListsStandardsAndDishes)
{
    QStringList lists;
    QSqlQuery q = exec(db(), u"SELECT Syokuji_ID || ' ' || Syokujimei FROM SyokujiM ORDER BY 1"_s);
    while (q.next())
        lists << q.value(0).toString();
    q = exec(db(), u"SELECT Taisyo_ID || ' ' || Taisyomei FROM TaisyoM ORDER BY 1"_s);
    while (q.next())
        lists << q.value(0).toString();
    EXPECT_EQ(lists, (QStringList{u"1 昼食"_s, u"2 おやつ１"_s, u"3 おやつ２"_s, u"0 3歳以上"_s,
                                  u"1 3歳未満"_s}));

    QList<int> ids;
    q = exec(db(), u"SELECT WG_ID FROM WG ORDER BY WG_ID"_s);
    while (q.next())
        ids << q.value(0).toInt();
    EXPECT_EQ(ids, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(
        scalar(db(), u"SELECT Meisyo || ' ' || S1 || ' ' || S2 FROM WG WHERE WG_ID=0"_s).toString(),
        u"熱量 kcal 466.0 463.0"_s);
    EXPECT_EQ(scalar(db(), u"SELECT Meisyo || ' ' || S1 || ' ' || S2 FROM WG WHERE WG_ID=12"_s)
                  .toString(),
              u"K mg 468.0 450.0"_s);

    EXPECT_GE(count(u"SELECT COUNT(*) FROM RyoriM"_s), 60);
    EXPECT_EQ(
        count(u"SELECT COUNT(*) FROM RyoriD WHERE Syoku_ID NOT IN (SELECT Syoku_ID FROM SyokuM) "
              u"OR Ryori_ID NOT IN (SELECT Ryori_ID FROM RyoriM)"_s),
        0);
    EXPECT_EQ(
        count(u"SELECT COUNT(*) FROM RyoriM WHERE Ryori_ID NOT IN (SELECT Ryori_ID FROM RyoriD)"_s),
        0);
    EXPECT_EQ(scalar(db(), u"SELECT Syoku_ID || ' ' || Suryo1 || ' ' || Suryo2 FROM RyoriD "
                           u"WHERE Ryori_ID='1101' AND SubNo=10"_s)
                  .toString(),
              u"01083 35.0 29.8"_s);
}

TEST_F(InitialDataTest, AFilledInstallationIsNotFilledAgain)
{
    const QString contents =
        u"SELECT COUNT(*) || ' ' || SUM(neturyo) || ' ' || SUM(syokugun) FROM SyokuM"_s;
    const QString before = scalar(db(), contents).toString();
    try {
        InitialData::load(*session);
        FAIL() << "loaded twice";
    } catch (const store::StoreError& e) {
        EXPECT_TRUE(e.message().startsWith(u"既にデータが登録されているので"_s))
            << e.message().toStdString();
    }
    EXPECT_EQ(scalar(db(), contents).toString(), before);
}

TEST(InitialDataLoad, MergingTheDeliveredFoodFileAgainChangesNoName)
{
    TempInstall install;
    auto session = install.openSession();
    store::SchemaUpgrade(*session).runAll();
    InitialData::load(*session);
    const QSqlDatabase db = session->aaa();
    const auto names = [&] {
        QStringList out;
        QSqlQuery q = exec(db, u"SELECT Syoku_ID || ' ' || SyokuMei FROM SyokuM ORDER BY 1"_s);
        while (q.next())
            out << q.value(0).toString();
        return out;
    };
    const QStringList before = names();

    // What the food master's "成分表2020版読込" does with the file, then the
    // blank trimming of "前方の空白を削除".
    store::ScriptedPrompter prompter;
    EXPECT_EQ(
        masters::FoodImport::ImportFoodCsv(db, data::DataFiles::path(u"foods2023.csv"_s), prompter),
        before.size());
    EXPECT_TRUE(prompter.shown().isEmpty());
    masters::FoodImport::NormaliseNames(db);
    EXPECT_EQ(names(), before);
    masters::FoodImport::TrimNames(db);
    EXPECT_EQ(names(), before);
}

TEST(InitialDataLoad, RefusesAnyUserDataAndLoadsWholeOrNothing)
{
    TempInstall install;
    auto session = install.openSession();
    store::SchemaUpgrade(*session).runAll();
    const QSqlDatabase db = session->aaa();
    const auto foods = [&] { return scalar(db, u"SELECT COUNT(*) FROM SyokuM"_s).toInt(); };

    // One dish of the user's own is enough to refuse.
    exec(db, u"INSERT INTO RyoriM (Ryori_ID, Ryoriemei) VALUES ('9901', 'うちの料理')"_s);
    EXPECT_EQ(InitialData::tablesInUse(db), QStringList{u"RyoriM"_s});
    EXPECT_THROW(InitialData::load(*session), store::StoreError);
    EXPECT_EQ(foods(), 0);
    exec(db, u"DELETE FROM RyoriM"_s);

    // A failure in the last step leaves nothing of the earlier ones.
    exec(db,
         u"CREATE TRIGGER refuse BEFORE INSERT ON RyoriD BEGIN SELECT RAISE(ABORT, 'no'); END"_s);
    EXPECT_THROW(InitialData::load(*session), store::StoreError);
    EXPECT_EQ(foods(), 0);
    EXPECT_EQ(scalar(db, u"SELECT COUNT(*) FROM SyokuGunMb"_s).toInt(), 0);
    EXPECT_EQ(scalar(db, u"SELECT COUNT(*) FROM WG"_s).toInt(), 1); // the upgrade's potassium row
    EXPECT_TRUE(InitialData::tablesInUse(db).isEmpty());
}
