#include "menu/DemoData.h"
#include "masters/InitialData.h"
#include "store/SchemaUpgrade.h"
#include "store/Sql.h"
#include "store/StoreError.h"
#include "support/TempInstall.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using store::Sql::exec;
using store::Sql::scalar;

namespace {

// A demo installation, made once; the tests only read it.
class DemoDataTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        install = new TempInstall;
        session = install->openSession().release();
        store::SchemaUpgrade(*session).runAll();
        masters::InitialData::load(*session);
        menu::DemoData::load(*session);
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

} // namespace

TEST_F(DemoDataTest, AMonthOfWeekdaysWithEveryMealServed)
{
    QList<QDate> days;
    QSqlQuery q = exec(db(), u"SELECT kijitu FROM kondateM ORDER BY kijitu"_s);
    while (q.next())
        days << QDate::fromString(q.value(0).toString(), u"yyyy-MM-dd"_s);
    ASSERT_GE(days.size(), 20);
    for (const QDate& d : days) {
        EXPECT_LE(d.dayOfWeek(), 5) << d.toString().toStdString();
        EXPECT_EQ(d.month(), days.first().month());
    }

    // Six slots a day; a slot has dishes exactly when it has a head count.
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM kondateM2"_s), 6 * days.size());
    EXPECT_EQ(count(u"SELECT COUNT(DISTINCT kondate_ID || '/' || K1 || K2) FROM kondateM2 "
                    u"WHERE K1 BETWEEN 0 AND 2 AND K2 BETWEEN 0 AND 1"_s),
              6 * days.size());
    const QString hasDishes = u"EXISTS (SELECT 1 FROM kondateM3 d WHERE d.kondate_ID=s.kondate_ID "
                              u"AND d.K1=s.K1 AND d.K2=s.K2)"_s;
    EXPECT_EQ(
        count(u"SELECT COUNT(*) FROM kondateM2 s WHERE (IFNULL(Ninzu, 0) > 0) <> "_s + hasDishes),
        0);
    // Every slot of every day is served.
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM kondateM2 s WHERE NOT "_s + hasDishes), 0);

    // Staff and inspection meals only with the over-threes; actual = planned
    // less the day's absentees (2 and 1 on the first day).
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM kondateM2 WHERE K2=1 AND "
                    u"(IFNULL(Ninzu3, 0) <> 0 OR IFNULL(Ninzu4, 0) <> 0)"_s),
              0);
    EXPECT_EQ(scalar(db(), u"SELECT group_concat(Ninzu || '/' || Ninzu2, ' ') FROM "
                           u"(SELECT Ninzu, Ninzu2 FROM kondateM2 WHERE kondate_ID=1 AND K1=0 "
                           u"ORDER BY K2)"_s)
                  .toString(),
              u"65/63 30/29"_s);
}

TEST_F(DemoDataTest, SlotsHoldTheirDishesRecipes)
{
    // Every food line is its recipe's line with the target group's quantity,
    // and every recipe line of a served dish is there.
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM kondateD k LEFT JOIN RyoriD r "
                    u"ON r.Ryori_ID=k.Ryori_ID AND r.SubNo=k.SubNo "
                    u"WHERE r.Syoku_ID IS NOT k.Syoku_ID "
                    u"OR k.Suryo IS NOT (CASE k.K2 WHEN 0 THEN r.Suryo1 ELSE r.Suryo2 END)"_s),
              0);
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM kondateM3 d JOIN RyoriD r ON r.Ryori_ID=d.Ryori_ID"_s),
              count(u"SELECT COUNT(*) FROM kondateD"_s));
    EXPECT_EQ(
        scalar(db(), u"SELECT kondateMei FROM kondateM2 WHERE kondate_ID=1 AND K1=0 AND K2=1"_s)
            .toString(),
        u"ご飯,豆腐とわかめのみそ汁,ほうれん草のおひたし,鮭の塩焼き,みかん,"_s);
}

TEST_F(DemoDataTest, EveryDayHasPricedPurchaseLinesAndADayCost)
{
    const int days = count(u"SELECT COUNT(*) FROM kondateM"_s);
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM kondateQ WHERE k1=99 AND Ryori_ID=99 AND Syoku_ID=99 "
                    u"AND SyokuMei='合計' AND kijitu=(SELECT kijitu FROM kondateM m "
                    u"WHERE m.Kondate_ID=kondateQ.kondate_ID)"_s),
              days);
    // One line per meal type, dish and food of the day.
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM kondateQ WHERE k1<>99"_s),
              count(u"SELECT COUNT(*) FROM (SELECT DISTINCT kondate_ID, K1, Ryori_ID, Syoku_ID "
                    u"FROM kondateD)"_s));
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM kondateQ WHERE k1<>99 AND (IFNULL(kingaku, 0) <= 0 "
                    u"OR E01 NOT IN (SELECT Gyosya_ID FROM GyosyaM))"_s),
              0);
    // The day total is the sum of the day's lines, and the costs attributed
    // to the two groups add up to each line's amount within a yen.
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM kondateQ t WHERE k1=99 AND kingaku <> "
                    u"(SELECT SUM(kingaku) FROM kondateQ l WHERE l.kondate_ID=t.kondate_ID "
                    u"AND l.k1<>99)"_s),
              0);
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM kondateQ WHERE k1<>99 AND "
                    u"(D03 <> D01 + D02 OR ABS(D03 - kingaku / 10000.0) > 1)"_s),
              0);
    // A lunch line: 鮭の塩焼き (5101) for 65 + 30 children.
    EXPECT_EQ(scalar(db(), u"SELECT C01 || '/' || C02 || '/' || C03 || '/' || C04 || '/' || C05 "
                           u"FROM kondateQ WHERE kondate_ID=1 AND k1=0 AND Ryori_ID=5101 "
                           u"AND Syoku_ID=10134"_s)
                  .toString(),
              u"65/30/63/29/6"_s);

    EXPECT_EQ(count(u"SELECT COUNT(*) FROM kondateM2 WHERE K1=0 AND IFNULL(kin1, 0) <= 0"_s), 0);
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM kondateM2 WHERE K1<>0 AND kin1 IS NOT NULL"_s), 0);
}

TEST_F(DemoDataTest, TheMonthMeetsTheStandardsADietitianChecks)
{
    // The month's daily average of each nutrient, computed as the nutrient
    // expansion computes it: value per 100 g / 100 x grams of every food line.
    const QStringList nutrients = {u"neturyo"_s, u"tanpaku"_s, u"shi"_s,  u"tou"_s,  u"Ca"_s,
                                   u"Fe"_s,      u"ViA"_s,     u"ViB1"_s, u"ViB2"_s, u"ViC"_s,
                                   u"Nacl"_s,    u"Seni"_s,    u"K"_s};
    const double days = count(u"SELECT COUNT(*) FROM kondateM"_s);
    for (int k2 = 0; k2 < 2; ++k2) {
        QStringList sums;
        for (const QString& n : nutrients)
            sums << u"SUM(IFNULL(f.%1, 0) / 100.0 * d.Suryo)"_s.arg(n);
        QSqlQuery q = exec(db(),
                           u"SELECT "_s + sums.join(u", "_s) +
                               u" FROM kondateD d JOIN SyokuM f ON f.Syoku_ID=d.Syoku_ID "
                               u"WHERE d.K2=?"_s,
                           {k2});
        ASSERT_TRUE(q.next());
        QSqlQuery wg = exec(db(), k2 == 0 ? u"SELECT S1 FROM WG ORDER BY WG_ID"_s
                                          : u"SELECT S2 FROM WG ORDER BY WG_ID"_s);
        for (int i = 0; i < nutrients.size(); ++i) {
            ASSERT_TRUE(wg.next());
            const double average = q.value(i).toDouble() / days;
            const double ratio = average / wg.value(0).toDouble();
            const auto where = "K2 " + std::to_string(k2) + " " + nutrients.at(i).toStdString() +
                               " " + std::to_string(average);
            if (i == 0) {
                EXPECT_GE(ratio, 0.9) << where;
                EXPECT_LE(ratio, 1.1) << where;
            } else if (nutrients.at(i) == u"Nacl"_s) {
                // Over-threes: at most 2.0 g of salt a day on average.
                if (k2 == 0) {
                    EXPECT_LE(average, 2.0) << where;
                }
            } else {
                EXPECT_GE(ratio, 0.8) << where;
            }
        }
    }
}

TEST_F(DemoDataTest, SettingsLeadStraightToThePassword)
{
    QSqlQuery q = exec(session->ahm(), u"SELECT meisyou, 年度, PM5, PM7, PM8 FROM HeadM"_s);
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), menu::DemoData::institutionName());
    EXPECT_EQ(q.value(1).toInt(), 2025); // June 2025 is in fiscal year 2025
    EXPECT_EQ(q.value(2).toInt(), 0);
    EXPECT_EQ(q.value(3).toInt(), 85);
    EXPECT_EQ(q.value(4).toInt(), 1);
    EXPECT_FALSE(q.next());
}

TEST_F(DemoDataTest, IsNotLoadedTwice)
{
    const int lines = count(u"SELECT COUNT(*) FROM kondateD"_s);
    EXPECT_THROW(menu::DemoData::loadMenus(db()), store::StoreError);
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM kondateD"_s), lines);
}
