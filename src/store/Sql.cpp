#include "store/Sql.h"

#include "store/DatabaseError.h"

#include <QSqlError>
#include <QSqlRecord>

using namespace Qt::StringLiterals;

namespace store::Sql {

QSqlQuery exec(const QSqlDatabase& db, const QString& sql, const QVariantList& args)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw DatabaseError::make(q.lastError(), db, sql);
    for (const QVariant& a : args)
        q.addBindValue(a);
    if (!q.exec())
        throw DatabaseError::make(q.lastError(), db, sql);
    return q;
}

QVariant scalar(const QSqlDatabase& db, const QString& sql, const QVariantList& args)
{
    QSqlQuery q = exec(db, sql, args);
    return q.next() ? q.value(0) : QVariant();
}

QString quoted(const QString& identifier)
{
    QString s = identifier;
    s.replace(u'"', u"\"\""_s);
    return u'"' + s + u'"';
}

bool tableExists(const QSqlDatabase& db, const QString& table)
{
    return scalar(db, u"SELECT 1 FROM sqlite_master WHERE type='table' AND name=? COLLATE NOCASE"_s,
                  {table})
        .isValid();
}

void dropTable(const QSqlDatabase& db, const QString& table)
{
    exec(db, u"DROP TABLE IF EXISTS "_s + quoted(table));
}

QStringList fieldNames(const QSqlDatabase& db, const QString& table)
{
    QStringList names;
    QSqlRecord rec = db.record(table);
    for (int i = 0; i < rec.count(); ++i)
        names << rec.fieldName(i);
    return names;
}

bool hasField(const QSqlDatabase& db, const QString& table, const QString& field)
{
    return fieldNames(db, table).contains(field, Qt::CaseInsensitive);
}

QString escapeLike(const QString& text)
{
    QString out;
    for (QChar c : text) {
        if (c == u'\\' || c == u'%' || c == u'_')
            out += u'\\';
        out += c;
    }
    return out;
}

} // namespace store::Sql
