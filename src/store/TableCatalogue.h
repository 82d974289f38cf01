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
    int size = 0; // CP932 bytes, text fields only
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
class TableCatalogue {
public:
    // Parses a script of CREATE TABLE / CREATE INDEX statements; commented-out
    // statements are skipped. Throws StoreError on a statement it cannot read.
    static QList<TableDef> parse(const QString& script);
    // The SQLite statements that create the table and its indexes when missing.
    static QStringList createStatements(const TableDef& table);
    static QString sqliteType(const FieldDef& field);
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
