#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace store {

// Moving a table to a new layout by copying its rows.
class TableCopy {
public:
    // The target table exists with the new layout. Every row of source is
    // appended to target, each field copied as text into the target field of
    // the same name. A value whose text the target field does not take is
    // converted as the old engine did (FieldText::convertStored), or left
    // empty when it cannot be; each such value is added to notes. No row is
    // skipped: a row the target still refuses stops the copy with
    // StoreError. Then source is dropped and target takes its name. One
    // transaction: a failure or a process killed midway leaves the source
    // table as it was.
    static void ReplaceTableByCopy(const QSqlDatabase& db, const QString& source,
                                   const QString& target, QStringList* notes = nullptr);
};

} // namespace store
