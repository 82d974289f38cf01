#include "store/TableCopy.h"

#include "store/FieldText.h"
#include "store/Sql.h"
#include "store/StoreError.h"
#include "store/Transaction.h"

#include <QSqlError>

using namespace Qt::StringLiterals;

namespace store {

void TableCopy::ReplaceTableByCopy(const QSqlDatabase& db, const QString& source,
                                   const QString& target, QStringList* notes)
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
        // Read first: no statement runs while a forward-only result is open.
        QList<QVariantList> rows;
        {
            QSqlQuery q = Sql::exec(db, u"SELECT "_s + srcNames.join(u", "_s) + u" FROM "_s +
                                            Sql::quoted(source));
            while (q.next()) {
                QVariantList row;
                for (int i = 0; i < pairs.size(); ++i)
                    row << q.value(i);
                rows << row;
            }
        }
        const QString insertSql = u"INSERT INTO "_s + Sql::quoted(target) + u" ("_s +
                                  dstNames.join(u", "_s) + u") VALUES ("_s + marks.join(u", "_s) +
                                  u')';
        QSqlQuery insert(db);
        if (!insert.prepare(insertSql))
            throw StoreError(insert.lastError().text() + u'\n' + insertSql);
        for (qsizetype r = 0; r < rows.size(); ++r) {
            for (int i = 0; i < pairs.size(); ++i) {
                const auto& [f, t] = pairs.at(i);
                const QVariant stored = rows.at(r).at(i);
                QVariant value;
                try {
                    value = FieldText::fromText(t, FieldText::toText(f, stored));
                } catch (const StoreError&) {
                    const FieldText::Converted c = FieldText::convertStored(t, stored);
                    value = c.value;
                    const QString where = u"%1 %2 行目の %3:"_s.arg(source).arg(r + 1).arg(t.name);
                    if (notes)
                        *notes << where + (c.lost ? u"「%1」は値にできないので空にしました。"_s.arg(
                                                        stored.toString())
                                                  : u"「%1」を「%2」にしました。"_s.arg(
                                                        stored.toString(),
                                                        FieldText::toText(t, c.value)));
                }
                insert.bindValue(i, value);
            }
            if (!insert.exec())
                throw StoreError(
                    u"%1 の %2 行目を %3 に写せません。\n%4"_s.arg(source).arg(r + 1).arg(
                        target, insert.lastError().text()));
        }
    }
    Sql::exec(db, u"DROP TABLE "_s + Sql::quoted(source));
    Sql::exec(db, u"ALTER TABLE "_s + Sql::quoted(target) + u" RENAME TO "_s + Sql::quoted(source));
    tx.commit();
}

} // namespace store
