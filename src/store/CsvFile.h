#pragma once

#include "store/QuoteSplitter.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace store {

// A Shift-JIS exchange file (CSV, the correction file, the food data) read
// whole and checked before any table is touched: a file saved in UTF-8, a
// byte that is no Shift-JIS, or a quote that never closes is refused with a
// message that names the file and the line, instead of being stored as
// garbled text or swallowing the rest of the file.
class CsvFile {
public:
    struct Record {
        int line; // the line (from 1) on which the record starts
        QStringList values;
    };

    // The bytes of the file. Throws StoreError when it cannot be read, is
    // UTF-8 text, or holds bytes that are no Shift-JIS.
    static QByteArray readShiftJis(const QString& path);

    // The records of the file after the quote-aware splitter; line ends CR LF,
    // LF and CR alike. Throws StoreError as readShiftJis does, and when a
    // quote never closes.
    static QList<Record> records(const QString& path, int maxColumns,
                                 QuoteSplitter::LastLine lastLine);

    // The lines of the file, decoded (line ends CR LF, LF and CR alike; a
    // last line without a line end counts). Throws as readShiftJis does.
    static QStringList lines(const QString& path);

    // "ファイル <path> の <line> 行目: <what>".
    static QString atLine(const QString& path, int line, const QString& what);
    // The file refused because it holds no record after its heading.
    static QString noRecordsMessage(const QString& path);

private:
    static QString decodeColumn(const QString& path, int line, const QByteArray& column);
};

} // namespace store
