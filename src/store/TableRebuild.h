#pragma once

#include "store/TableCatalogue.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace store {

// Brings a table written by an older version, whose fields carry none of
// the constraints the catalogue now puts on them, to the catalogue's
// definition of the same fields: a new table is created beside it, the rows
// are copied, the old table is dropped and the new one takes its name, in
// one transaction. Fields, their order, the key and the indexes stay.
class TableRebuild {
public:
    // The definition the table's existing fields ask for (types as
    // declared, key as declared), in the catalogue's form.
    static TableDef definitionOf(const QSqlDatabase& db, const QString& table);
    // True when the table is declared the way the catalogue would create
    // it now (or does not exist): there is nothing to rebuild.
    static bool isCurrent(const QSqlDatabase& db, const QString& table);

    // Rebuilds the table unless it is current; true when it was rebuilt.
    // Rows whose values already fit are copied with one INSERT … SELECT.
    // Otherwise every value is converted the way the old engine assigned
    // values (FieldText::convertStored) and each conversion is added to
    // notes; a value that cannot be converted is stored empty and its old
    // text kept in notes. When a row's key cannot be stored (empty, no
    // number, or the same as another row's after conversion), no row is
    // dropped: the table is left as it was and notes says so.
    static bool rebuild(const QSqlDatabase& db, const QString& table, QStringList& notes);
};

} // namespace store
