#include "store/TableRebuild.h"

#include "store/FieldText.h"
#include "store/Sql.h"
#include "store/StoreError.h"
#include "store/Transaction.h"

#include <QSqlError>

using namespace Qt::StringLiterals;

namespace store {

namespace {

// The field list and key of a CREATE TABLE statement: what follows the name.
QString bodyOf(const QString& createSql)
{
    const qsizetype open = createSql.indexOf(u'(');
    return open < 0 ? QString() : createSql.mid(open).trimmed();
}

QString storedSql(const QSqlDatabase& db, const QString& table)
{
    return Sql::scalar(
               db, u"SELECT sql FROM sqlite_master WHERE type='table' AND name=? COLLATE NOCASE"_s,
               {table})
        .toString();
}

QString quotedList(const QStringList& names)
{
    QStringList q;
    for (const QString& n : names)
        q << Sql::quoted(n);
    return q.join(u", "_s);
}

// A row that cannot be stored under the new definition.
struct UnstorableRow {
    QString message;
};

} // namespace

TableDef TableRebuild::definitionOf(const QSqlDatabase& db, const QString& table)
{
    TableDef def;
    def.name =
        Sql::scalar(
            db, u"SELECT name FROM sqlite_master WHERE type='table' AND name=? COLLATE NOCASE"_s,
            {table})
            .toString();
    def.fields = FieldText::fieldsOf(db, table);
    QSqlQuery q =
        Sql::exec(db, u"SELECT name FROM pragma_table_info(?) WHERE pk > 0 ORDER BY pk"_s, {table});
    while (q.next())
        def.primaryKey << q.value(0).toString();
    return def;
}

bool TableRebuild::isCurrent(const QSqlDatabase& db, const QString& table)
{
    if (!Sql::tableExists(db, table))
        return true;
    // Names are compared as SQL reads them: the key of kondateM2 is
    // declared "Kondate_ID" over the field "kondate_ID".
    return bodyOf(storedSql(db, table))
               .compare(bodyOf(TableCatalogue::tableStatement(definitionOf(db, table))),
                        Qt::CaseInsensitive) == 0;
}

bool TableRebuild::rebuild(const QSqlDatabase& db, const QString& table, QStringList& notes)
{
    if (isCurrent(db, table))
        return false;
    const TableDef def = definitionOf(db, table);
    const QString name = def.name;
    const QString work = name + u"$rebuild"_s;
    QStringList fieldNames;
    QStringList conditions;
    for (const FieldDef& f : def.fields) {
        fieldNames << f.name;
        conditions << u'(' + TableCatalogue::valueCondition(f) + u')';
    }
    const QString columns = quotedList(fieldNames);
    const QString order =
        def.primaryKey.isEmpty() ? QString() : u" ORDER BY "_s + quotedList(def.primaryKey);

    QStringList indexes;
    {
        QSqlQuery q = Sql::exec(db,
                                u"SELECT sql FROM sqlite_master WHERE type='index' AND "
                                u"tbl_name=? COLLATE NOCASE AND sql IS NOT NULL"_s,
                                {name});
        while (q.next())
            indexes << q.value(0).toString();
    }
    // An auto-increment key never gives out a number twice, also not one of
    // rows deleted before the rebuild.
    const QVariant sequence =
        Sql::tableExists(db, u"sqlite_sequence"_s)
            ? Sql::scalar(db, u"SELECT seq FROM sqlite_sequence WHERE name=?"_s, {name})
            : QVariant();

    QStringList tableNotes;
    try {
        Transaction tx(db);
        Sql::dropTable(db, work);
        Sql::exec(db, TableCatalogue::tableStatement(def, work));
        const int misfits =
            Sql::scalar(db, u"SELECT COUNT(*) FROM "_s + Sql::quoted(name) + u" WHERE NOT ("_s +
                                conditions.join(u" AND "_s) + u')')
                .toInt();
        if (misfits == 0) {
            Sql::exec(db, u"INSERT INTO "_s + Sql::quoted(work) + u" ("_s + columns +
                              u") SELECT "_s + columns + u" FROM "_s + Sql::quoted(name) + order);
        } else {
            // Read first: no statement runs while a forward-only result is open.
            QList<QVariantList> rows;
            {
                QSqlQuery q =
                    Sql::exec(db, u"SELECT "_s + columns + u" FROM "_s + Sql::quoted(name) + order);
                while (q.next()) {
                    QVariantList row;
                    for (int i = 0; i < def.fields.size(); ++i)
                        row << q.value(i);
                    rows << row;
                }
            }
            QStringList marks;
            for (int i = 0; i < def.fields.size(); ++i)
                marks << u"?"_s;
            QSqlQuery insert(db);
            const QString insertSql = u"INSERT INTO "_s + Sql::quoted(work) + u" ("_s + columns +
                                      u") VALUES ("_s + marks.join(u", "_s) + u')';
            if (!insert.prepare(insertSql))
                throw StoreError(insert.lastError().text() + u'\n' + insertSql);
            for (qsizetype r = 0; r < rows.size(); ++r) {
                const QVariantList& row = rows.at(r);
                QStringList key;
                for (int i = 0; i < def.fields.size(); ++i)
                    if (def.fields.at(i).key)
                        key << u"%1=%2"_s.arg(def.fields.at(i).name, row.at(i).toString());
                const QString where =
                    key.isEmpty() ? u"%1 行目"_s.arg(r + 1) : u"（%1）"_s.arg(key.join(u", "_s));
                for (int i = 0; i < def.fields.size(); ++i) {
                    const FieldDef& f = def.fields.at(i);
                    const FieldText::Converted c = FieldText::convertStored(f, row.at(i));
                    if (c.lost)
                        tableNotes << u"%1 %2 の %3:「%4」は値にできないので空にしました。"_s.arg(
                            name, where, f.name, row.at(i).toString());
                    else if (c.changed)
                        tableNotes << u"%1 %2 の %3:「%4」を「%5」にしました。"_s.arg(
                            name, where, f.name, row.at(i).toString(),
                            FieldText::toText(f, c.value));
                    insert.bindValue(i, c.value);
                }
                if (!insert.exec())
                    throw UnstorableRow{
                        u"%1 %2 はキーが正しくない（空、数でない、または他の行と同じ）"
                        u"ため、表 %1 は以前の形のまま残しました。"_s.arg(name, where)};
            }
        }
        Sql::exec(db, u"DROP TABLE "_s + Sql::quoted(name));
        Sql::exec(db, u"ALTER TABLE "_s + Sql::quoted(work) + u" RENAME TO "_s + Sql::quoted(name));
        for (const QString& index : indexes)
            Sql::exec(db, index);
        if (sequence.isValid() &&
            Sql::exec(db, u"UPDATE sqlite_sequence SET seq = MAX(seq, ?) WHERE name = ?"_s,
                      {sequence, name})
                    .numRowsAffected() == 0)
            Sql::exec(db, u"INSERT INTO sqlite_sequence (name, seq) VALUES (?, ?)"_s,
                      {name, sequence});
        tx.commit();
    } catch (const UnstorableRow& e) {
        notes << e.message;
        return false;
    }
    notes << tableNotes;
    return true;
}

} // namespace store
