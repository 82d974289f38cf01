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
    // with a Japanese message when the text is not a value of the field:
    // an integer beyond its range, money beyond Money's, an empty key (an
    // auto-increment key included: a blank number in a file is a mistake,
    // not a request for the next free number).
    static QVariant fromText(const FieldDef& field, const QString& text);
    // The text of a stored value: NULL is "", floats in general format
    // (up to 15 significant digits), money as plain decimal, dates yyyy/MM/dd.
    static QString toText(const FieldDef& field, const QVariant& value);
    static bool isNumeric(FieldType type);

    // A value stored under an older, unchecked layout, made fit for the
    // field as the old engine converted on assignment: numeric text is read
    // as its number, a real in an integer field is cut toward zero (as CAST
    // does), a real or text in a money field is yen (what a grid that wrote
    // "1234.5" meant), dates in yyyy/M/d form become yyyy-MM-dd. What still
    // does not fit becomes NULL. Text is kept as it is.
    struct Converted {
        QVariant value;
        bool changed = false; // value differs from the stored one
        bool lost = false;    // nothing of it could be kept: value is NULL
    };
    static Converted convertStored(const FieldDef& field, const QVariant& stored);
};

} // namespace store
