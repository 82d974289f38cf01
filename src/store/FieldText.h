#pragma once

#include "store/TableCatalogue.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>

namespace store {

// Conversion between a field's stored value and its text, the way the
// system assigns fields "as text" (CSV import, table copy, correction file)
// and writes them out (CSV export).
class FieldText {
public:
    // The fields of an existing table with the types their declarations
    // give (TEXT(n), INTEGER, FLOAT, MONEY, DATE; the auto-increment key).
    static QList<FieldDef> fieldsOf(const QSqlDatabase& db, const QString& table);

    // The value to store for text in the field: "" becomes NULL, text is cut
    // to the field's CP932 size (look-alikes in their CP932 forms; a
    // character without one is refused), numbers are parsed (a comma grouping is
    // allowed), dates accept yyyy-MM-dd and yyyy/MM/dd. Throws StoreError
    // with a Japanese message when the text is not a value of the field.
    static QVariant fromText(const FieldDef& field, const QString& text);
    // The text of a stored value: NULL is "", floats in general format
    // (up to 15 significant digits), money as plain decimal, dates yyyy/MM/dd.
    static QString toText(const FieldDef& field, const QVariant& value);
    static bool isNumeric(FieldType type);
};

} // namespace store
