#include "store/QuoteSplitter.h"

namespace store {

QList<QuoteSplitter::Record> QuoteSplitter::records(const QByteArray& data, int maxColumns)
{
    QList<Record> out;
    Record current;
    QByteArray column;
    bool inQuotes = false;
    const auto endColumn = [&]() {
        if (current.size() < maxColumns)
            current << column;
        column.clear();
    };
    const qsizetype n = data.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = data.at(i);
        if (c == '"') {
            if (inQuotes && i + 1 < n && data.at(i + 1) == '"') {
                column += '"';
                ++i;
                continue;
            }
            inQuotes = !inQuotes;
            continue;
        }
        if (inQuotes) {
            column += c;
            continue;
        }
        switch (c) {
        case ',':
            endColumn();
            break;
        case '\r':
            endColumn();
            out << current;
            current.clear();
            break;
        case '\n':
            break;
        default:
            column += c;
        }
    }
    return out;
}

} // namespace store
