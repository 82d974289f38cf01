#pragma once

#include <QString>
#include <QVariant>
#include <compare>
#include <cstdint>
#include <optional>

namespace store {

// An amount of money in ten-thousandths of a yen, the fixed-point money of
// the tables. All money arithmetic happens here, never in double.
class Money {
public:
    constexpr Money() = default;
    static constexpr Money fromUnits(std::int64_t tenThousandths) { return Money(tenThousandths); }
    static constexpr Money fromYen(std::int64_t yen) { return Money(yen * 10000); }
    // Parses "1234", "-12.5", "1,234.5678"; more than four decimals are
    // rounded half up. Nothing when the text is not a number.
    static std::optional<Money> parse(const QString& text);
    // From a stored value (NULL reads as 0).
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

    constexpr Money operator+(Money o) const { return Money(m_units + o.m_units); }
    constexpr Money operator-(Money o) const { return Money(m_units - o.m_units); }
    constexpr Money operator-() const { return Money(-m_units); }
    Money& operator+=(Money o)
    {
        m_units += o.m_units;
        return *this;
    }
    Money& operator-=(Money o)
    {
        m_units -= o.m_units;
        return *this;
    }
    constexpr auto operator<=>(const Money&) const = default;

private:
    constexpr explicit Money(std::int64_t units) : m_units(units) {}
    std::int64_t m_units = 0;
};

} // namespace store
