#pragma once

#include "store/Sql.h"
#include "store/TableCatalogue.h"

#include <QStringList>

// Tables as the previous version of the program created them, for upgrade
// tests: the same declared types and keys, none of the constraints.
namespace PreviousLayout {

using namespace Qt::StringLiterals;

// The statement the previous version created a table with: declared types
// and key, no constraints, an INTEGER single key (an alias of the rowid).
inline QString createStatement(const store::TableDef& t)
{
    QStringList cols;
    bool autoKey = false;
    for (const store::FieldDef& f : t.fields) {
        QString type;
        switch (f.type) {
        case store::FieldType::Text:
            type = u"TEXT(%1)"_s.arg(f.size);
            break;
        case store::FieldType::Integer:
            type = u"INTEGER"_s;
            break;
        case store::FieldType::Float:
            type = u"FLOAT"_s;
            break;
        case store::FieldType::Money:
            type = u"MONEY"_s;
            break;
        case store::FieldType::Date:
            type = u"DATE"_s;
            break;
        case store::FieldType::AutoInc:
            type = u"INTEGER PRIMARY KEY AUTOINCREMENT"_s;
            autoKey = true;
            break;
        }
        cols << store::Sql::quoted(f.name) + u' ' + type;
    }
    if (!t.primaryKey.isEmpty() && !autoKey) {
        QStringList key;
        for (const QString& k : t.primaryKey)
            key << store::Sql::quoted(k);
        cols << u"PRIMARY KEY ("_s + key.join(u", "_s) + u')';
    }
    return u"CREATE TABLE "_s + store::Sql::quoted(t.name) + u" ("_s + cols.join(u", "_s) + u')';
}

inline void create(const QSqlDatabase& db, const QString& script)
{
    for (const store::TableDef& t : store::TableCatalogue::parse(script))
        store::Sql::exec(db, createStatement(t));
}

} // namespace PreviousLayout
