#include "store/CsvFile.h"

#include "store/Cp932.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace store {

namespace {

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// The line (from 1) that holds the byte at offset.
int lineOf(const QByteArray& data, qsizetype offset)
{
    int line = 1;
    for (qsizetype i = 0; i < offset && i < data.size(); ++i) {
        if (data.at(i) == '\n' ||
            (data.at(i) == '\r' && (i + 1 >= data.size() || data.at(i + 1) != '\n')))
            ++line;
    }
    return line;
}

// A file in UTF-8 is also often valid Shift-JIS byte for byte (as garbled
// kanji), so it is recognised by itself: a byte-order mark, or non-ASCII
// text that is valid UTF-8 throughout. Real Shift-JIS text is almost never
// valid UTF-8: its lead bytes 0x81–0x9F cannot start a UTF-8 character.
bool isUtf8Text(const QByteArray& data)
{
    if (data.startsWith("\xEF\xBB\xBF"))
        return true;
    if (std::all_of(data.begin(), data.end(), [](char c) { return (c & 0x80) == 0; }))
        return false;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(data); // decodes only when converted
    return !utf8.hasError();
}

} // namespace

QString CsvFile::decodeColumn(const QString& path, int line, const QByteArray& column)
{
    if (std::all_of(column.begin(), column.end(), [](char c) { return (c & 0x80) == 0; }))
        return QString::fromLatin1(column); // numbers and codes: no decoder needed
    const auto text = Cp932::decode(column);
    if (!text)
        throw StoreError(atLine(path, line, u"シフトJIS（CP932）の文字でないバイトがあります。"_s));
    return *text;
}

QString CsvFile::atLine(const QString& path, int line, const QString& what)
{
    return u"ファイル %1 の %2 行目: %3"_s.arg(shown(path)).arg(line).arg(what);
}

QString CsvFile::noRecordsMessage(const QString& path)
{
    return u"ファイル %1 には見出しの行のほかにデータがないので、読み込みません。"
           u"データは変更していません。"_s.arg(shown(path));
}

QByteArray CsvFile::readShiftJis(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw StoreError(
            u"ファイル %1 を読めません。ファイルがあり、読めることを確かめてください。"_s.arg(
                shown(path)),
            file.errorString());
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw StoreError(u"ファイル %1 を読めません。"_s.arg(shown(path)), file.errorString());
    if (isUtf8Text(data))
        throw StoreError(
            u"ファイル %1 は UTF-8 で保存されています。シフトJIS（CP932）で保存し直して"
            u"から、もう一度実行してください。データは変更していません。"_s.arg(shown(path)));
    if (const qsizetype bad = Cp932::firstInvalidByte(data); bad >= 0)
        throw StoreError(
            atLine(path, lineOf(data, bad),
                   u"シフトJIS（CP932）の文字でないバイトがあります。シフトJIS で保存"
                   u"し直してから、もう一度実行してください。データは変更していません。"_s),
            u"offset %1: 0x%2"_s.arg(bad).arg(static_cast<unsigned char>(data.at(bad)), 2, 16,
                                              QChar(u'0')));
    return data;
}

QList<CsvFile::Record> CsvFile::records(const QString& path, int maxColumns,
                                        QuoteSplitter::LastLine lastLine)
{
    const QByteArray data = readShiftJis(path);
    const QuoteSplitter::Result split = QuoteSplitter::split(data, maxColumns, lastLine);
    if (split.unclosedQuoteLine > 0)
        throw StoreError(
            atLine(path, split.unclosedQuoteLine,
                   u"「\"」で始まる値が閉じられていません（ファイルの終わりまで「\"」が"
                   u"ありません）。値を囲む「\"」を対にしてから、もう一度実行してください。"
                   u"データは変更していません。"_s));
    QList<Record> out;
    out.reserve(split.records.size());
    for (qsizetype r = 0; r < split.records.size(); ++r) {
        Record rec{split.lines.at(r), {}};
        for (const QByteArray& column : split.records.at(r))
            rec.values << decodeColumn(path, rec.line, column);
        out << rec;
    }
    return out;
}

QStringList CsvFile::lines(const QString& path)
{
    QString text = *Cp932::decode(readShiftJis(path));
    text.replace(u"\r\n"_s, u"\n"_s);
    text.replace(u'\r', u'\n');
    QStringList out = text.split(u'\n');
    if (!out.isEmpty() && out.last().isEmpty())
        out.removeLast(); // after the last line end
    return out;
}

} // namespace store
