#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace store {

enum class FieldType { Text, Integer, Float, Money, Date, AutoInc };

struct FieldDef {
    QString name;
    FieldType type = FieldType::Integer;
    // Text: CP932 bytes (0: unlimited). Integer: storage bytes, 4 (Integer)
    // or 2 (SmallInt), which set its range.
    int size = 0;
    bool key = false; // part of the primary key: never empty
};

struct IndexDef {
    QString name;
    QStringList fields;
};

struct TableDef {
    QString name;
    QList<FieldDef> fields;
    QStringList primaryKey;
    QList<IndexDef> indexes;

    const FieldDef* field(const QString& fieldName) const;
};

// The table catalogue: reads the table scripts (written in the dialect of
// the engine older installations used) into table definitions, and creates
// those tables in SQLite. This is the only place that dialect is translated.
//
// Storage: text(n) is declared "TEXT(n)" so that the byte limit lives in the
// database file itself and older layouts can be recognised; money is
// "MONEY" (an integer of ten-thousandths of a yen); dates are "DATE"
// holding yyyy-MM-dd text.
//
// The created tables refuse what their fields cannot hold, so no writer has
// to remember it: key fields are NOT NULL; every field carries a CHECK on
// its storage class (integers and money as integers, integers within their
// 32- or 16-bit range, money within Money's range, floats as reals, dates
// as valid yyyy-MM-dd text). A single integer key is declared "INT", not
// "INTEGER", because SQLite would make an INTEGER key an alias of the rowid
// and turn a NULL key into the next free number.
class TableCatalogue {
public:
    // Parses a script of CREATE TABLE / CREATE INDEX statements; commented-out
    // statements are skipped. Throws StoreError on a statement it cannot read.
    static QList<TableDef> parse(const QString& script);
    // The SQLite statements that create the table and its indexes when missing.
    static QStringList createStatements(const TableDef& table);
    // The CREATE TABLE statement alone, under another name when given (a
    // table being rebuilt is created beside the old one).
    static QString tableStatement(const TableDef& table, const QString& name = {});
    static QString sqliteType(const FieldDef& field);
    // The declared type and constraints of one field, as in CREATE TABLE or
    // ALTER TABLE ADD COLUMN. soleIntegerKey: see the class comment.
    static QString columnDefinition(const FieldDef& field, bool soleIntegerKey = false);
    // The SQL condition that a stored value of the field meets (NULL
    // included, except in a key): what the table's constraints enforce.
    static QString valueCondition(const FieldDef& field);
    // The range of an integer field (by its storage bytes).
    static qint64 integerMin(const FieldDef& field);
    static qint64 integerMax(const FieldDef& field);
    // Runs every statement of the script against db in one transaction;
    // existing tables are left as they are.
    static void apply(const QSqlDatabase& db, const QString& script);
    // Creates one table of the catalogue (by name, from the scripts) when missing.
    static void ensureTable(const QSqlDatabase& db, const QString& script, const QString& table);

    // The declared CP932 byte size of a text field of an existing table, or 0
    // when the field is not text (or does not exist).
    static int textSize(const QSqlDatabase& db, const QString& table, const QString& field);
    // Every user table of the Data folder, in script order.
    static QList<TableDef> mainTables();
};

} // namespace store
