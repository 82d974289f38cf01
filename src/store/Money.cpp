#include "store/Money.h"

using namespace Qt::StringLiterals;

namespace store {

namespace {
std::int64_t divRoundHalfAway(std::int64_t num, std::int64_t den)
{
    if (den < 0) {
        num = -num;
        den = -den;
    }
    const std::int64_t q = num / den;
    const std::int64_t r = num % den;
    if (2 * (r < 0 ? -r : r) >= den)
        return q + (num < 0 ? -1 : 1);
    return q;
}
} // namespace

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
    const QString whole = dot < 0 ? s : s.left(dot);
    QString frac = dot < 0 ? QString() : s.mid(dot + 1);
    if (whole.isEmpty() && frac.isEmpty())
        return std::nullopt;
    for (QChar c : whole + frac)
        if (!c.isDigit() || c.unicode() > 0x7F)
            return std::nullopt;
    if (whole.size() > 14)
        return std::nullopt;
    std::int64_t units = whole.isEmpty() ? 0 : whole.toLongLong() * 10000;
    bool roundUp = frac.size() > 4 && frac.at(4) >= u'5';
    frac = frac.left(4).leftJustified(4, u'0');
    units += frac.toLongLong() + (roundUp ? 1 : 0);
    return Money(negative ? -units : units);
}

Money Money::fromVariant(const QVariant& v)
{
    if (v.isNull() || !v.isValid())
        return Money();
    if (v.typeId() == QMetaType::QString)
        return parse(v.toString()).value_or(Money());
    return Money(v.toLongLong());
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
    return divRoundHalfAway(m_units, 10000);
}

std::int64_t Money::roundedYenTimes(std::int64_t num, std::int64_t den) const
{
    return divRoundHalfAway(m_units * num, den * 10000);
}

Money Money::mulRatio(std::int64_t num, std::int64_t den) const
{
    return Money(divRoundHalfAway(m_units * num, den));
}

} // namespace store
