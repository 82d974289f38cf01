#include "store/TextRoutines.h"
#include "store/Cp932.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using store::TextRoutines::SplitWords;
using store::TextRoutines::ToFullWidth;
using store::TextRoutines::ToHalfWidth;
using store::TextRoutines::ToKatakana;

namespace {

TEST(TextRoutines, SplitWords)
{
    struct Case {
        QString text;
        QStringList expected;
    };
    const Case cases[] = {
        {u"にんじん　たまねぎ  じゃがいも"_s, {u"にんじん"_s, u"たまねぎ"_s, u"じゃがいも"_s}},
        {u" にんじん"_s, {QString(), u"にんじん"_s}},
        {u"　にんじん"_s, {QString(), u"にんじん"_s}},
        {u"にんじん "_s, {u"にんじん"_s}},
        {u"a \t b"_s, {u"a"_s, u"b"_s}}, // control characters are trimmed with the blanks
        {u"a\tb"_s, {u"a\tb"_s}},        // but do not separate words
        {u"一語"_s, {u"一語"_s}},
        {QString(), {}},
        {u"   "_s, {QString()}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitWords(c.text), c.expected) << c.text.toStdString();
}

TEST(TextRoutines, SplitWordsKeepsAtMost21Words)
{
    QStringList many;
    for (int i = 0; i < 25; ++i)
        many.append(QString::number(i));
    const QStringList words = SplitWords(many.join(u' '));
    EXPECT_EQ(words, many.mid(0, 21));
}

TEST(TextRoutines, WidthConversions)
{
    struct Case {
        QString half;
        QString full;
    };
    // Each pair converts both ways.
    const Case cases[] = {
        {u"abc123"_s, u"ａｂｃ１２３"_s},
        {u"ABC xyz"_s, u"ＡＢＣ　ｘｙｚ"_s},
        {u"1-2"_s, u"１－２"_s},
        {u"~"_s, u"～"_s},
        {u"ｶﾞｷﾞｸﾞ"_s, u"ガギグ"_s},
        {u"ﾊﾟﾋﾟﾌﾟ"_s, u"パピプ"_s},
        {u"ｳﾞ"_s, u"ヴ"_s},
        {u"ｱｲｳｴｵｧｯｬｰ"_s, u"アイウエオァッャー"_s},
        {u"｢ｶﾚｰ｣､｡･"_s, u"「カレー」、。・"_s},
        {u"ﾞﾟ"_s, u"゛゜"_s},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToFullWidth(c.half), c.full) << c.half.toStdString();
        EXPECT_EQ(ToHalfWidth(c.full), c.half) << c.full.toStdString();
    }
}

TEST(TextRoutines, WidthConversionsLeaveWhatHasNoOtherWidth)
{
    const QString kanjiAndHiragana = u"人参とだいこん"_s;
    EXPECT_EQ(ToFullWidth(kanjiAndHiragana), kanjiAndHiragana);
    EXPECT_EQ(ToHalfWidth(kanjiAndHiragana), kanjiAndHiragana);
    EXPECT_EQ(ToFullWidth(u"ＡＢＣ"_s), u"ＡＢＣ"_s);
    EXPECT_EQ(ToHalfWidth(u"ｱｲｳ 12"_s), u"ｱｲｳ 12"_s);
    EXPECT_EQ(ToHalfWidth(u"￥１００"_s), u"￥100"_s);
    // A voiced mark after a kana without a voiced form stays a mark.
    EXPECT_EQ(ToFullWidth(u"ｱﾞ"_s), u"ア゛"_s);
}

TEST(TextRoutines, FullWidthTextFitsShiftJis)
{
    // Food names are stored in Shift-JIS after ToFullWidth, so every
    // printable ASCII character and half-width kana must land in CP932.
    QString all;
    for (char16_t c = 0x20; c < 0x7F; ++c)
        all += QChar(c);
    for (char16_t c = 0xFF61; c <= 0xFF9F; ++c)
        all += QChar(c);
    const QString full = ToFullWidth(all);
    EXPECT_TRUE(store::Cp932::encode(full).has_value()) << full.toStdString();
    EXPECT_EQ(store::Cp932::byteLength(full), 2 * full.size());
}

TEST(TextRoutines, HalfWidthTextStaysInShiftJis)
{
    // Every character of the code page, run through ToHalfWidth, lands in
    // CP932 again: signs whose half-width forms it lacks (← │ ■ ○) stay.
    QString all;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0)
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const char bytes[] = {char(lead), char(trail)};
            if (const auto c = store::Cp932::decode(QByteArray(bytes, 2)); c && trail != 0x7F)
                all += *c;
        }
    }
    ASSERT_GT(all.size(), 7000);
    const QString half = ToHalfWidth(all);
    EXPECT_EQ(store::Cp932::firstUnmappable(half), QString());
    EXPECT_EQ(ToHalfWidth(u"←│■○ＡＢ"_s), u"←│■○AB"_s);
    // Look-alikes are taken as their Shift-JIS forms first.
    EXPECT_EQ(ToHalfWidth(u"1〜2−3"_s), u"1~2-3"_s);
    EXPECT_EQ(ToFullWidth(u"1〜2−3"_s), u"１～２－３"_s);
}

TEST(TextRoutines, ToKatakanaChangesOnlyHiragana)
{
    struct Case {
        QString text;
        QString expected;
    };
    const Case cases[] = {
        {u"ひらがな"_s, u"ヒラガナ"_s},
        {u"じゃがいも"_s, u"ジャガイモ"_s},
        {u"ぁぃゎゐゑをんゔゝゞゕゖ"_s, u"ァィヮヰヱヲンヴヽヾヵヶ"_s},
        {u"カタカナ"_s, u"カタカナ"_s},
        {u"ｶﾀｶﾅﾞ"_s, u"ｶﾀｶﾅﾞ"_s},
        {u"漢字"_s, u"漢字"_s},
        {u"abcＡＢＣ123１２３"_s, u"abcＡＢＣ123１２３"_s},
        {u"ー　-~゛"_s, u"ー　-~゛"_s},
        {u"ご飯（白米）"_s, u"ゴ飯（白米）"_s},
        {QString(), QString()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToKatakana(c.text), c.expected) << c.text.toStdString();
}

TEST(TextRoutines, FoodNameNormalisationMatchesTypedHiragana)
{
    // Stored names go through ToFullWidth then ToKatakana; a search typed in
    // hiragana goes through ToKatakana and must find them.
    const QString stored = ToKatakana(ToFullWidth(u"ﾆﾝｼﾞﾝ ゆで"_s));
    EXPECT_EQ(stored, u"ニンジン　ユデ"_s);
    const QStringList words = SplitWords(ToKatakana(u"にんじん ゆで"_s));
    ASSERT_EQ(words.size(), 2);
    for (const QString& w : words)
        EXPECT_TRUE(stored.contains(w)) << w.toStdString();
}

} // namespace
