#pragma once

#include <QDate>
#include <QString>

namespace store {

// The display patterns of the reports and screens: number patterns such as
// "#,##0" or "0.##;#.#;#", printf-like specifiers such as "%4.1f" or "%8.0n",
// and date patterns such as "yyyy'年'mm'月'dd'日'(aaa)". Numbers are rounded
// half up on their visible decimal form (Rounding::roundHalfUp); weekday and
// month names are Japanese whatever the machine's locale.
namespace DisplayFormat {

// A number pattern of up to three sections "positive;negative;zero":
// - '0' a digit that is always shown, '#' a digit shown only when
//   significant; integer digits beyond the placeholders appear in front of
//   the first one, the decimal point only when a fraction digit follows;
// - ',' anywhere in a section groups the integer digits by thousands;
// - '...' and "..." are literal text, and so is any other character.
// A negative value takes the second section without a minus sign of its own;
// when that section is missing or empty it takes the first with a leading
// "-". A value that rounds to zero at its section's decimals takes the third
// section, or else the first without a sign. An empty pattern gives the
// value with up to 15 significant digits.
QString formatFloat(const QString& pattern, double value);

// Text with printf-like specifiers %[-][width][.precision]type, each given
// the same value:
// - 'f' fixed decimals (2 when no precision is given), 'n' likewise with
//   thousands separators, 'd' the whole number with at least precision
//   digits ("%.5d" pads with zeros);
// - width pads with blanks on the left, or on the right after '-';
// - "%%" is a percent sign; an unknown specifier is copied as it stands.
QString formatPrintf(const QString& pattern, double value);

// A date pattern: yyyy / yy, m / mm (month), mmm / mmmm ("12" / "12月"),
// d / dd (day), ddd / aaa (weekday "金"), dddd / aaaa ("金曜日"), ddddd
// (yyyy/mm/dd), dddddd (yyyy年m月d日); letters are case-insensitive, '...'
// and "..." are literal text, and so is any other character. An invalid date
// gives an empty text.
QString formatDate(const QString& pattern, const QDate& date);

} // namespace DisplayFormat

} // namespace store
