#include "store/DisplayFormat.h"

#include "store/Rounding.h"

#include <QList>
#include <QStringList>
#include <cmath>
#include <optional>

using namespace Qt::StringLiterals;

namespace store::DisplayFormat {

namespace {

// ---- number patterns ---------------------------------------------------

// One section of a number pattern, taken apart.
struct NumberSection {
    enum class Kind { Zero, Hash, Point, Literal };
    struct Token {
        Kind kind;
        QString text; // for Literal
    };
    QList<Token> tokens;
    int intPlaces = 0;  // placeholders in front of the decimal point
    int fracPlaces = 0; // placeholders after it: the decimals rounded to
    int minInt = 0;     // integer digits always shown
    int minFrac = 0;    // fraction digits always shown
    bool grouping = false;

    bool hasPlaces() const { return intPlaces + fracPlaces > 0; }
};

// Splits at ';' outside quotes; the quotes stay in the sections.
QStringList splitSections(const QString& pattern)
{
    QStringList sections{QString()};
    QChar quote;
    for (QChar c : pattern) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'\'' || c == u'"') {
            quote = c;
        } else if (c == u';') {
            sections.append(QString());
            continue;
        }
        sections.last().append(c);
    }
    return sections;
}

NumberSection parseSection(const QString& text)
{
    NumberSection s;
    bool afterPoint = false;
    int firstZero = -1; // among the integer placeholders
    int lastZero = -1;  // among the fraction placeholders
    auto literal = [&s](const QString& t) {
        if (!s.tokens.isEmpty() && s.tokens.last().kind == NumberSection::Kind::Literal)
            s.tokens.last().text += t;
        else
            s.tokens.append({NumberSection::Kind::Literal, t});
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\'' || c == u'"') {
            const qsizetype end = text.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? text.size() : end;
            literal(text.mid(i + 1, stop - i - 1));
            i = stop;
        } else if (c == u'0' || c == u'#') {
            const auto kind = c == u'0' ? NumberSection::Kind::Zero : NumberSection::Kind::Hash;
            s.tokens.append({kind, QString()});
            if (afterPoint) {
                if (kind == NumberSection::Kind::Zero)
                    lastZero = s.fracPlaces;
                ++s.fracPlaces;
            } else {
                if (kind == NumberSection::Kind::Zero && firstZero < 0)
                    firstZero = s.intPlaces;
                ++s.intPlaces;
            }
        } else if (c == u'.' && !afterPoint) {
            afterPoint = true;
            s.tokens.append({NumberSection::Kind::Point, QString()});
        } else if (c == u',') {
            s.grouping = true;
        } else {
            literal(QString(c));
        }
    }
    s.minInt = firstZero < 0 ? 0 : s.intPlaces - firstZero;
    s.minFrac = lastZero + 1;
    return s;
}

// The section filled with |value|, which the caller has chosen it for.
QString renderSection(const NumberSection& s, double magnitude)
{
    QString out;
    if (!s.hasPlaces()) {
        for (const auto& t : s.tokens)
            out += t.text;
        return out;
    }

    const QString fixed =
        QString::number(Rounding::roundHalfUp(magnitude, s.fracPlaces), 'f', s.fracPlaces);
    const qsizetype dot = fixed.indexOf(u'.');
    QString intDigits = dot < 0 ? fixed : fixed.left(dot);
    QString fracDigits = dot < 0 ? QString() : fixed.mid(dot + 1);
    while (intDigits.startsWith(u'0'))
        intDigits.remove(0, 1);
    if (intDigits.size() < s.minInt)
        intDigits = QString(s.minInt - intDigits.size(), u'0') + intDigits;
    while (fracDigits.size() > s.minFrac && fracDigits.endsWith(u'0'))
        fracDigits.chop(1);

    const qsizetype intCount = intDigits.size();
    auto emitInt = [&](qsizetype from, qsizetype to) {
        for (qsizetype i = from; i < to; ++i) {
            if (s.grouping && i > 0 && (intCount - i) % 3 == 0)
                out += u',';
            out += intDigits.at(i);
        }
    };

    // Digits beyond the placeholders go in front of the first one.
    const qsizetype extra = intCount - s.intPlaces;
    int intSeen = 0;
    int fracSeen = 0;
    bool afterPoint = false;
    for (const auto& t : s.tokens) {
        switch (t.kind) {
        case NumberSection::Kind::Literal:
            out += t.text;
            break;
        case NumberSection::Kind::Point:
            if (s.intPlaces == 0)
                emitInt(0, intCount);
            if (!fracDigits.isEmpty())
                out += u'.';
            afterPoint = true;
            break;
        case NumberSection::Kind::Zero:
        case NumberSection::Kind::Hash:
            if (afterPoint) {
                if (fracSeen < fracDigits.size())
                    out += fracDigits.at(fracSeen);
                ++fracSeen;
            } else {
                if (intSeen == 0 && extra > 0)
                    emitInt(0, extra);
                const qsizetype index = intSeen + extra;
                if (index >= 0)
                    emitInt(index, index + 1);
                ++intSeen;
            }
            break;
        }
    }
    return out;
}

// ---- printf-like specifiers --------------------------------------------

QString groupThousands(const QString& digits)
{
    QString out;
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += u',';
        out += digits.at(i);
    }
    return out;
}

// The text of one specifier without its width, or nothing for an unknown type.
std::optional<QString> renderSpecifier(QChar type, int precision, double value)
{
    switch (type.toLower().unicode()) {
    case u'd': {
        const qint64 whole = Rounding::roundToInt(value);
        QString digits =
            QString::number(whole < 0 ? -static_cast<quint64>(whole) : static_cast<quint64>(whole));
        if (precision > digits.size())
            digits = QString(precision - digits.size(), u'0') + digits;
        return whole < 0 ? u'-' + digits : digits;
    }
    case u'f':
    case u'n': {
        const int decimals = precision < 0 ? 2 : precision;
        const double rounded = Rounding::roundHalfUp(std::fabs(value), decimals);
        QString text = QString::number(rounded, 'f', decimals);
        if (type.toLower() == u'n') {
            const qsizetype dot = text.indexOf(u'.');
            text = groupThousands(dot < 0 ? text : text.left(dot)) +
                   (dot < 0 ? QString() : text.mid(dot));
        }
        return value < 0 && rounded != 0.0 ? u'-' + text : text;
    }
    default:
        return std::nullopt;
    }
}

// ---- dates ---------------------------------------------------------------

const QString kWeekdays[] = {u"月"_s, u"火"_s, u"水"_s, u"木"_s, u"金"_s, u"土"_s, u"日"_s};

QString twoDigits(int n)
{
    return u"%1"_s.arg(n, 2, 10, QChar(u'0'));
}

QString shortWeekday(const QDate& date)
{
    return kWeekdays[date.dayOfWeek() - 1];
}

QString longWeekday(const QDate& date)
{
    return shortWeekday(date) + u"曜日"_s;
}

qsizetype runLength(const QString& text, qsizetype from)
{
    const QChar c = text.at(from).toLower();
    qsizetype n = 1;
    while (from + n < text.size() && text.at(from + n).toLower() == c)
        ++n;
    return n;
}

} // namespace

QString formatFloat(const QString& pattern, double value)
{
    if (pattern.isEmpty() || !std::isfinite(value))
        return QString::number(value, 'g', 15);

    const QStringList texts = splitSections(pattern);
    const NumberSection positive = parseSection(texts.at(0));
    std::optional<NumberSection> negative;
    std::optional<NumberSection> zero;
    if (texts.size() > 1 && !texts.at(1).isEmpty())
        negative = parseSection(texts.at(1));
    if (texts.size() > 2 && !texts.at(2).isEmpty())
        zero = parseSection(texts.at(2));

    const double magnitude = std::fabs(value);
    const bool isNegative = value < 0;
    const NumberSection& section = isNegative && negative ? *negative : positive;
    if (Rounding::roundHalfUp(magnitude, section.fracPlaces) == 0.0)
        return renderSection(zero ? *zero : positive, 0.0);
    const QString text = renderSection(section, magnitude);
    return isNegative && !negative ? u'-' + text : text;
}

QString formatPrintf(const QString& pattern, double value)
{
    QString out;
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern.at(i);
        if (c != u'%') {
            out += c;
            ++i;
            continue;
        }
        if (i + 1 < pattern.size() && pattern.at(i + 1) == u'%') {
            out += u'%';
            i += 2;
            continue;
        }
        qsizetype j = i + 1;
        const bool leftAlign = j < pattern.size() && pattern.at(j) == u'-';
        if (leftAlign)
            ++j;
        int width = 0;
        while (j < pattern.size() && pattern.at(j).isDigit())
            width = width * 10 + pattern.at(j++).digitValue();
        int precision = -1;
        if (j < pattern.size() && pattern.at(j) == u'.') {
            precision = 0;
            ++j;
            while (j < pattern.size() && pattern.at(j).isDigit())
                precision = precision * 10 + pattern.at(j++).digitValue();
        }
        const std::optional<QString> text =
            j < pattern.size() ? renderSpecifier(pattern.at(j), precision, value) : std::nullopt;
        if (!text) {
            out += pattern.mid(i, j - i);
            i = j;
            continue;
        }
        out += leftAlign ? text->leftJustified(width) : text->rightJustified(width);
        i = j + 1;
    }
    return out;
}

QString formatDate(const QString& pattern, const QDate& date)
{
    if (!date.isValid())
        return QString();

    QString out;
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern.at(i);
        const char16_t lower = c.toLower().unicode();
        if (c == u'\'' || c == u'"') {
            const qsizetype end = pattern.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? pattern.size() : end;
            out += pattern.mid(i + 1, stop - i - 1);
            i = stop + 1;
            continue;
        }
        const qsizetype n = runLength(pattern, i);
        switch (lower) {
        case u'y':
            out += n <= 2 ? twoDigits(date.year() % 100)
                          : u"%1"_s.arg(date.year(), 4, 10, QChar(u'0'));
            break;
        case u'm':
            if (n == 1)
                out += QString::number(date.month());
            else if (n == 2)
                out += twoDigits(date.month());
            else if (n == 3)
                out += QString::number(date.month());
            else
                out += QString::number(date.month()) + u"月"_s;
            break;
        case u'd':
            if (n == 1)
                out += QString::number(date.day());
            else if (n == 2)
                out += twoDigits(date.day());
            else if (n == 3)
                out += shortWeekday(date);
            else if (n == 4)
                out += longWeekday(date);
            else if (n == 5)
                out += formatDate(u"yyyy/mm/dd"_s, date);
            else
                out += formatDate(u"yyyy'年'm'月'd'日'"_s, date);
            break;
        case u'a':
            // Only "aaa" and "aaaa" name the weekday; any other run is text.
            if (n == 3)
                out += shortWeekday(date);
            else if (n == 4)
                out += longWeekday(date);
            else
                out += pattern.mid(i, n);
            break;
        default:
            out += c;
            i += 1;
            continue;
        }
        i += n;
    }
    return out;
}

} // namespace store::DisplayFormat
