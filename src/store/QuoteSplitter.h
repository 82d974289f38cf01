#pragma once

#include <QByteArray>
#include <QList>

namespace store {

// The byte-wise, quote-aware comma splitter of the system's CSV files
// (Shift-JIS bytes, so a multi-byte character never contains a quote,
// comma or line end byte). A double quote switches between outside and
// inside quotes and is dropped; outside quotes a comma or carriage return
// ends the column, a line feed is dropped, and a carriage return also ends
// the record; inside quotes every other byte belongs to the column.
//
// A doubled quote inside quotes stands for one literal quote, so that a
// value holding a quote survives a write and a read.
class QuoteSplitter {
public:
    using Record = QList<QByteArray>;

    // Every record that a carriage return ends; bytes after the last one
    // (a last line without a line end) form no record. Columns beyond
    // maxColumns are dropped.
    static QList<Record> records(const QByteArray& data, int maxColumns);
};

} // namespace store
