#include "store/Cp932.h"

#include "store/StoreError.h"

#include <QList>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace store {

namespace {
constexpr const char* kCodec = "CP932";

int charBytes(char32_t ucs)
{
    if (ucs < 0x80)
        return 1;
    if (ucs >= 0xFF61 && ucs <= 0xFF9F) // half-width katakana
        return 1;
    return 2;
}

// Characters that JIS-based tables, input methods and other systems use
// where Windows' table has a different code point for the same JIS
// character. Each target is the character CP932 decodes that JIS code to.
struct LookAlike {
    char16_t from, to;
};
constexpr LookAlike kLookAlikes[] = {
    {u'\u301C', u'\uFF5E'}, // wave dash → full-width tilde (0x8160)
    {u'\u2016', u'\u2225'}, // double vertical line → parallel to (0x8161)
    {u'\u2212', u'\uFF0D'}, // minus sign → full-width hyphen-minus (0x817C)
    {u'\u2014', u'\u2015'}, // em dash → horizontal bar (0x815C)
    {u'\u00A2', u'\uFFE0'}, // cent sign → full-width cent (0x8191)
    {u'\u00A3', u'\uFFE1'}, // pound sign → full-width pound (0x8192)
    {u'\u00AC', u'\uFFE2'}, // not sign → full-width not (0x81CA)
    {u'\u203E', u'\uFFE3'}, // overline → full-width macron (0x8150)
    {u'\u00A6', u'\uFFE4'}, // broken bar → full-width broken bar (0xFA55)
    {u'\u00A5', u'\uFFE5'}, // yen sign → full-width yen (0x818F)
};

// The length in UTF-16 units of the character at i: 2 for a surrogate pair,
// 1 for anything else, a lone surrogate included.
qsizetype charLength(const QString& text, qsizetype i)
{
    return text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()
               ? 2
               : 1;
}

bool hasForm(QStringView character)
{
    if (character.size() == 1 && character.at(0).unicode() < 0x80)
        return true;
    if (character.size() == 1 && character.at(0).isSurrogate())
        return false;
    QStringEncoder enc(kCodec, QStringEncoder::Flag::Stateless);
    const QByteArray bytes = enc.encode(character); // encodes only when converted
    return !enc.hasError();
}

} // namespace

std::optional<QByteArray> Cp932::encode(const QString& text)
{
    if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.isSurrogate(); }))
        return std::nullopt; // no character outside the basic plane has a CP932 form
    QStringEncoder enc(kCodec, QStringEncoder::Flag::Stateless);
    QByteArray bytes = enc.encode(text);
    if (enc.hasError())
        return std::nullopt;
    return bytes;
}

QByteArray Cp932::encodeLossy(const QString& text)
{
    QByteArray out;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype len = charLength(text, i);
        const QStringView character = QStringView(text).mid(i, len);
        if (hasForm(character)) {
            QStringEncoder one(kCodec, QStringEncoder::Flag::Stateless);
            out += one.encode(character);
        } else {
            out += '?';
        }
        i += len;
    }
    return out;
}

std::optional<QString> Cp932::decode(const QByteArray& bytes)
{
    QStringDecoder dec(kCodec, QStringDecoder::Flag::Stateless);
    QString text = dec.decode(bytes);
    if (dec.hasError())
        return std::nullopt;
    return text;
}

qsizetype Cp932::firstInvalidByte(const QByteArray& bytes)
{
    if (decode(bytes))
        return -1;
    // Only a faulty text is walked character by character to find the place.
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const auto b = static_cast<unsigned char>(bytes.at(i));
        if (b < 0x80 || (b >= 0xA1 && b <= 0xDF)) {
            ++i;
            continue;
        }
        const qsizetype len = isLeadByte(b) ? 2 : 1;
        if (i + len > n || !decode(bytes.mid(i, len)))
            return i;
        i += len;
    }
    return -1;
}

QString Cp932::withCp932Forms(const QString& text)
{
    QString out = text;
    for (QChar& c : out)
        for (const LookAlike& l : kLookAlikes)
            if (c.unicode() == l.from)
                c = QChar(l.to);
    return out;
}

QString Cp932::firstUnmappable(const QString& text)
{
    const bool loneSurrogate = std::any_of(text.begin(), text.end(), [](QChar c) {
        return c.isSurrogate();
    }); // pairs included: rare enough to take the slow path
    if (!loneSurrogate) {
        QStringEncoder enc(kCodec, QStringEncoder::Flag::Stateless);
        const QByteArray bytes = enc.encode(text);
        if (!enc.hasError())
            return QString();
    }
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype len = charLength(text, i);
        if (!hasForm(QStringView(text).mid(i, len)))
            return text.mid(i, len);
        i += len;
    }
    return QString();
}

QString Cp932::unmappableMessage(const QString& text)
{
    const QString c = firstUnmappable(text);
    if (c.isEmpty())
        return QString();
    // A lone surrogate cannot be shown; name it by its code.
    const QString shown =
        c.size() == 1 && c.at(0).isSurrogate()
            ? u"文字コード U+%1 "_s.arg(QString::number(c.at(0).unicode(), 16).toUpper())
            : u"「"_s + c + u"」"_s;
    return u"%1はシフトJISで表せない文字なので、使えません。別の文字に置き換えてください。"_s.arg(
        shown);
}

QString Cp932::storable(const QString& text)
{
    const QString out = withCp932Forms(text);
    const QString message = unmappableMessage(out);
    if (!message.isEmpty())
        throw StoreError(message);
    return out;
}

int Cp932::byteLength(const QString& text)
{
    int n = 0;
    for (char32_t ucs : text.toUcs4())
        n += charBytes(ucs);
    return n;
}

QString Cp932::fitBytes(const QString& text, int maxBytes)
{
    const QString storableText = storable(text);
    int used = 0;
    qsizetype i = 0;
    while (i < storableText.size()) {
        const qsizetype len = charLength(storableText, i);
        const int b = len == 2 ? 2 : charBytes(storableText.at(i).unicode());
        if (used + b > maxBytes)
            break;
        used += b;
        i += len;
    }
    return storableText.left(i);
}

bool Cp932::isLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

} // namespace store
