#include "store/Money.h"
#include "store/StoreError.h"

#include <QVariant>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

using namespace Qt::StringLiterals;
using store::Money;

namespace {

TEST(Money, Parse)
{
    struct Case {
        QString text;
        std::optional<std::int64_t> units;
    };
    const Case cases[] = {
        {u"1234"_s, 12340000},
        {u"1,234.5"_s, 12345000},
        {u"-12.5"_s, -125000},
        {u"+7"_s, 70000},
        {u" 0.0001 "_s, 1},
        {u".5"_s, 5000},
        {u"5."_s, 50000},
        // More than four decimals round half away from zero.
        {u"0.00005"_s, 1},
        {u"0.000049"_s, 0},
        {u"-0.00005"_s, -1},
        {u"0.99995"_s, 10000},
        {u"99999999999999.9999"_s, 999999999999999999},
        // Not numbers.
        {u"abc"_s, std::nullopt},
        {u""_s, std::nullopt},
        {u"-"_s, std::nullopt},
        {u"."_s, std::nullopt},
        {u"1.2.3"_s, std::nullopt},
        {u"1e5"_s, std::nullopt},
        {u"--1"_s, std::nullopt},
        {u"１２"_s, std::nullopt}, // full-width digits
    };
    for (const auto& c : cases) {
        const std::optional<Money> m = Money::parse(c.text);
        ASSERT_EQ(m.has_value(), c.units.has_value()) << c.text.toStdString();
        if (m) {
            EXPECT_EQ(m->units(), *c.units) << c.text.toStdString();
        }
    }
}

TEST(Money, ToStringDropsTrailingZeros)
{
    struct Case {
        std::int64_t units;
        QString text;
    };
    const Case cases[] = {
        {0, u"0"_s},        {12340000, u"1234"_s}, {12345000, u"1234.5"_s}, {1, u"0.0001"_s},
        {-1, u"-0.0001"_s}, {-125000, u"-12.5"_s}, {10500, u"1.05"_s},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Money::fromUnits(c.units).toString(), c.text) << c.units;
        EXPECT_EQ(Money::parse(c.text), Money::fromUnits(c.units)) << c.units;
    }
}

TEST(Money, RoundedYenIsHalfAwayFromZero)
{
    struct Case {
        std::int64_t units;
        std::int64_t yen;
    };
    const Case cases[] = {
        {0, 0},     {4999, 0},   {5000, 1},    {15000, 2},       {14999, 1},
        {-4999, 0}, {-5000, -1}, {-15000, -2}, {12345000, 1235}, {-12345000, -1235},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Money::fromUnits(c.units).roundedYen(), c.yen) << c.units;
}

TEST(Money, MulRatio)
{
    struct Case {
        std::int64_t units;
        std::int64_t num;
        std::int64_t den;
        std::int64_t expected;
    };
    const Case cases[] = {
        {1000000, 108, 100, 1080000}, // 100 yen with the tax factor is 108 yen
        {1234567, 108, 100, 1333332}, // 133.333236 → 133.3332
        {1, 108, 100, 1},             // 1.08 units
        {5, 108, 100, 5},             // 5.4 units
        {50, 108, 100, 54},
        {1, 150, 100, 2}, // 1.5 units away from zero
        {-1, 150, 100, -2},
        {1, 149, 100, 1},
        {10, 1, 3, 3},
        {20, 1, 3, 7},
        {-20, 1, 3, -7},
        {20, 1, -3, -7},
        {0, 108, 100, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Money::fromUnits(c.units).mulRatio(c.num, c.den).units(), c.expected)
            << c.units << " * " << c.num << " / " << c.den;
}

TEST(Money, FromVariant)
{
    EXPECT_EQ(Money::fromVariant(QVariant()), Money());
    EXPECT_EQ(Money::fromVariant(QVariant::fromValue<qlonglong>(12345)).units(), 12345);
    EXPECT_EQ(Money::fromVariant(u"12.5"_s).units(), 125000);
    EXPECT_EQ(Money::fromVariant(u"abc"_s), Money());
    const Money m = Money::fromYen(-42);
    EXPECT_EQ(Money::fromVariant(m.toVariant()), m);
}

TEST(Money, ArithmeticAndOrder)
{
    const Money a = Money::fromYen(3);
    const Money b = Money::fromUnits(5000);
    EXPECT_EQ((a + b).units(), 35000);
    EXPECT_EQ((a - b).units(), 25000);
    EXPECT_EQ((-a).units(), -30000);
    Money c = a;
    c += b;
    c -= Money::fromYen(1);
    EXPECT_EQ(c.units(), 25000);
    EXPECT_LT(b, a);
    EXPECT_DOUBLE_EQ(Money::fromUnits(12345).toDouble(), 1.2345);
}

// One stated range, ±99,999,999,999,999.9999 yen: whatever makes a value
// outside it is refused with the range message, and everything inside it
// computes without overflow and reads back from its own text.
TEST(Money, StaysWithinItsRange)
{
    const Money max = Money::fromUnits(Money::kMaxUnits);
    const Money min = -max;
    const Money unit = Money::fromUnits(1);
    const Money big = Money::fromYen(90'000'000'000'000); // 9×10¹³ yen
    struct Case {
        const char* what;
        std::function<Money()> make;
        std::optional<std::int64_t> units; // nothing: refused
    };
    const Case cases[] = {
        {"largest text", [] { return *Money::parse(u"99999999999999.9999"_s); }, Money::kMaxUnits},
        {"smallest text", [] { return *Money::parse(u"-99999999999999.9999"_s); },
         -Money::kMaxUnits},
        {"leading zeros", [] { return *Money::parse(u"000000000000000012.5"_s); }, 125000},
        {"rounds past the range", [] { return *Money::parse(u"99999999999999.99995"_s); }, {}},
        {"rounds below the range", [] { return *Money::parse(u"-99999999999999.99995"_s); }, {}},
        {"15 whole digits", [] { return *Money::parse(u"123456789012345"_s); }, {}},
        {"units beyond", [] { return Money::fromUnits(Money::kMaxUnits + 1); }, {}},
        {"yen beyond", [] { return Money::fromYen(Money::kMaxYen + 1); }, {}},
        {"int64 yen", [] { return Money::fromYen(INT64_MAX); }, {}},
        {"sum beyond", [&] { return max + unit; }, {}},
        {"difference beyond", [&] { return min - unit; }, {}},
        {"negated smallest", [&] { return -min; }, Money::kMaxUnits},
        {"stored beyond",
         [] { return Money::fromVariant(QVariant::fromValue<qlonglong>(INT64_MIN)); },
         {}},
        {"stored real beyond", [] { return Money::fromVariant(QVariant(1e300)); }, {}},
        // 9×10¹³ yen × 1.08 overflowed 64 bits in the intermediate product.
        {"large times tax", [&] { return big.mulRatio(108, 100); }, 972'000'000'000'000'000},
        {"product beyond", [&] { return max.mulRatio(2, 1); }, {}},
        {"ratio over zero", [&] { return unit.mulRatio(1, 0); }, {}},
    };
    for (const auto& c : cases) {
        if (c.units) {
            EXPECT_EQ(c.make().units(), *c.units) << c.what;
            continue;
        }
        try {
            c.make();
            ADD_FAILURE() << c.what << ": accepted";
        } catch (const store::StoreError& e) {
            EXPECT_TRUE(e.message().startsWith(u"金額"_s)) << c.what;
        }
    }
    for (const Money m : {max, min, big, unit})
        EXPECT_EQ(Money::parse(m.toString()), m) << m.toString().toStdString();
    EXPECT_EQ(big.roundedYenTimes(108, 100), 97'200'000'000'000);
    EXPECT_EQ(max.roundedYen(), Money::kMaxYen + 1);
    EXPECT_THROW(max.roundedYenTimes(3, 1), store::StoreError);
}

} // namespace

TEST(Money, RoundedYenTimesRoundsOnceAtTheEnd)
{
    const struct {
        const char* amount;
        std::int64_t yen;
    } cases[] = {
        {"100", 108}, {"0.463", 1}, {"0.4629", 0}, {"-0.463", -1}, {"1234.5678", 1333}, {"0", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(store::Money::parse(QString::fromLatin1(c.amount))->roundedYenTimes(108, 100),
                  c.yen)
            << c.amount;
}
