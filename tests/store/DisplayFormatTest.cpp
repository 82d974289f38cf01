#include "store/DisplayFormat.h"

#include <QDate>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using store::DisplayFormat::formatDate;
using store::DisplayFormat::formatFloat;
using store::DisplayFormat::formatPrintf;

namespace {

struct NumberCase {
    QString pattern;
    double value;
    QString expected;
};

TEST(DisplayFormat, FormatFloatPatterns)
{
    const NumberCase cases[] = {
        // One decimal, rounded half up on the visible value.
        {u"0.0"_s, 28.05, u"28.1"_s},
        {u"0.0"_s, 0.85 * 33, u"28.1"_s},
        {u"0.0"_s, 1.15, u"1.2"_s},
        {u"0.0"_s, 0.0, u"0.0"_s},
        {u"0.0"_s, 12345.0, u"12345.0"_s},
        {u"0.0"_s, -28.05, u"-28.1"_s},
        {u"0.0"_s, -0.04, u"0.0"_s}, // no "-0.0"
        {u"0.00"_s, 1.005, u"1.01"_s},
        {u"0.00"_s, 3.0, u"3.00"_s},
        // Optional fraction digits; the point goes when no digit follows.
        {u"0.##"_s, 1.0, u"1"_s},
        {u"0.##"_s, 1.5, u"1.5"_s},
        {u"0.##"_s, 1.234, u"1.23"_s},
        {u"0.0#"_s, 2.0, u"2.0"_s},
        {u"#.#"_s, 0.5, u".5"_s},
        {u"#.#"_s, 12.34, u"12.3"_s},
        // Three sections: the negative one carries no minus, zero is blank.
        {u"0.##;#.#;#"_s, 12.345, u"12.35"_s},
        {u"0.##;#.#;#"_s, -1.25, u"1.3"_s},
        {u"0.##;#.#;#"_s, -0.05, u".1"_s},
        {u"0.##;#.#;#"_s, 0.0, u""_s},
        {u"0.##;#.#;#"_s, 0.004, u""_s}, // rounds to zero at two decimals
        {u"0.##;#.#;#"_s, -0.04, u""_s}, // rounds to zero at one decimal
        {u"0.0;(0.0)"_s, -2.25, u"(2.3)"_s},
        {u"0.0;;'ゼロ'"_s, -2.25, u"-2.3"_s}, // empty negative section
        {u"0.0;;'ゼロ'"_s, 0.0, u"ゼロ"_s},
        {u"0.0;'△'0.0"_s, 0.0, u"0.0"_s}, // two sections: zero takes the first
        // Thousands grouping.
        {u"#,#"_s, 0.0, u""_s},
        {u"#,#"_s, 1234567.0, u"1,234,567"_s},
        {u"#,#"_s, 999.0, u"999"_s},
        {u"#,#"_s, 1000.0, u"1,000"_s},
        {u"#,#"_s, -1234.4, u"-1,234"_s},
        {u"#,0"_s, 0.0, u"0"_s},
        {u"#,0"_s, 1234.5, u"1,235"_s},
        {u"#,##0"_s, 0.0, u"0"_s},
        {u"#,##0"_s, 123456789.0, u"123,456,789"_s},
        {u"#,##0.0"_s, 1234.56, u"1,234.6"_s},
        // Integer digits beyond the placeholders and zero padding.
        {u"0"_s, 12345.0, u"12345"_s},
        {u"0"_s, 2.5, u"3"_s},
        {u"00"_s, 5.0, u"05"_s},
        {u"000.0"_s, 1.25, u"001.3"_s},
        {u"#"_s, 0.0, u""_s},
        // Literals, quoted or not.
        {u"0'g'"_s, 5.0, u"5g"_s},
        {u"\"約\"0.0"_s, 5.0, u"約5.0"_s},
        {u"#,##0円"_s, 1234.0, u"1,234円"_s},
        {u"0.0' %'"_s, 12.34, u"12.3 %"_s},
        {u"'a;b'0"_s, 7.0, u"a;b7"_s}, // ';' inside quotes does not split
        {u"0.0'.,#0'"_s, 1.0, u"1.0.,#0"_s},
        // No pattern: the value as it is.
        {u""_s, 1.5, u"1.5"_s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatFloat(c.pattern, c.value), c.expected)
            << c.pattern.toStdString() << " with " << c.value;
}

TEST(DisplayFormat, FormatPrintfSpecifiers)
{
    const NumberCase cases[] = {
        {u"%2.1f"_s, 28.05, u"28.1"_s},
        {u"%2.1f"_s, 3.0, u"3.0"_s},
        {u"%2.1f"_s, 123.456, u"123.5"_s},
        {u"%4.1f"_s, 3.0, u" 3.0"_s},
        {u"%4.1f"_s, 0.85 * 33, u"28.1"_s},
        {u"%6.2f"_s, -1.005, u" -1.01"_s},
        {u"%.1f"_s, -0.04, u"0.0"_s},
        {u"%f"_s, 1.0, u"1.00"_s},
        {u"%-6.1f|"_s, 2.25, u"2.3   |"_s},
        {u"%.1f %%"_s, 56.78, u"56.8 %"_s},
        {u"%8.0n"_s, 1234567.0, u"1,234,567"_s},
        {u"%8.0n"_s, 1234.5, u"   1,235"_s},
        {u"%8.0n"_s, 0.0, u"       0"_s},
        {u"%2.0n"_s, -1234.0, u"-1,234"_s},
        {u"%.2n"_s, 1234567.891, u"1,234,567.89"_s},
        {u"%d"_s, 42.0, u"42"_s},
        {u"%d"_s, 2.5, u"3"_s},
        {u"%d"_s, -2.5, u"-3"_s},
        {u"%.5d"_s, 1001.0, u"01001"_s},
        {u"%.5d"_s, -12.0, u"-00012"_s},
        {u"%.5d"_s, 123456.0, u"123456"_s},
        {u"%4d"_s, 7.0, u"   7"_s},
        {u"　　持参米  %d g"_s, 50.0, u"　　持参米  50 g"_s},
        {u"%q"_s, 1.0, u"%q"_s}, // unknown specifiers are copied
        {u"50%"_s, 1.0, u"50%"_s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatPrintf(c.pattern, c.value), c.expected)
            << c.pattern.toStdString() << " with " << c.value;
}

TEST(DisplayFormat, FormatDatePatterns)
{
    const QDate friday(2026, 12, 11);
    struct DateCase {
        QString pattern;
        QDate date;
        QString expected;
    };
    const DateCase cases[] = {
        {u"yyyy'年'mm'月'dd'日'(aaa)"_s, friday, u"2026年12月11日(金)"_s},
        {u"yyyy'年'mm'月'dd'日（'ddd'）'"_s, friday, u"2026年12月11日（金）"_s},
        {u"yyyy\"年\"m\"月\"d\"日\""_s, QDate(2026, 4, 1), u"2026年4月1日"_s},
        {u"yyyy/mm/dd"_s, QDate(2026, 4, 1), u"2026/04/01"_s},
        {u"yy/m/d"_s, QDate(2009, 4, 1), u"09/4/1"_s},
        {u"YYYY/MM/DD"_s, QDate(2026, 4, 1), u"2026/04/01"_s},
        {u"yyyy"_s, QDate(987, 1, 1), u"0987"_s},
        {u"m月d日 dddd"_s, QDate(2026, 12, 13), u"12月13日 日曜日"_s},
        {u"aaaa"_s, QDate(2026, 12, 14), u"月曜日"_s},
        {u"ddd"_s, QDate(2026, 12, 15), u"火"_s},
        {u"aaa"_s, QDate(2026, 12, 16), u"水"_s},
        {u"aaa"_s, QDate(2026, 12, 17), u"木"_s},
        {u"aaa"_s, QDate(2026, 12, 19), u"土"_s},
        {u"mmm|mmmm"_s, QDate(2026, 3, 5), u"3|3月"_s},
        {u"ddddd"_s, QDate(2026, 3, 5), u"2026/03/05"_s},
        {u"dddddd"_s, QDate(2026, 3, 5), u"2026年3月5日"_s},
        {u"'yyyy' a aa"_s, friday, u"yyyy a aa"_s},
        {u"yyyy-mm-dd 〜"_s, friday, u"2026-12-11 〜"_s},
        {u"yyyy"_s, QDate(), u""_s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatDate(c.pattern, c.date), c.expected) << c.pattern.toStdString();
}

} // namespace
