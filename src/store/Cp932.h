#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace store {

// Shift-JIS (Windows code page 932): the encoding of every text the system
// keeps or exchanges. Text fields are limited in CP932 bytes, so a
// full-width character counts twice.
class Cp932 {
public:
    // The bytes of text, or nothing when a character has no CP932 form.
    static std::optional<QByteArray> encode(const QString& text);
    // Like encode, but an unmappable character becomes "?"; for files whose
    // content the caller has already checked.
    static QByteArray encodeLossy(const QString& text);
    // Decoded text, or nothing when the bytes are not valid CP932.
    static std::optional<QString> decode(const QByteArray& bytes);
    static QString decodeLossy(const QByteArray& bytes);

    // Length in CP932 bytes; a character without a CP932 form counts as two.
    static int byteLength(const QString& text);
    // The longest prefix of text that fits maxBytes, never splitting a
    // character (or a surrogate pair).
    static QString fitBytes(const QString& text, int maxBytes);
    // True when byte is the lead byte of a double-byte character.
    static bool isLeadByte(unsigned char byte);
};

} // namespace store
