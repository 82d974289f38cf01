#include "menu/PurchaseLines.h"
#include "menu/DayCost.h"
#include "menu/MenuDishes.h"
#include "store/SchemaUpgrade.h"
#include "store/Sql.h"
#include "support/TempInstall.h"

#include <gtest/gtest.h>
#include <optional>

using namespace Qt::StringLiterals;
using menu::DayCost;
using menu::MenuDishes;
using menu::PurchaseLines;
using store::Sql::exec;
using store::Sql::scalar;

namespace {

using Values = QList<std::optional<double>>;
constexpr std::nullopt_t none = std::nullopt;

// One menu day (2025-06-10, id 1) with rice for the under-threes and a
// spinach dish for both groups; spinach twice in the recipe, waste 10 %.
class PurchaseLinesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        session = install.openSession();
        store::SchemaUpgrade(*session).runAll();
        db = session->aaa();
        exec(db, u"INSERT INTO SyokuM (Syoku_ID, SyokuMei, haiki) VALUES "
                 u"('01083', 'コメ', 0), ('06267', 'ホウレンソウ', 10), ('17045', 'ミソ', 0)"_s);
        exec(db, u"INSERT INTO RyoriM VALUES ('1101', 'ご飯'), ('3201', 'おひたし')"_s);
        exec(db, u"INSERT INTO RyoriD VALUES ('1101', 10, '01083', 50, 42.5), "
                 u"('3201', 10, '06267', 30, 25.5), ('3201', 20, '17045', 2, NULL), "
                 u"('3201', 30, '06267', 30, 25.5)"_s);
        exec(db, u"INSERT INTO kondateM (Kondate_ID, kijitu) VALUES (1, '2025-06-10')"_s);
        for (int k1 = 0; k1 < 3; ++k1)
            for (int k2 = 0; k2 < 2; ++k2)
                exec(db, u"INSERT INTO kondateM2 (kondate_ID, K1, K2) VALUES (1, ?, ?)"_s,
                     {k1, k2});
        exec(db,
             u"UPDATE kondateM2 SET Ninzu=40, Ninzu2=38, Ninzu3=2, Ninzu4=1 WHERE K1=0 AND K2=0"_s);
        exec(db, u"UPDATE kondateM2 SET Ninzu=10, Ninzu2=9 WHERE K1=0 AND K2=1"_s);
        PurchaseLines::ensureTable(db);
    }
    void refresh()
    {
        PurchaseLines::refresh(db, 1, QDate(2025, 6, 10), PurchaseLines::expansionOfDay(db, 1));
    }
    // The fields of a purchase line of the lunch; empty when there is no such line.
    Values line(int ryori, int syoku, const QString& fields)
    {
        QSqlQuery q = exec(db,
                           u"SELECT "_s + fields +
                               u" FROM kondateQ WHERE kondate_ID=1 AND k1=0 "
                               u"AND Ryori_ID=? AND Syoku_ID=?"_s,
                           {ryori, syoku});
        Values out;
        if (q.next())
            for (int i = 0; i < fields.count(u',') + 1; ++i)
                out << (q.value(i).isNull() ? std::nullopt : std::optional(q.value(i).toDouble()));
        return out;
    }
    static void expectValues(const Values& actual, const Values& expected)
    {
        ASSERT_EQ(actual.size(), expected.size());
        for (qsizetype i = 0; i < actual.size(); ++i) {
            if (!expected.at(i))
                EXPECT_FALSE(actual.at(i)) << "field " << i;
            else if (!actual.at(i))
                ADD_FAILURE() << "field " << i << " is empty";
            else
                EXPECT_NEAR(*actual.at(i), *expected.at(i), 1e-9) << "field " << i;
        }
    }

    TempInstall install;
    std::unique_ptr<store::Session> session;
    QSqlDatabase db;
};

} // namespace

TEST_F(PurchaseLinesTest, DishesExpandIntoTheSlotsQuantities)
{
    // A line already there under the dish is left as it is.
    exec(db, u"INSERT INTO kondateD (kondate_ID, K1, K2, Ryori_ID, SubNo, Syoku_ID, Suryo) "
             u"VALUES (1, 0, 0, '3201', 30, '06267', 99)"_s);
    EXPECT_TRUE(MenuDishes::addDish(db, 1, 0, 0, u"3201"_s));
    EXPECT_TRUE(MenuDishes::addDish(db, 1, 0, 1, u"3201"_s));
    EXPECT_TRUE(MenuDishes::addDish(db, 1, 0, 1, u"1101"_s));
    EXPECT_FALSE(MenuDishes::addDish(db, 1, 0, 1, u"1101"_s));

    QStringList lines;
    QSqlQuery q =
        exec(db, u"SELECT K2 || ' ' || Ryori_ID || ' ' || SubNo || ' ' || Syoku_ID || ' ' || "
                 u"IFNULL(Suryo, '-') FROM kondateD ORDER BY K2, Ryori_ID, SubNo"_s);
    while (q.next())
        lines << q.value(0).toString();
    EXPECT_EQ(lines, (QStringList{u"0 3201 10 06267 30.0"_s, u"0 3201 20 17045 2.0"_s,
                                  u"0 3201 30 06267 99.0"_s, u"1 1101 10 01083 42.5"_s,
                                  u"1 3201 10 06267 25.5"_s, u"1 3201 20 17045 -"_s,
                                  u"1 3201 30 06267 25.5"_s}));
    // Dish-code order, each name followed by a comma.
    EXPECT_EQ(MenuDishes::menuName(db, 1, 0, 1), u"ご飯,おひたし,"_s);
    EXPECT_EQ(scalar(db, u"SELECT kondateMei FROM kondateM2 WHERE K1=0 AND K2=1"_s).toString(),
              u"ご飯,おひたし,"_s);
    EXPECT_TRUE(scalar(db, u"SELECT kondateMei FROM kondateM2 WHERE K1=1 AND K2=1"_s).isNull());
}

TEST_F(PurchaseLinesTest, LinesFollowTheMenuAndKeepTheirAmounts)
{
    for (int k2 = 0; k2 < 2; ++k2)
        MenuDishes::addDish(db, 1, 0, k2, u"3201"_s);
    MenuDishes::addDish(db, 1, 0, 1, u"1101"_s);
    refresh();

    const QString fields = u"A01, A02, A03, A04, B01, B02, B03, C01, C02, C03, C04, C05"_s;
    // Spinach twice in the dish: one line, quantities added; gross = net / 0.9.
    expectValues(line(3201, 6267, fields),
                 {60, 51, 60 / 0.9, 51 / 0.9, 40 * 60 / 0.9, 10 * 51 / 0.9,
                  40 * 60 / 0.9 + 10 * 51 / 0.9, 40, 10, 38, 9, 3});
    // Only the under-threes eat rice: the over-three fields stay empty.
    expectValues(line(1101, 1083, fields),
                 {none, 42.5, none, 42.5, none, 425, 425, none, 10, none, 9, none});
    EXPECT_EQ(scalar(db, u"SELECT SyokuMei || ' ' || kijitu FROM kondateQ WHERE k1=99 AND "
                         u"Ryori_ID=99 AND Syoku_ID=99"_s)
                  .toString(),
              u"合計 2025-06-10"_s);

    // The user enters amounts; then the miso goes from the menu and the
    // head count changes.
    exec(db, u"UPDATE kondateQ SET kingaku=?, E01=3 WHERE Syoku_ID=6267"_s,
         {store::Money::fromYen(1000).toVariant()});
    exec(db, u"UPDATE kondateQ SET kingaku=? WHERE Syoku_ID=17045"_s,
         {store::Money::fromYen(50).toVariant()});
    exec(db, u"DELETE FROM kondateD WHERE Syoku_ID='17045'"_s);
    exec(db, u"UPDATE kondateM2 SET Ninzu=20 WHERE K1=0 AND K2=1"_s);
    refresh();
    EXPECT_TRUE(line(3201, 17045, u"kingaku"_s).isEmpty());
    expectValues(line(3201, 6267, u"kingaku, E01, C02, B02"_s),
                 {1000 * 10000, 3, 20, 20 * 51 / 0.9});
    EXPECT_EQ(scalar(db, u"SELECT COUNT(*) FROM kondateQ"_s).toInt(), 3);

    // Eaten: 60 g × 38 and 51 g × 9 = 2 739 g at 0.3651 yen a gram.
    const menu::DayCostResult r = DayCost::calculate(db, 1, 0, 85);
    expectValues(line(3201, 6267, u"D01, D02, D03"_s), {832, 168, 1000});
    expectValues(line(1101, 1083, u"D01, D02, D03"_s), {0, 0, 0});
    EXPECT_EQ(scalar(db, u"SELECT kingaku FROM kondateQ WHERE k1=99"_s).toLongLong(), 10000000);
    EXPECT_DOUBLE_EQ(r.groupCost[0], 832);
    // 832 / 38 = 21.89 and 168 / 9 = 18.67 yen a child.
    QStringList kin1;
    QSqlQuery q =
        exec(db, u"SELECT K1 || K2 || '=' || IFNULL(kin1, '-') FROM kondateM2 ORDER BY K1, K2"_s);
    while (q.next())
        kin1 << q.value(0).toString();
    EXPECT_EQ(kin1,
              (QStringList{u"00=22"_s, u"01=19"_s, u"10=-"_s, u"11=-"_s, u"20=-"_s, u"21=-"_s}));
}

TEST_F(PurchaseLinesTest, MonthAmountAddsTheDayTotalsOfTheMonthSoFar)
{
    const struct {
        int id;
        const char* day;
        int yen;
    } totals[] = {{1, "2025-06-10", 1000},
                  {2, "2025-06-02", 500},
                  {3, "2025-05-30", 700},
                  {4, "2025-06-11", 300}};
    for (const auto& t : totals)
        exec(db,
             u"INSERT INTO kondateQ (kondate_ID, k1, Ryori_ID, Syoku_ID, kingaku, kijitu) "
             u"VALUES (?, 99, 99, 99, ?, ?)"_s,
             {t.id, store::Money::fromYen(t.yen).toVariant(), QString::fromLatin1(t.day)});
    EXPECT_EQ(DayCost::monthAmount(db, QDate(2025, 6, 10), 0), 1500);
    EXPECT_EQ(DayCost::monthAmount(db, QDate(2025, 6, 10), 1), 1620);
}

TEST_F(PurchaseLinesTest, AnOlderPurchaseTableIsReplaced)
{
    store::Sql::dropTable(db, u"kondateQ"_s);
    exec(db, u"CREATE TABLE kondateQ (kondate_ID INTEGER, k1 INTEGER, Ryori_ID INTEGER, "
             u"Syoku_ID INTEGER, kingaku MONEY, D01 FLOAT)"_s);
    exec(db, u"INSERT INTO kondateQ (kondate_ID, kingaku) VALUES (1, 5)"_s);
    PurchaseLines::ensureTable(db);
    EXPECT_TRUE(store::Sql::hasField(db, u"kondateQ"_s, u"E01"_s));
    EXPECT_EQ(scalar(db, u"SELECT COUNT(*) FROM kondateQ"_s).toInt(), 0);
}
