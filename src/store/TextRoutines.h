#pragma once

#include <QString>
#include <QStringList>

namespace store {

// Japanese text routines of the search fields and the food names: splitting
// a search text into words and converting between character widths and kana
// forms the way a Japanese Windows locale does (ICU transliterators stand in
// for the locale mapping).
namespace TextRoutines {

// The words of a search text, at most 21. Full-width blanks count as blanks;
// a run of blanks between words gives no empty word, but a text that begins
// with a blank gives an empty first word (callers stop at the first empty
// word).
QStringList SplitWords(const QString& text);

// Half-width letters, digits, symbols and katakana to full width: "ｶﾞ" gives
// "ガ", "abc 1-2" gives "ａｂｃ　１－２" (the blank becomes a full-width blank).
// A lone half-width voiced mark becomes the spacing mark "゛", which Shift-JIS
// can hold; look-alikes (〜 −) are taken as their Shift-JIS forms.
QString ToFullWidth(const QString& text);

// The reverse of ToFullWidth: "ガ" gives "ｶﾞ", "　" gives " ". Hiragana and
// kanji have no half-width form and stay; so does every sign whose
// half-width form Shift-JIS cannot hold ("￠￡￢￣￤￥", "←", "■", "○" …), so
// that the result holds no character outside Shift-JIS that the text did
// not hold. Look-alikes (〜 −) are taken as their Shift-JIS forms first.
QString ToHalfWidth(const QString& text);

// Hiragana to full-width katakana; everything else (katakana of either width,
// kanji, letters, digits, "ー", blanks) is left as it is.
QString ToKatakana(const QString& text);

} // namespace TextRoutines

} // namespace store
