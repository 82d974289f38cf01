#include "store/Money.h"

#include "store/StoreError.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace store {

namespace {

// Wide enough for any in-range amount times any 64-bit factor.
__extension__ using Wide = __int128;

QString wideText(Wide v)
{
    const bool negative = v < 0;
    QString digits;
    do {
        const int d = static_cast<int>(v % 10);
        digits.prepend(QChar(u'0' + (d < 0 ? -d : d)));
        v /= 10;
    } while (v != 0);
    return negative ? u'-' + digits : digits;
}

Wide divRoundHalfAway(Wide num, Wide den)
{
    if (den == 0)
        throw StoreError(u"金額を 0 で割ることはできません。"_s);
    if (den < 0) {
        num = -num;
        den = -den;
    }
    const Wide q = num / den;
    const Wide r = num % den;
    if (2 * (r < 0 ? -r : r) >= den)
        return q + (num < 0 ? -1 : 1);
    return q;
}

// The units of a wide result, or the range error naming the amount in yen.
std::int64_t checkedUnits(Wide units)
{
    if (units > Money::kMaxUnits || units < -Money::kMaxUnits) {
        const Wide yen = units / 10000;
        throw StoreError(Money::rangeMessage(wideText(yen)));
    }
    return static_cast<std::int64_t>(units);
}

} // namespace

QString Money::rangeMessage(const QString& amount)
{
    return u"金額 %1 円は扱える範囲（±99,999,999,999,999.9999 円）を超えています。"_s.arg(amount);
}

Money Money::fromUnits(std::int64_t tenThousandths)
{
    return Money(checkedUnits(tenThousandths));
}

Money Money::fromYen(std::int64_t yen)
{
    return Money(checkedUnits(Wide(yen) * 10000));
}

std::optional<Money> Money::parse(const QString& text)
{
    QString s = text.trimmed();
    s.remove(u',');
    if (s.isEmpty())
        return std::nullopt;
    bool negative = false;
    if (s.startsWith(u'-') || s.startsWith(u'+')) {
        negative = s.startsWith(u'-');
        s = s.mid(1);
    }
    const qsizetype dot = s.indexOf(u'.');
    QString whole = dot < 0 ? s : s.left(dot);
    QString frac = dot < 0 ? QString() : s.mid(dot + 1);
    if (whole.isEmpty() && frac.isEmpty())
        return std::nullopt;
    for (QChar c : whole + frac)
        if (!c.isDigit() || c.unicode() > 0x7F)
            return std::nullopt;
    while (whole.size() > 1 && whole.startsWith(u'0'))
        whole.remove(0, 1);
    // More whole digits than the range holds: refused before any arithmetic.
    if (whole.size() > 14)
        throw StoreError(rangeMessage(text.trimmed()));
    std::int64_t units = whole.isEmpty() ? 0 : whole.toLongLong() * 10000;
    const bool roundUp = frac.size() > 4 && frac.at(4) >= u'5';
    frac = frac.left(4).leftJustified(4, u'0');
    units += frac.toLongLong() + (roundUp ? 1 : 0);
    // Rounding may carry past the last digit ("99999999999999.99995").
    if (units > kMaxUnits)
        throw StoreError(rangeMessage(text.trimmed()));
    return Money(negative ? -units : units);
}

Money Money::fromVariant(const QVariant& v)
{
    if (v.isNull() || !v.isValid())
        return Money();
    switch (v.typeId()) {
    case QMetaType::QString:
        return parse(v.toString()).value_or(Money());
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = v.toDouble();
        if (!std::isfinite(d) || std::fabs(d) > double(kMaxUnits))
            throw StoreError(rangeMessage(QString::number(d / 10000, 'f', 0)));
        return fromUnits(static_cast<std::int64_t>(d));
    }
    default:
        return fromUnits(v.toLongLong());
    }
}

QString Money::toString() const
{
    const std::int64_t a = m_units < 0 ? -m_units : m_units;
    QString s = QString::number(a / 10000);
    const std::int64_t frac = a % 10000;
    if (frac != 0) {
        QString f = u"%1"_s.arg(static_cast<qlonglong>(frac), 4, 10, QChar(u'0'));
        while (f.endsWith(u'0'))
            f.chop(1);
        s += u'.' + f;
    }
    return m_units < 0 ? u'-' + s : s;
}

std::int64_t Money::roundedYen() const
{
    return static_cast<std::int64_t>(divRoundHalfAway(m_units, 10000));
}

std::int64_t Money::roundedYenTimes(std::int64_t num, std::int64_t den) const
{
    const Wide yen = divRoundHalfAway(Wide(m_units) * num, Wide(den) * 10000);
    // Rounding the largest amount gives one yen more than kMaxYen.
    if (yen > kMaxYen + 1 || yen < -kMaxYen - 1)
        throw StoreError(rangeMessage(wideText(yen)));
    return static_cast<std::int64_t>(yen);
}

Money Money::mulRatio(std::int64_t num, std::int64_t den) const
{
    return Money(checkedUnits(divRoundHalfAway(Wide(m_units) * num, den)));
}

} // namespace store
