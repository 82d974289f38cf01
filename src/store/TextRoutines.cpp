#include "store/TextRoutines.h"

#include "store/Cp932.h"
#include "store/StoreError.h"

#include <memory>
#include <unicode/translit.h>
#include <unicode/unistr.h>

using namespace Qt::StringLiterals;

namespace store::TextRoutines {

namespace {

constexpr qsizetype kMaxWords = 21;

// Delphi's Trim: blanks and control characters at both ends.
QString trimBlanksAndControls(const QString& text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text.at(from).unicode() <= u' ')
        ++from;
    while (to > from && text.at(to - 1).unicode() <= u' ')
        --to;
    return text.mid(from, to - from);
}

std::unique_ptr<icu::Transliterator> createTransliterator(const char16_t* id)
{
    UErrorCode status = U_ZERO_ERROR;
    UParseError parseError;
    std::unique_ptr<icu::Transliterator> t(icu::Transliterator::createInstance(
        icu::UnicodeString(id), UTRANS_FORWARD, parseError, status));
    if (U_FAILURE(status) || !t)
        throw StoreError(u"文字変換の機能 %1 を使用できません (%2)。"_s.arg(
            QString::fromUtf16(id), QString::fromLatin1(u_errorName(status))));
    return t;
}

QString transliterate(icu::Transliterator& t, const QString& text)
{
    icu::UnicodeString u(reinterpret_cast<const UChar*>(text.utf16()),
                         static_cast<int32_t>(text.size()));
    t.transliterate(u);
    return QString(reinterpret_cast<const QChar*>(u.getBuffer()), u.length());
}

// Created on first use and kept for the run.
icu::Transliterator& toFullWidth()
{
    static const auto t = createTransliterator(u"Halfwidth-Fullwidth");
    return *t;
}

icu::Transliterator& toHalfWidth()
{
    // ￠￡￢￣￤￥ would become signs outside Shift-JIS.
    static const auto t = createTransliterator(u"[^\\uFFE0-\\uFFE6] Fullwidth-Halfwidth");
    return *t;
}

icu::Transliterator& toKatakana()
{
    // The filter keeps the transform from touching anything but hiragana;
    // the digraph ゟ stays rather than becoming two letters.
    static const auto t = createTransliterator(u"[[:Hiragana:]-[\\u309F]] Hiragana-Katakana");
    return *t;
}

} // namespace

QStringList SplitWords(const QString& text)
{
    QString rest = text;
    rest.replace(u'\u3000', u' ');
    QStringList words;
    while (!rest.isEmpty()) {
        const qsizetype blank = rest.indexOf(u' ');
        const QString word = blank < 0 ? rest : rest.left(blank);
        rest = blank < 0 ? QString() : rest.mid(blank);
        if (words.size() < kMaxWords)
            words.append(word);
        rest = trimBlanksAndControls(rest);
    }
    return words;
}

QString ToFullWidth(const QString& text)
{
    QString out = transliterate(toFullWidth(), Cp932::withCp932Forms(text));
    // A voiced mark without a kana to join comes out combining; the locale
    // mapping gives the spacing mark, which Shift-JIS can hold.
    out.replace(u'\u3099', u'\u309B');
    out.replace(u'\u309A', u'\u309C');
    return out;
}

namespace {

QString halfWidthOf(const QString& text)
{
    QString out = transliterate(toHalfWidth(), text);
    // The spacing voiced marks have half-width forms too.
    out.replace(u'\u309B', u'\uFF9E');
    out.replace(u'\u309C', u'\uFF9F');
    return out;
}

} // namespace

QString ToHalfWidth(const QString& text)
{
    const QString in = Cp932::withCp932Forms(text);
    const QString out = halfWidthOf(in);
    if (Cp932::firstUnmappable(out).isEmpty())
        return out;
    // Some signs have half-width forms that Shift-JIS lacks (←, │, ■, ○ …):
    // those keep their full-width form. Only such a text takes this slower
    // path, one character at a time.
    QString slow;
    for (qsizetype i = 0; i < in.size();) {
        const qsizetype len =
            in.at(i).isHighSurrogate() && i + 1 < in.size() && in.at(i + 1).isLowSurrogate() ? 2
                                                                                             : 1;
        const QString original = in.mid(i, len);
        const QString half = halfWidthOf(original);
        const bool introduced =
            !Cp932::firstUnmappable(half).isEmpty() && Cp932::firstUnmappable(original).isEmpty();
        slow += introduced ? original : half;
        i += len;
    }
    return slow;
}

QString ToKatakana(const QString& text)
{
    QString out = transliterate(toKatakana(), text);
    // Small ka and ke have no katakana in the transform.
    out.replace(u'\u3095', u'\u30F5');
    out.replace(u'\u3096', u'\u30F6');
    return out;
}

} // namespace store::TextRoutines
