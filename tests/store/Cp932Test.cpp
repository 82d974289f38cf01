#include "store/Cp932.h"
#include "store/StoreError.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using store::Cp932;

namespace {

TEST(Cp932, ByteLength)
{
    struct Case {
        QString text;
        int bytes;
    };
    const Case cases[] = {
        {u"ア"_s, 2},   {u"ｱ"_s, 1},  {u"a"_s, 1},       {u"あいう"_s, 6},
        {u"ｶﾞ"_s, 2},   {u"ガ"_s, 2}, {u"人参abc"_s, 7}, {u"　"_s, 2},
        {QString(), 0}, {u"😀"_s, 2}, // no CP932 form: counts as two
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Cp932::byteLength(c.text), c.bytes) << c.text.toStdString();
        if (const auto encoded = Cp932::encode(c.text)) {
            EXPECT_EQ(encoded->size(), c.bytes) << c.text.toStdString();
        }
    }
}

TEST(Cp932, FitBytesNeverSplitsACharacter)
{
    struct Case {
        QString text;
        int maxBytes;
        QString expected;
    };
    const Case cases[] = {
        {u"あいう"_s, 5, u"あい"_s}, {u"あいう"_s, 6, u"あいう"_s}, {u"あいう"_s, 1, QString()},
        {u"あいう"_s, 0, QString()}, {u"aあb"_s, 2, u"a"_s},        {u"aあb"_s, 3, u"aあ"_s},
        {u"ｱｲｳｴ"_s, 3, u"ｱｲｳ"_s},    {u"a〜b"_s, 3, u"a～"_s}, // stored in its CP932 form
        {u"−1"_s, 2, u"－"_s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Cp932::fitBytes(c.text, c.maxBytes), c.expected)
            << c.text.toStdString() << " in " << c.maxBytes;

    const QString twenty(20, QChar(u'栄'));
    EXPECT_EQ(Cp932::fitBytes(twenty, 40), twenty);
    EXPECT_EQ(Cp932::fitBytes(twenty + u'x', 40), twenty);
    EXPECT_EQ(Cp932::fitBytes(twenty, 39).size(), 19);
}

TEST(Cp932, EncodeAndDecode)
{
    // Windows' table: wave dash, minus and the like are the full-width forms.
    const QByteArray expected("\x82\xa0\xb1\x41\x81\x60\x81\x7c\x87\x40\x5c", 11);
    const QString text = u"あｱA～－①\\"_s;
    EXPECT_EQ(Cp932::encode(text), expected);
    EXPECT_EQ(Cp932::decode(expected), text);

    const QString mixed = u"人参（ゆで）ｶﾚｰ 100g ～ ＡＢＣ 髙"_s;
    const auto bytes = Cp932::encode(mixed);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(Cp932::decode(*bytes), mixed);
    EXPECT_EQ(Cp932::byteLength(mixed), bytes->size());
}

TEST(Cp932, UnmappableTextIsReported)
{
    for (const QString& text : {u"😀"_s, u"é"_s, u"〜"_s /* U+301C */, u"café"_s})
        EXPECT_FALSE(Cp932::encode(text).has_value()) << text.toStdString();
    EXPECT_EQ(Cp932::encodeLossy(u"café😀!"_s), QByteArray("caf?"
                                                          "?!"));

    // A lead byte without its trail byte, and bytes outside the table, are
    // reported with their place.
    struct Bad {
        QByteArray bytes;
        qsizetype at;
    };
    for (const Bad& b : {Bad{"\x82", 0}, Bad{"a\xa0", 1}, Bad{"ab\xfd", 2}, Bad{"\x82\xa0\x80z", 2},
                         Bad{"\x82\xa0\x85\x40", 2}})
        EXPECT_EQ(Cp932::firstInvalidByte(b.bytes), b.at) << b.bytes.toHex().toStdString();
    EXPECT_FALSE(Cp932::decode("a\xa0").has_value());
    EXPECT_EQ(Cp932::firstInvalidByte(*Cp932::encode(u"人参ｶﾚｰ,\"x\"\r\n"_s)), -1);
}

// Each look-alike is stored as the character that Windows' table decodes its
// JIS code to; the codec on this machine agrees with each target.
TEST(Cp932, LookAlikesBecomeTheirCp932Forms)
{
    struct Case {
        char16_t from, to;
        QByteArray bytes;
    };
    const Case cases[] = {
        {u'\u301C', u'\uFF5E', "\x81\x60"}, {u'\u2016', u'\u2225', "\x81\x61"},
        {u'\u2212', u'\uFF0D', "\x81\x7C"}, {u'\u2014', u'\u2015', "\x81\x5C"},
        {u'\u00A2', u'\uFFE0', "\x81\x91"}, {u'\u00A3', u'\uFFE1', "\x81\x92"},
        {u'\u00AC', u'\uFFE2', "\x81\xCA"}, {u'\u203E', u'\uFFE3', "\x81\x50"},
        {u'\u00A6', u'\uFFE4', "\xFA\x55"}, {u'\u00A5', u'\uFFE5', "\x81\x8F"},
    };
    for (const Case& c : cases) {
        const QString from(QChar(c.from)), to(QChar(c.to));
        EXPECT_FALSE(Cp932::encode(from).has_value()) << int(c.from);
        EXPECT_EQ(Cp932::withCp932Forms(u"a"_s + from + u"b"_s), u"a"_s + to + u"b"_s);
        EXPECT_EQ(Cp932::encode(to), c.bytes) << int(c.from);
        EXPECT_EQ(Cp932::decode(c.bytes), to) << int(c.from);
        EXPECT_EQ(Cp932::storable(from), to);
    }
}

// A character without a CP932 form is refused, not counted and cut; a lone
// surrogate is one such character and never takes the next one with it.
TEST(Cp932, CharactersWithoutACp932FormAreRefused)
{
    const QString lone = QString(QChar(0xD842)) + u"b"_s; // high surrogate, then "b"
    struct Case {
        QString text;
        QString named;
    };
    const Case cases[] = {{u"𠮷野家"_s, u"「𠮷」"_s},
                          {u"カレー😀"_s, u"「😀」"_s},
                          {u"a"_s + lone, u"U+D842"_s},
                          {QString(QChar(0xDC00)) + u"x"_s, u"U+DC00"_s}};
    for (const Case& c : cases) {
        EXPECT_EQ(Cp932::storable(c.text.left(0)), QString());
        try {
            Cp932::fitBytes(c.text, 40);
            ADD_FAILURE() << "accepted: " << c.text.toStdString();
        } catch (const store::StoreError& e) {
            EXPECT_TRUE(e.message().contains(c.named)) << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(u"シフトJISで表せない文字"_s));
        }
        EXPECT_THROW(Cp932::storable(c.text), store::StoreError);
    }
    EXPECT_EQ(Cp932::firstUnmappable(u"a"_s + lone), QString(QChar(0xD842)));
    EXPECT_EQ(Cp932::encodeLossy(u"a"_s + lone), QByteArray("a?b"));
    EXPECT_EQ(Cp932::encodeLossy(u"x😀y"_s), QByteArray("x?y"));
    EXPECT_FALSE(Cp932::encode(u"a"_s + lone).has_value());
    EXPECT_EQ(Cp932::unmappableMessage(u"人参ｶﾚｰ～"_s), QString());
}

TEST(Cp932, LeadBytes)
{
    for (int b : {0x81, 0x9F, 0xE0, 0xFC})
        EXPECT_TRUE(Cp932::isLeadByte(static_cast<unsigned char>(b))) << b;
    for (int b : {0x00, 0x41, 0x5C, 0x80, 0xA0, 0xB1, 0xDF, 0xFD, 0xFF})
        EXPECT_FALSE(Cp932::isLeadByte(static_cast<unsigned char>(b))) << b;
    // Every double-byte character encodes with a lead byte first.
    const QByteArray bytes = *Cp932::encode(u"表"_s); // 0x955C: trail byte is '\'
    ASSERT_EQ(bytes.size(), 2);
    EXPECT_TRUE(Cp932::isLeadByte(static_cast<unsigned char>(bytes.at(0))));
    EXPECT_EQ(bytes.at(1), '\\');
}

} // namespace
