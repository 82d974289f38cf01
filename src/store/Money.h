#pragma once

#include <QString>
#include <QVariant>
#include <compare>
#include <cstdint>
#include <optional>

namespace store {

// An amount of money in ten-thousandths of a yen, the fixed-point money of
// the tables. All money arithmetic happens here, never in double.
//
// Range: at most 14 whole digits of yen and 4 decimals, that is
// −99,999,999,999,999.9999 to 99,999,999,999,999.9999 yen. Every way a
// value is made (parsing, reading a stored value, arithmetic) checks it and
// throws StoreError with a Japanese message beyond it, so no computation
// overflows and every value's own text reads back.
class Money {
public:
    static constexpr std::int64_t kMaxUnits = 999'999'999'999'999'999;
    static constexpr std::int64_t kMaxYen = kMaxUnits / 10000;

    constexpr Money() = default;
    static Money fromUnits(std::int64_t tenThousandths);
    static Money fromYen(std::int64_t yen);
    // Parses "1234", "-12.5", "1,234.5678"; more than four decimals are
    // rounded half up. Nothing when the text is not a number; throws
    // StoreError when it is a number beyond the range.
    static std::optional<Money> parse(const QString& text);
    // From a stored value: an integer is ten-thousandths, text is read as
    // yen (NULL and text that is not a number read as 0). Throws StoreError
    // beyond the range.
    static Money fromVariant(const QVariant& v);

    constexpr std::int64_t units() const { return m_units; }
    QVariant toVariant() const { return QVariant::fromValue<qlonglong>(m_units); }
    // Plain decimal text without grouping and without trailing zeros: "1234.5".
    QString toString() const;
    // Whole yen, rounded half away from zero.
    std::int64_t roundedYen() const;
    // Whole yen of this × num / den, rounded half away from zero once, at the
    // end (an amount entered without tax times 108/100, say).
    std::int64_t roundedYenTimes(std::int64_t num, std::int64_t den) const;
    // this × num / den, rounded half away from zero to ten-thousandths
    // (TaxFactor 1.08 is 108/100).
    Money mulRatio(std::int64_t num, std::int64_t den) const;
    double toDouble() const { return static_cast<double>(m_units) / 10000.0; }

    Money operator+(Money o) const { return fromUnits(m_units + o.m_units); }
    Money operator-(Money o) const { return fromUnits(m_units - o.m_units); }
    // The range is symmetric, so a negated amount is always in it.
    constexpr Money operator-() const { return Money(-m_units); }
    Money& operator+=(Money o) { return *this = *this + o; }
    Money& operator-=(Money o) { return *this = *this - o; }
    constexpr auto operator<=>(const Money&) const = default;

    // The message of an amount beyond the range.
    static QString rangeMessage(const QString& amount);

private:
    constexpr explicit Money(std::int64_t units) : m_units(units) {}
    std::int64_t m_units = 0;
};

} // namespace store
