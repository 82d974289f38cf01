#include "components/MemoFile.h"
#include "components/RtfReader.h"
#include "components/RtfWriter.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace Qt::StringLiterals;
using components::MemoFile;
using components::RtfReader;
using components::RtfWriter;

namespace {

// The format of the character at position (0-based) of doc's plain text.
QTextCharFormat formatAt(const QTextDocument& doc, int position)
{
    QTextCursor c(const_cast<QTextDocument*>(&doc));
    c.setPosition(position + 1);
    return c.charFormat();
}

int indexOf(const QTextDocument& doc, const QString& text)
{
    return static_cast<int>(doc.toPlainText().indexOf(text));
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

// What a person types on a memo page: Japanese text, a bold and larger
// heading, coloured and underlined words, a character Shift-JIS lacks and
// RTF's own special characters; it must come back the same after the file.
TEST(MemoFileTest, PageSurvivesSaveAndReloadThroughItsFile)
{
    QTemporaryDir dir;
    QTextDocument doc;
    QTextCursor c(&doc);
    QTextCharFormat heading;
    heading.setFontWeight(QFont::Bold);
    heading.setFontPointSize(20);
    c.insertText(u"献立会議のメモ"_s, heading);
    c.insertBlock();
    QTextCharFormat plain;
    plain.setFontPointSize(12);
    c.insertText(u"牛乳は３日まで。{予備}\\ "_s, plain);
    QTextCharFormat red = plain;
    red.setForeground(QColor(200, 0, 0));
    red.setFontUnderline(true);
    red.setFontItalic(true);
    c.insertText(u"アレルギー注意"_s, red);
    c.insertText(u" 𠮷野家"_s, plain);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    c.insertBlock(centred);
    c.insertText(u"ｶﾀｶﾅ～"_s, plain);

    const QString path = MemoFile::path(dir.path(), 12);
    EXPECT_EQ(QFileInfo(path).fileName(), u"memo12.txt"_s);
    MemoFile::save(path, doc);
    const QByteArray bytes = readFile(path);
    EXPECT_TRUE(bytes.startsWith("{\\rtf1\\ansi\\ansicpg932"));
    // 献 is 0x8CA3 in Shift-JIS; 𠮷 has no Shift-JIS form.
    EXPECT_TRUE(bytes.contains("\\'8c\\'a3"));
    EXPECT_TRUE(bytes.contains("\\u-10174?\\u-8265?"));

    QTextDocument back;
    MemoFile::load(path, back);
    EXPECT_EQ(back.toPlainText(), doc.toPlainText());
    ASSERT_EQ(back.blockCount(), 3);
    const QTextCharFormat h = formatAt(back, 0);
    EXPECT_GE(h.fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(h.fontPointSize(), 20.0);
    const QTextCharFormat body = formatAt(back, indexOf(back, u"牛乳"_s));
    EXPECT_LT(body.fontWeight(), QFont::DemiBold);
    EXPECT_DOUBLE_EQ(body.fontPointSize(), 12.0);
    const QTextCharFormat warn = formatAt(back, indexOf(back, u"アレルギー"_s));
    EXPECT_EQ(warn.foreground().color(), QColor(200, 0, 0));
    EXPECT_TRUE(warn.fontUnderline());
    EXPECT_TRUE(warn.fontItalic());
    EXPECT_EQ(back.lastBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
}

// A sample as WordPad on a Japanese Windows writes it, with the pieces
// other writers add: \uN with a two-byte fallback, a \* destination, a
// picture, a style sheet and a binary blob that must not show.
TEST(RtfReaderTest, ReadsTextFontsAndColoursOfOtherWriters)
{
    const QByteArray sample =
        "{\\rtf1\\ansi\\ansicpg932\\deff0\\nouicompat\\deflang1033\\deflangfe1041"
        "{\\fonttbl{\\f0\\fnil\\fcharset128 \\'82\\'6c\\'82\\'72 \\'96\\'be\\'92\\'a9;}"
        "{\\f1\\fswiss\\fcharset0 Arial;}}\r\n"
        "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
        "{\\stylesheet{\\s0 Normal;}}{\\info{\\author \\'8e\\'52\\'93\\'63}}\r\n"
        "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
        "\\pard\\sa200\\sl276\\slmult1\\f0\\fs22\\lang1041 \\'8d\\'a1\\'93\\'fa\\'82\\'cd"
        "\\b\\fs32 \\'90\\'b0\\b0\\fs22 \\'82\\'c5\\'82\\'b7\\'81\\'42\\par\r\n"
        "\\cf1\\i\\f1 Red \\cf2\\ul blue\\ulnone\\i0\\cf0  plain\\par\r\n"
        "{\\pict\\wmetafile8 0102ABCD}{\\*\\shppict secret}\\bin3 {}x"
        "\\uc2\\u26376\\'8c\\'8e\\u-28623\\'8f\\'54 a\\{b\\}c\\\\d\\tab e\\par\r\n}";
    QTextDocument doc;
    RtfReader::read(sample, doc);
    EXPECT_EQ(doc.toPlainText(), u"今日は晴です。\nRed blue plain\n月週 a{b}c\\d\te\n"_s);
    EXPECT_EQ(formatAt(doc, 0).fontFamilies().toStringList(), QStringList{u"ＭＳ 明朝"_s});
    EXPECT_DOUBLE_EQ(formatAt(doc, 0).fontPointSize(), 11.0);
    const QTextCharFormat sunny = formatAt(doc, indexOf(doc, u"晴"_s));
    EXPECT_GE(sunny.fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(sunny.fontPointSize(), 16.0);
    EXPECT_LT(formatAt(doc, indexOf(doc, u"です"_s)).fontWeight(), QFont::DemiBold);
    const QTextCharFormat red = formatAt(doc, indexOf(doc, u"Red"_s));
    EXPECT_EQ(red.foreground().color(), QColor(255, 0, 0));
    EXPECT_TRUE(red.fontItalic());
    EXPECT_EQ(red.fontFamilies().toStringList(), QStringList{u"Arial"_s});
    const QTextCharFormat blue = formatAt(doc, indexOf(doc, u"blue"_s));
    EXPECT_EQ(blue.foreground().color(), QColor(0, 0, 255));
    EXPECT_TRUE(blue.fontUnderline());
    const QTextCharFormat rest = formatAt(doc, indexOf(doc, u"plain"_s));
    EXPECT_FALSE(rest.fontUnderline());
    EXPECT_FALSE(rest.fontItalic());
    EXPECT_EQ(rest.foreground().style(), Qt::NoBrush);
}

// Word switches fonts inside a run (\\loch, \\hich, \\dbch) and writes the
// Shift-JIS bytes under a Western font; LibreOffice writes \\uN with
// \\uc2 fallbacks and table cells. Both keep their text.
TEST(RtfReaderTest, ReadsWordAndLibreOfficeHabits)
{
    const QByteArray word =
        "{\\rtf1\\adeflang1025\\ansi\\ansicpg932\\uc2\\deff0\\stshfdbch11"
        "{\\fonttbl{\\f0\\froman\\fcharset0\\fprq2{\\*\\panose 02020603050405020304}Century;}"
        "{\\f11\\fbidi\\fmodern\\fcharset128\\fprq1 \\'82\\'6c\\'82\\'72 \\'96\\'be\\'92\\'a9;}}"
        "{\\*\\themedata 504b0304}{\\*\\latentstyles\\lsdstimax376{\\lsdlockedexcept Normal;}}"
        "\\pard\\plain \\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 \\fs21\\lang1033\\langfe1041"
        "{\\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 \\hich\\af0\\dbch\\af11\\loch\\f0 \\hich\\f0 "
        "\\'8b\\'8b\\'90\\'48}{\\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 \\insrsid123 \\par }"
        "{\\*\\datastore 0105000002000000}}";
    QTextDocument doc;
    RtfReader::read(word, doc);
    EXPECT_EQ(doc.toPlainText(), u"給食\n"_s);

    const QByteArray libreOffice =
        "{\\rtf1\\ansi\\deff4\\adeflang1025{\\fonttbl{\\f4\\fswiss\\fprq2\\fcharset0 "
        "Liberation Sans;}}{\\colortbl;\\red0\\green0\\blue0;\\red42\\green96\\blue153;}"
        "{\\stylesheet{\\s0\\snext0 Normal;}}{\\*\\generator LibreOffice/7.4}"
        "{\\info{\\creatim\\yr2024}}\\pgwsxn11906\\pghsxn16838"
        "{\\*\\pgdsctbl{\\pgdsc0\\pgdscuse451 Default;}}"
        "\\pard\\plain \\s0\\f4\\fs24{\\cf2\\b\\rtlch \\ltrch\\loch\\uc2 "
        "\\u12362\\'82\\'a8\\u12420\\'82\\'e2\\u12388\\'82\\'c2}"
        "\\intbl{A\\cell B\\cell}\\row\\pard\\par}";
    RtfReader::read(libreOffice, doc);
    EXPECT_EQ(doc.toPlainText(), u"おやつA\tB\t\n\n"_s);
    const QTextCharFormat f = formatAt(doc, 0);
    EXPECT_EQ(f.foreground().color(), QColor(42, 96, 153));
    EXPECT_GE(f.fontWeight(), QFont::Bold);
    EXPECT_EQ(f.fontFamilies().toStringList(), QStringList{u"Liberation Sans"_s});
}

// Broken and hostile files still give a document and end: each case was
// found by the fuzzer or is a class of input it must survive.
TEST(RtfReaderTest, SurvivesBrokenInput)
{
    struct Case {
        const char* name;
        QByteArray rtf;
        QString text;
    };
    const Case cases[] = {
        {"unclosed groups", "{\\rtf1 abc{\\b def", u"abcdef"_s},
        {"deep nesting", "{\\rtf1 " + QByteArray(100000, '{') + "x" + QByteArray(100000, '}'),
         QString()},
        {"cut escape", "{\\rtf1 ab\\'8", u"ab"_s},
        {"bad hex", "{\\rtf1 a\\'zzb}", u"ab"_s},
        {"lone lead byte", "{\\rtf1\\ansicpg932 a\\'82}", u"a\uFFFD"_s},
        {"lone surrogate", "{\\rtf1 a\\u-10178?b}", u"a\uFFFDb"_s},
        {"huge parameters",
         "{\\rtf1\\fs999999999999 a\\u99999999999 bc\\bin-5 d\\uc99999999\\u65 xyz}", u"acdA"_s},
        {"binary in a skipped group", "{\\rtf1 a{\\pict\\bin3 }}x}b}", u"ab"_s},
        {"huge binary", "{\\rtf1 a\\bin2147483647 xyz}", u"a"_s},
        {"control characters", QByteArray("{\\rtf1 a\0b\x0c\x7f}", 12), u"a\uFFFDb\uFFFD\uFFFD"_s},
        {"unknown code page", "{\\rtf1\\ansicpg99999 \\'e9}", u"\u00E9"_s},
        {"colour index out of range", "{\\rtf1{\\colortbl;}\\cf7 x\\cf-3 y}", u"xy"_s},
        {"escaped trail byte", "{\\rtf1\\ansicpg932 \\'95\\\\\\'8e\\'a6}", u"表示"_s},
        {"backslash at end", "{\\rtf1 a\\", u"a"_s},
    };
    for (const Case& c : cases) {
        QTextDocument doc;
        RtfReader::read(c.rtf, doc);
        if (!c.text.isNull()) {
            EXPECT_EQ(doc.toPlainText(), c.text) << c.name;
        }
    }
}

TEST(MemoFileTest, PlainTextLoadsAsPlainText)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        QString text;
    };
    const Case cases[] = {
        {"Shift-JIS", "\x8d\xa1\x93\xfa\r\n{\\b x}", u"今日\n{\\b x}"_s},
        {"UTF-8", "今日\n明日", u"今日\n明日"_s},
        {"UTF-8 with mark",
         "\xEF\xBB\xBF"
         "abc",
         u"abc"_s},
        {"empty", "", QString()},
    };
    for (const Case& c : cases) {
        QTextDocument doc;
        MemoFile::read(c.bytes, doc);
        EXPECT_EQ(doc.toPlainText(), c.text) << c.name;
    }
}

TEST(MemoFileTest, MissingFileIsAnEmptyPage)
{
    QTemporaryDir dir;
    QTextDocument doc;
    doc.setPlainText(u"前の内容"_s);
    MemoFile::load(MemoFile::path(dir.path(), 3), doc);
    EXPECT_TRUE(doc.isEmpty());
}

// The page on disk must survive a write that cannot finish. A file-size
// limit stands for a full disk; it stops root as well as any user.
TEST(MemoFileTest, FailedWriteLeavesTheOldFile)
{
    QTemporaryDir dir;
    const QString path = MemoFile::path(dir.path(), 1);
    writeFile(path, "{\\rtf1 old page}");
    QTextDocument doc;
    doc.setPlainText(QString(4000, u'新'));

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool refused = false;
    try {
        MemoFile::save(path, doc);
    } catch (const store::StoreError&) {
        refused = true;
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, oldHandler);

    EXPECT_TRUE(refused);
    EXPECT_EQ(readFile(path), "{\\rtf1 old page}");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"memo1.txt"_s});
}
