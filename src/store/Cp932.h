#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace store {

// Shift-JIS (Windows code page 932): the encoding of every text the system
// keeps or exchanges. Text fields are limited in CP932 bytes, so a
// full-width character counts twice.
//
// Text is checked where it comes in: the look-alikes that input methods and
// other programs produce for characters Shift-JIS has (〜 for ～, − for －,
// ‖ for ∥ …) are replaced by the Shift-JIS forms, and a character with no
// Shift-JIS form at all (𠮷, emoji, a lone surrogate) is refused with a
// message, rather than failing later in a file or a report.
class Cp932 {
public:
    // The bytes of text, or nothing when a character has no CP932 form.
    static std::optional<QByteArray> encode(const QString& text);
    // Like encode, but each character (or lone surrogate) without a CP932
    // form becomes one "?"; for files whose content the caller has already
    // checked.
    static QByteArray encodeLossy(const QString& text);
    // Decoded text, or nothing when the bytes are not valid CP932.
    static std::optional<QString> decode(const QByteArray& bytes);
    // The offset of the first byte that is not valid CP932 (a byte outside
    // the table, a lead byte without its trail byte), or -1 when all are.
    static qsizetype firstInvalidByte(const QByteArray& bytes);

    // The look-alikes replaced by their CP932 forms; every other character
    // is left as it is.
    static QString withCp932Forms(const QString& text);
    // The first character (a surrogate pair counts as one) of text that has
    // no CP932 form, or an empty string when every character has one.
    static QString firstUnmappable(const QString& text);
    // Why text cannot be stored: "「𠮷」は…" naming the first character
    // without a CP932 form; empty when there is none.
    static QString unmappableMessage(const QString& text);
    // withCp932Forms(text), or a StoreError with unmappableMessage when a
    // character has no CP932 form.
    static QString storable(const QString& text);

    // Length in CP932 bytes; a character without a CP932 form counts as two.
    static int byteLength(const QString& text);
    // The longest prefix of storable(text) that fits maxBytes, never
    // splitting a character. Throws StoreError when a character of text has
    // no CP932 form.
    static QString fitBytes(const QString& text, int maxBytes);
    // True when byte is the lead byte of a double-byte character.
    static bool isLeadByte(unsigned char byte);
};

} // namespace store
