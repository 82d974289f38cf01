#include "store/Rounding.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using store::Rounding::roundHalfEven;
using store::Rounding::roundHalfUp;
using store::Rounding::roundToInt;

namespace {

struct Case {
    double x;
    int decimals;
    double expected;
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.x << " to " << c.decimals << " decimals";
}

class RoundHalfUp : public ::testing::TestWithParam<Case> {};

TEST_P(RoundHalfUp, RoundsTheVisibleDecimalValue)
{
    const Case c = GetParam();
    EXPECT_EQ(roundHalfUp(c.x, c.decimals), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RoundHalfUp,
    ::testing::Values(
        // Values that sit just below their printed half in binary.
        Case{0.85 * 33, 1, 28.1}, Case{28.049999999999997, 1, 28.1}, Case{28.05, 1, 28.1},
        Case{1.005, 2, 1.01}, Case{2.675, 2, 2.68}, Case{1.15, 1, 1.2}, Case{4.35, 1, 4.4},
        Case{8.675, 2, 8.68}, Case{0.285, 2, 0.29}, Case{999.95, 1, 1000.0},
        // Below and above the half.
        Case{28.04, 1, 28.0}, Case{28.0499, 1, 28.0}, Case{28.06, 1, 28.1}, Case{2.5, 0, 3.0},
        Case{2.4999, 0, 2.0}, Case{0.5, 0, 1.0}, Case{0.05, 1, 0.1}, Case{0.0049, 2, 0.0},
        // Negative values: half away from zero.
        Case{-2.5, 0, -3.0}, Case{-28.05, 1, -28.1}, Case{-1.005, 2, -1.01}, Case{-2.4, 0, -2.0},
        // Zero, whole numbers and places to the left of the point.
        Case{0.0, 1, 0.0}, Case{7.0, 2, 7.0}, Case{1234.5, -2, 1200.0}, Case{1250.0, -2, 1300.0},
        Case{0.0004, 0, 0.0},
        // Large values: nothing is lost, nothing overflows.
        Case{123456789.25, 1, 123456789.3}, Case{12345678901234.5, 0, 12345678901235.0},
        Case{1e20, 2, 1e20}, Case{-1e20, 0, -1e20},
        Case{1.7976931348623157e308, 0, 1.7976931348623157e308}));

TEST(Rounding, ZeroResultsArePositiveZero)
{
    EXPECT_FALSE(std::signbit(roundHalfUp(-0.04, 1)));
    EXPECT_FALSE(std::signbit(roundHalfUp(-0.0, 2)));
    EXPECT_FALSE(std::signbit(roundHalfEven(-0.5, 0)));
}

TEST(Rounding, NonFiniteValuesPassThrough)
{
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(roundHalfUp(inf, 1), inf);
    EXPECT_EQ(roundHalfUp(-inf, 1), -inf);
    EXPECT_TRUE(std::isnan(roundHalfUp(std::nan(""), 1)));
    EXPECT_TRUE(std::isnan(roundHalfEven(std::nan(""), 1)));
}

class RoundHalfEven : public ::testing::TestWithParam<Case> {};

TEST_P(RoundHalfEven, RoundsExactHalvesToTheEvenNeighbour)
{
    const Case c = GetParam();
    EXPECT_EQ(roundHalfEven(c.x, c.decimals), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RoundHalfEven,
    ::testing::Values(Case{0.5, 0, 0.0}, Case{1.5, 0, 2.0}, Case{2.5, 0, 2.0}, Case{3.5, 0, 4.0},
                      Case{-2.5, 0, -2.0}, Case{-3.5, 0, -4.0}, Case{2.51, 0, 3.0},
                      Case{2.49, 0, 2.0}, Case{0.125, 2, 0.12}, Case{0.375, 2, 0.38},
                      Case{2.675, 2, 2.68}, Case{2.665, 2, 2.66}, Case{28.05, 1, 28.0},
                      Case{28.15, 1, 28.2}, Case{1250.0, -2, 1200.0}, Case{0.0, 0, 0.0}));

TEST(Rounding, RoundToIntRoundsHalfUpAndSaturates)
{
    struct IntCase {
        double x;
        qint64 expected;
    };
    const IntCase cases[] = {
        {0.0, 0},
        {0.5, 1},
        {0.49999, 0},
        {2.5, 3},
        {-2.5, -3},
        {-0.4, 0},
        {1e15, 1000000000000000LL},
        {-12345.5, -12346},
        {1e300, std::numeric_limits<qint64>::max()},
        {-1e300, std::numeric_limits<qint64>::min()},
        {std::numeric_limits<double>::infinity(), std::numeric_limits<qint64>::max()},
        {std::nan(""), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(roundToInt(c.x), c.expected) << c.x;
}

} // namespace
