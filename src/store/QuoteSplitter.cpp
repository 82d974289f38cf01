#include "store/QuoteSplitter.h"

namespace store {

QuoteSplitter::Result QuoteSplitter::split(const QByteArray& data, int maxColumns,
                                           LastLine lastLine)
{
    Result out;
    Record current;
    QByteArray column;
    bool inQuotes = false;
    bool quoted = false; // the record has had a quote: it is no empty line
    int line = 1;
    int recordLine = 1;
    int quoteLine = 0;
    // The first quoted value that ran over a line end: where a quote that
    // never closes most likely went wrong, since the toggling quotes after
    // it no longer pair up as written.
    int firstSpanningQuoteLine = 0;
    const auto endColumn = [&]() {
        if (current.size() < maxColumns)
            current << column;
        column.clear();
    };
    const auto endRecord = [&]() {
        endColumn();
        const bool empty = !quoted && current.size() == 1 && current.first().isEmpty();
        if (!empty) {
            out.records << current;
            out.lines << recordLine;
        }
        current.clear();
        quoted = false;
    };
    const qsizetype n = data.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = data.at(i);
        const bool lineEnd = c == '\n' || c == '\r';
        if (c == '\r' && i + 1 < n && data.at(i + 1) == '\n')
            ++i; // CR LF is one line end
        if (c == '"') {
            if (inQuotes && i + 1 < n && data.at(i + 1) == '"') {
                column += '"';
                ++i;
                continue;
            }
            inQuotes = !inQuotes;
            quoted = true;
            quoteLine = line;
            continue;
        }
        if (inQuotes) {
            column += c;
            if (c == '\r' && data.at(i) == '\n')
                column += '\n';
            if (lineEnd) {
                if (firstSpanningQuoteLine == 0)
                    firstSpanningQuoteLine = quoteLine;
                ++line;
            }
            continue;
        }
        if (lineEnd) {
            endRecord();
            recordLine = ++line;
        } else if (c == ',') {
            endColumn();
        } else {
            column += c;
        }
    }
    if (inQuotes)
        out.unclosedQuoteLine = firstSpanningQuoteLine > 0 ? firstSpanningQuoteLine : quoteLine;
    else if (lastLine == LastLine::Read && (!current.isEmpty() || !column.isEmpty() || quoted))
        endRecord();
    return out;
}

QList<QuoteSplitter::Record> QuoteSplitter::records(const QByteArray& data, int maxColumns)
{
    return split(data, maxColumns).records;
}

} // namespace store
