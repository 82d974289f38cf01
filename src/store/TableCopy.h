#pragma once

#include <QSqlDatabase>
#include <QString>

namespace store {

// Moving a table to a new layout by copying its rows.
class TableCopy {
public:
    // The target table exists with the new layout. Every row of source is
    // appended to target, each field copied as text into the target field of
    // the same name; a row the target refuses is skipped. Then source is
    // dropped and target takes its name. One transaction: a process killed
    // midway leaves the source table as it was.
    static void ReplaceTableByCopy(const QSqlDatabase& db, const QString& source,
                                   const QString& target);
};

} // namespace store
