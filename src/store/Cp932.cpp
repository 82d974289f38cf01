#include "store/Cp932.h"

#include <QList>
#include <QStringDecoder>
#include <QStringEncoder>

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
} // namespace

std::optional<QByteArray> Cp932::encode(const QString& text)
{
    QStringEncoder enc(kCodec, QStringEncoder::Flag::Stateless);
    QByteArray bytes = enc.encode(text);
    if (enc.hasError())
        return std::nullopt;
    return bytes;
}

QByteArray Cp932::encodeLossy(const QString& text)
{
    QStringEncoder enc(kCodec, QStringEncoder::Flag::Stateless);
    QByteArray out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype len = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        QStringEncoder one(kCodec, QStringEncoder::Flag::Stateless);
        QByteArray b = one.encode(QStringView(text).mid(i, len));
        out += one.hasError() ? QByteArray("?") : b;
        i += len - 1;
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

QString Cp932::decodeLossy(const QByteArray& bytes)
{
    QStringDecoder dec(kCodec, QStringDecoder::Flag::Stateless);
    return dec.decode(bytes);
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
    int used = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        char32_t ucs = text.at(i).unicode();
        qsizetype len = 1;
        if (text.at(i).isHighSurrogate() && i + 1 < text.size()) {
            ucs = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            len = 2;
        }
        int b = charBytes(ucs);
        if (used + b > maxBytes)
            break;
        used += b;
        i += len;
    }
    return text.left(i);
}

bool Cp932::isLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

} // namespace store
