#include "menu/DayCost.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using menu::CostLine;
using menu::DayCost;
using store::Money;

namespace {

struct Expected {
    QList<std::pair<std::int64_t, std::int64_t>> lineCosts;
    std::int64_t dayAmount;
    double groupCost0, groupCost1;
    double perPerson0, perPerson1;
    bool amountsPerFood;
    int messages;
};

} // namespace

TEST(DayCost, ApportionsTheDaysAmountToTheTargetGroups)
{
    const struct {
        const char* what;
        QList<CostLine> lines;
        std::optional<Money> dayTotal;
        int taxEntryMode;
        Expected expected;
    } cases[] = {
        // 1 000 yen without tax for 40 children at 50 g and 10 at 40 g:
        // 1 080 yen over 2 400 g eaten is 0.45 yen a gram.
        {"per food, without tax",
         {{u"牛乳"_s, 50, 40, 40, 10, Money::fromYen(1000)}},
         Money(),
         1,
         {{{900, 180}}, 1080, 900, 180, 22.5, 18, true, 0}},
        // Only the day's total: 10 000 / (10 / 40 × 0.85 + 1) for the
        // over-threes, the rest for the under-threes.
        {"day total only",
         {{u"牛乳"_s, 50, 40, 40, 10, Money()}},
         Money::fromYen(10000),
         0,
         {{{0, 0}}, 10000, 8247.4227, 1752.5773, 206.1856, 175.2577, false, 0}},
        // Each line rounds its halves up; the over-threes take what that
        // leaves, so that the groups add up to the day's amount.
        {"rounding left to group 0",
         {{u"塩"_s, 10, 10, 1, 1, Money::fromYen(1)}, {u"酢"_s, 10, 10, 1, 1, Money::fromYen(1)}},
         Money(),
         0,
         {{{1, 1}, {1, 1}}, 2, 0, 2, 2, 2, true, 0}},
        // An amount for a food nobody ate costs nothing per line and is
        // reported; the day's amount still holds it.
        {"amount without eaters",
         {{u"りんご"_s, 50, 40, 0, 0, Money::fromYen(500)}},
         Money(),
         0,
         {{{0, 0}}, 500, 500, 0, 0, 0, true, 1}},
        // No total row: the lines are costed, the groups are not.
        {"no total row",
         {{u"牛乳"_s, 50, 40, 40, 10, Money::fromYen(1000)}},
         std::nullopt,
         0,
         {{{833, 167}}, 1000, 0, 0, 0, 0, false, 0}},
        // The day total is split by the eaters of the last line; none over
        // three leaves everything at 0.
        {"day total, nobody over three",
         {{u"牛乳"_s, 50, 40, 40, 10, Money()}, {u"パン"_s, 0, 40, 0, 10, Money()}},
         Money::fromYen(1000),
         1,
         {{{0, 0}, {0, 0}}, 1080, 0, 0, 0, 0, false, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const menu::DayCostResult r = DayCost::compute(c.lines, c.dayTotal, c.taxEntryMode, 85);
        EXPECT_EQ(r.lineCosts, c.expected.lineCosts);
        EXPECT_EQ(r.dayAmount, c.expected.dayAmount);
        EXPECT_NEAR(r.groupCost[0], c.expected.groupCost0, 1e-9);
        EXPECT_NEAR(r.groupCost[1], c.expected.groupCost1, 1e-9);
        EXPECT_NEAR(r.perPerson[0], c.expected.perPerson0, 1e-9);
        EXPECT_NEAR(r.perPerson[1], c.expected.perPerson1, 1e-9);
        EXPECT_EQ(r.amountsPerFood, c.expected.amountsPerFood);
        EXPECT_EQ(r.messages.size(), c.expected.messages);
    }
}

TEST(DayCost, TaxIsAddedBeforeRoundingToWholeYen)
{
    const struct {
        const char* amount;
        int mode;
        std::int64_t yen;
    } cases[] = {
        {"1000", 1, 1080}, {"1000", 0, 1000}, {"0.5", 0, 1}, {"2.3148", 1, 2}, // 2.499984 yen
        {"2.3149", 1, 3},                                                      // 2.500092 yen
    };
    for (const auto& c : cases)
        EXPECT_EQ(DayCost::withTax(*Money::parse(QString::fromLatin1(c.amount)), c.mode), c.yen)
            << c.amount << " mode " << c.mode;
    EXPECT_EQ(
        DayCost::unusedFoodMessage(u"りんご"_s),
        u"実食数が空白であるか\nまたは\nこの食品【りんご】の使用量が0になっていますので、確認してください。"_s);
}
