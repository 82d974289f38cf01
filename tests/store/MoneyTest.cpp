#include "store/Money.h"

#include <QVariant>
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
        {u"１２"_s, std::nullopt},            // full-width digits
        {u"123456789012345"_s, std::nullopt}, // beyond the fixed-point range
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
