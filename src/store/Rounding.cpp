#include "store/Rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace store::Rounding {

namespace {

constexpr int kSignificant = 15;

enum class Mode { HalfUp, HalfEven };

double roundDecimal(double x, int decimals, Mode mode)
{
    if (!std::isfinite(x))
        return x;
    // Beyond ±350 places every double is either kept whole or rounds to zero.
    decimals = std::clamp(decimals, -350, 350);
    const bool negative = std::signbit(x);

    // d.dddddddddddddde±XX: the digits the user sees, correctly rounded by
    // the C library.
    char text[40];
    std::snprintf(text, sizeof text, "%.*e", kSignificant - 1, std::fabs(x));
    char digits[kSignificant];
    int count = 0;
    const char* p = text;
    for (; *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digits[count++] = *p;
    const int exponent = std::atoi(p + 1);

    // Digits that stay: those in front of the decimal place we round to.
    const int keep = exponent + 1 + decimals;
    if (keep >= kSignificant) {
        // Every visible digit lies in front of the place: the visible value
        // is already rounded.
        const double visible = std::strtod(text, nullptr);
        if (!std::isfinite(visible)) // the 15-digit form of a value next to DBL_MAX
            return x;
        return negative && visible != 0.0 ? -visible : visible;
    }
    if (keep < 0)
        return 0.0;

    qint64 kept = 0;
    for (int i = 0; i < keep; ++i)
        kept = kept * 10 + (digits[i] - '0');
    const int next = digits[keep] - '0';
    bool up = next >= 5;
    if (mode == Mode::HalfEven && next == 5) {
        bool beyondHalf = false;
        for (int i = keep + 1; i < kSignificant; ++i)
            beyondHalf = beyondHalf || digits[i] != '0';
        up = beyondHalf || (kept % 2 != 0);
    }
    if (up)
        ++kept;
    if (kept == 0)
        return 0.0;

    // Let strtod find the double nearest to kept × 10^-decimals.
    char result[48];
    std::snprintf(result, sizeof result, "%s%llde%d", negative ? "-" : "",
                  static_cast<long long>(kept), -decimals);
    return std::strtod(result, nullptr);
}

} // namespace

double roundHalfUp(double x, int decimals)
{
    return roundDecimal(x, decimals, Mode::HalfUp);
}

double roundHalfEven(double x, int decimals)
{
    return roundDecimal(x, decimals, Mode::HalfEven);
}

qint64 roundToInt(double x)
{
    if (std::isnan(x))
        return 0;
    const double r = roundHalfUp(x, 0);
    // 2^63 is exactly representable; anything at or beyond it saturates.
    constexpr double limit = 9223372036854775808.0;
    if (r >= limit)
        return std::numeric_limits<qint64>::max();
    if (r < -limit)
        return std::numeric_limits<qint64>::min();
    return static_cast<qint64>(r);
}

} // namespace store::Rounding
