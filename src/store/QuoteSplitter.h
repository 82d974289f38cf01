#pragma once

#include <QByteArray>
#include <QList>

namespace store {

// The byte-wise, quote-aware comma splitter of the system's CSV files
// (Shift-JIS bytes, so a multi-byte character never contains a quote,
// comma or line end byte). A double quote switches between outside and
// inside quotes and is dropped; outside quotes a comma ends the column and
// a line end (CR LF, LF or CR) ends the column and the record; inside
// quotes every other byte belongs to the column, line ends included.
//
// A doubled quote inside quotes stands for one literal quote, so that a
// value holding a quote survives a write and a read. Empty lines give no
// record.
class QuoteSplitter {
public:
    using Record = QList<QByteArray>;

    // Whether bytes after the last line end (a last line without a line
    // end) form a record.
    enum class LastLine { Dropped, Read };

    struct Result {
        QList<Record> records;
        QList<int> lines; // the line (from 1) on which each record starts
        // When a quote never closes: the line where the first quoted value
        // that runs over a line end opens (else the last quote); 0: none.
        int unclosedQuoteLine = 0;
    };

    // Columns beyond maxColumns are dropped.
    static Result split(const QByteArray& data, int maxColumns,
                        LastLine lastLine = LastLine::Dropped);
    // The records of split(), for callers that need no line numbers.
    static QList<Record> records(const QByteArray& data, int maxColumns);
};

} // namespace store
