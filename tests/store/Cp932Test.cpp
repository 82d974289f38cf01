#include "store/Cp932.h"

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
        {u"ｱｲｳｴ"_s, 3, u"ｱｲｳ"_s},    {u"a😀b"_s, 2, u"a"_s}, // the surrogate pair stays whole
        {u"a😀b"_s, 3, u"a😀"_s},
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

    // A lead byte without its trail byte, and bytes outside the table.
    for (const QByteArray& bytes : {QByteArray("\x82"), QByteArray("a\xa0"), QByteArray("\xfd")})
        EXPECT_FALSE(Cp932::decode(bytes).has_value()) << bytes.toHex().toStdString();
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
