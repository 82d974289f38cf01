#include "store/TableCopy.h"

#include "store/FieldText.h"
#include "store/Sql.h"
#include "store/StoreError.h"
#include "store/Transaction.h"

using namespace Qt::StringLiterals;

namespace store {

void TableCopy::ReplaceTableByCopy(const QSqlDatabase& db, const QString& source,
                                   const QString& target)
{
    const QList<FieldDef> from = FieldText::fieldsOf(db, source);
    const QList<FieldDef> to = FieldText::fieldsOf(db, target);
    QList<QPair<FieldDef, FieldDef>> pairs;
    for (const FieldDef& f : from)
        for (const FieldDef& t : to)
            if (f.name.compare(t.name, Qt::CaseInsensitive) == 0)
                pairs.append({f, t});

    QStringList srcNames, dstNames, marks;
    for (const auto& [f, t] : pairs) {
        srcNames << Sql::quoted(f.name);
        dstNames << Sql::quoted(t.name);
        marks << u"?"_s;
    }

    Transaction tx(db);
    if (!pairs.isEmpty()) {
        const QString insert = u"INSERT INTO "_s + Sql::quoted(target) + u" ("_s +
                               dstNames.join(u", "_s) + u") VALUES ("_s + marks.join(u", "_s) +
                               u')';
        QSqlQuery rows = Sql::exec(db, u"SELECT "_s + srcNames.join(u", "_s) + u" FROM "_s +
                                           Sql::quoted(source) + u" ORDER BY rowid"_s);
        while (rows.next()) {
            Transaction row(db);
            try {
                QVariantList values;
                for (int i = 0; i < pairs.size(); ++i)
                    values << FieldText::fromText(
                        pairs.at(i).second, FieldText::toText(pairs.at(i).first, rows.value(i)));
                Sql::exec(db, insert, values);
                row.commit();
            } catch (const StoreError&) {
                // The row does not fit the new layout; the copy goes on without it.
            }
        }
    }
    Sql::exec(db, u"DROP TABLE "_s + Sql::quoted(source));
    Sql::exec(db, u"ALTER TABLE "_s + Sql::quoted(target) + u" RENAME TO "_s + Sql::quoted(source));
    tx.commit();
}

} // namespace store
