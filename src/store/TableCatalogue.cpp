#include "store/TableCatalogue.h"

#include "store/Money.h"
#include "store/Sql.h"
#include "store/StoreError.h"
#include "store/TableScripts.h"
#include "store/Transaction.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace store {

const FieldDef* TableDef::field(const QString& fieldName) const
{
    for (const FieldDef& f : fields)
        if (f.name.compare(fieldName, Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

namespace {

QString stripComments(const QString& script)
{
    static const QRegularExpression block(u"/\\*.*?\\*/"_s,
                                          QRegularExpression::DotMatchesEverythingOption);
    QString s = script;
    s.remove(block);
    return s;
}

QStringList nameList(const QString& inner)
{
    QStringList names;
    for (const QString& part : inner.split(u',', Qt::SkipEmptyParts)) {
        QString n = part.trimmed();
        if (n.startsWith(u'"') && n.endsWith(u'"'))
            n = n.mid(1, n.size() - 2);
        names << n;
    }
    return names;
}

FieldDef parseField(const QString& line)
{
    static const QRegularExpression re(
        u"^\"([^\"]+)\"\\s+([A-Za-z]+)\\s*(?:\\(\\s*(\\d+)\\s*\\))?$"_s);
    const auto m = re.match(line);
    if (!m.hasMatch())
        throw StoreError(u"表定義を読めません: "_s + line);
    FieldDef f;
    f.name = m.captured(1);
    const QString type = m.captured(2).toLower();
    if (type == u"character"_s || type == u"char"_s || type == u"varchar"_s) {
        f.type = FieldType::Text;
        f.size = m.captured(3).toInt();
    } else if (type == u"integer"_s) {
        f.type = FieldType::Integer;
        f.size = 4;
    } else if (type == u"smallint"_s) {
        f.type = FieldType::Integer;
        f.size = 2;
    } else if (type == u"float"_s) {
        f.type = FieldType::Float;
    } else if (type == u"money"_s) {
        f.type = FieldType::Money;
    } else if (type == u"date"_s) {
        f.type = FieldType::Date;
    } else if (type == u"autoinc"_s) {
        f.type = FieldType::AutoInc;
    } else {
        throw StoreError(u"未知の型です: "_s + line);
    }
    return f;
}

TableDef parseTable(const QString& name, const QString& body)
{
    TableDef t;
    t.name = name;
    static const QRegularExpression pk(u"PRIMARY\\s+KEY\\s*\\(([^)]*)\\)"_s,
                                       QRegularExpression::CaseInsensitiveOption);
    for (QString line : body.split(u'\n')) {
        line = line.trimmed();
        if (line.endsWith(u','))
            line.chop(1);
        if (line.isEmpty())
            continue;
        if (auto m = pk.match(line); m.hasMatch()) {
            t.primaryKey = nameList(m.captured(1));
            continue;
        }
        // Engine options (LANGUAGE, SORT, USER MAJOR VERSION) carry no meaning here.
        if (!line.startsWith(u'"'))
            continue;
        t.fields << parseField(line);
    }
    for (FieldDef& f : t.fields)
        f.key = f.type == FieldType::AutoInc || t.primaryKey.contains(f.name, Qt::CaseInsensitive);
    return t;
}

} // namespace

QList<TableDef> TableCatalogue::parse(const QString& script)
{
    const QString s = stripComments(script);
    QList<TableDef> tables;
    static const QRegularExpression table(
        u"CREATE\\s+TABLE\\s+IF\\s+NOT\\s+EXISTS\\s+\"([^\"]+)\"\\s*\\((.*?)\\)\\s*;"_s,
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression index(
        u"CREATE\\s+INDEX\\s+IF\\s+NOT\\s+EXISTS\\s+\"([^\"]+)\"\\s+ON\\s+\"([^\"]+)\"\\s*\\(([^)]*)\\)"_s,
        QRegularExpression::CaseInsensitiveOption);
    // Field sizes are in parentheses too, so a body runs up to the ")" that
    // stands right before ";".
    for (auto it = table.globalMatch(s); it.hasNext();) {
        const auto m = it.next();
        tables << parseTable(m.captured(1), m.captured(2));
    }
    for (auto it = index.globalMatch(s); it.hasNext();) {
        const auto m = it.next();
        for (TableDef& t : tables)
            if (t.name.compare(m.captured(2), Qt::CaseInsensitive) == 0)
                t.indexes << IndexDef{m.captured(1), nameList(m.captured(3))};
    }
    if (tables.isEmpty())
        throw StoreError(u"表定義がありません。"_s);
    return tables;
}

QString TableCatalogue::sqliteType(const FieldDef& field)
{
    switch (field.type) {
    case FieldType::Text:
        return field.size > 0 ? u"TEXT(%1)"_s.arg(field.size) : u"TEXT"_s;
    case FieldType::Integer:
        return field.size == 2 ? u"SMALLINT"_s : u"INTEGER"_s;
    case FieldType::Float:
        return u"FLOAT"_s;
    case FieldType::Money:
        return u"MONEY"_s;
    case FieldType::Date:
        return u"DATE"_s;
    case FieldType::AutoInc:
        return u"INTEGER PRIMARY KEY AUTOINCREMENT"_s;
    }
    return {};
}

qint64 TableCatalogue::integerMin(const FieldDef& field)
{
    return field.size == 2 ? -32768 : -2147483648LL;
}

qint64 TableCatalogue::integerMax(const FieldDef& field)
{
    return field.size == 2 ? 32767 : 2147483647;
}

QString TableCatalogue::valueCondition(const FieldDef& field)
{
    const QString c = Sql::quoted(field.name);
    const auto storedAs = [&](const QString& storage) {
        return u"typeof(%1) IN ('%2', 'null')"_s.arg(c, storage);
    };
    QString cond;
    switch (field.type) {
    case FieldType::Text:
        cond = storedAs(u"text"_s);
        break;
    case FieldType::Integer:
    case FieldType::AutoInc:
        cond = storedAs(u"integer"_s) +
               u" AND %1 BETWEEN %2 AND %3"_s.arg(c).arg(integerMin(field)).arg(integerMax(field));
        break;
    case FieldType::Float:
        cond = storedAs(u"real"_s);
        break;
    case FieldType::Money:
        cond = storedAs(u"integer"_s) +
               u" AND %1 BETWEEN %2 AND %3"_s.arg(c).arg(-Money::kMaxUnits).arg(Money::kMaxUnits);
        break;
    case FieldType::Date:
        // date() moves 2025-02-30 on to March, so a day that does not exist
        // does not come back unchanged.
        cond =
            u"%1 IS NULL OR (typeof(%1) = 'text' AND %1 GLOB "
            u"'[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]' AND date(%1, '+0 days') IS %1)"_s.arg(c);
        break;
    }
    return field.key ? u"%1 IS NOT NULL AND (%2)"_s.arg(c, cond) : cond;
}

QString TableCatalogue::columnDefinition(const FieldDef& field, bool soleIntegerKey)
{
    QString type = sqliteType(field);
    if (soleIntegerKey && field.type == FieldType::Integer)
        type = u"INT"_s;
    QString def = Sql::quoted(field.name) + u' ' + type;
    if (field.key && field.type != FieldType::AutoInc)
        def += u" NOT NULL"_s;
    FieldDef unkeyed = field;
    unkeyed.key = false; // NOT NULL says it already
    return def + u" CONSTRAINT "_s + Sql::quoted(field.name) + u" CHECK ("_s +
           valueCondition(unkeyed) + u')';
}

QString TableCatalogue::tableStatement(const TableDef& table, const QString& name)
{
    QStringList cols;
    bool autoKey = false;
    for (const FieldDef& f : table.fields)
        autoKey = autoKey || f.type == FieldType::AutoInc;
    bool soleIntegerKey = false;
    if (table.primaryKey.size() == 1 && !autoKey)
        if (const FieldDef* k = table.field(table.primaryKey.first()))
            soleIntegerKey = k->type == FieldType::Integer;
    for (FieldDef f : table.fields) {
        f.key = f.key || f.type == FieldType::AutoInc ||
                table.primaryKey.contains(f.name, Qt::CaseInsensitive);
        cols << columnDefinition(f, soleIntegerKey && f.key);
    }
    if (!table.primaryKey.isEmpty() && !autoKey) {
        QStringList key;
        for (const QString& k : table.primaryKey)
            key << Sql::quoted(k);
        cols << u"PRIMARY KEY ("_s + key.join(u", "_s) + u')';
    }
    return u"CREATE TABLE IF NOT EXISTS "_s + Sql::quoted(name.isEmpty() ? table.name : name) +
           u" ("_s + cols.join(u", "_s) + u')';
}

QStringList TableCatalogue::createStatements(const TableDef& table)
{
    QStringList out{tableStatement(table)};
    for (const IndexDef& ix : table.indexes) {
        QStringList f;
        for (const QString& n : ix.fields)
            f << Sql::quoted(n);
        // Index names are per database in SQLite, per table in the old engine.
        out << u"CREATE INDEX IF NOT EXISTS "_s + Sql::quoted(table.name + u'_' + ix.name) +
                   u" ON "_s + Sql::quoted(table.name) + u" ("_s + f.join(u", "_s) + u')';
    }
    return out;
}

void TableCatalogue::apply(const QSqlDatabase& db, const QString& script)
{
    const QList<TableDef> tables = parse(script);
    Transaction tx(db);
    for (const TableDef& t : tables)
        for (const QString& stmt : createStatements(t))
            Sql::exec(db, stmt);
    tx.commit();
}

void TableCatalogue::ensureTable(const QSqlDatabase& db, const QString& script,
                                 const QString& table)
{
    for (const TableDef& t : parse(script)) {
        if (t.name.compare(table, Qt::CaseInsensitive) != 0)
            continue;
        Transaction tx(db);
        for (const QString& stmt : createStatements(t))
            Sql::exec(db, stmt);
        tx.commit();
        return;
    }
    throw StoreError(u"表定義がありません: "_s + table);
}

int TableCatalogue::textSize(const QSqlDatabase& db, const QString& table, const QString& field)
{
    QSqlQuery q = Sql::exec(db, u"SELECT name, type FROM pragma_table_info(?)"_s, {table});
    static const QRegularExpression re(u"^TEXT\\((\\d+)\\)$"_s,
                                       QRegularExpression::CaseInsensitiveOption);
    while (q.next()) {
        if (q.value(0).toString().compare(field, Qt::CaseInsensitive) != 0)
            continue;
        const auto m = re.match(q.value(1).toString());
        return m.hasMatch() ? m.captured(1).toInt() : 0;
    }
    return 0;
}

QList<TableDef> TableCatalogue::mainTables()
{
    return parse(TableScripts::mainTables());
}

} // namespace store
