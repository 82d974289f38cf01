#include "masters/FoodGroupRanges.h"

#include "store/Sql.h"
#include "store/StoreError.h"
#include "store/Transaction.h"

using namespace Qt::StringLiterals;
using store::Sql::exec;

namespace masters {

namespace {
struct Range {
    QVariant from, to, group;
};

QList<Range> rangesOf(const QSqlDatabase& db, const QString& table)
{
    QList<Range> out;
    QSqlQuery q = exec(db, u"SELECT SyokuID1, SyokuID2, SyokuGun_ID FROM "_s +
                               store::Sql::quoted(table) + u" ORDER BY S_ID"_s);
    while (q.next())
        out.append({q.value(0), q.value(1), q.value(2)});
    return out;
}
} // namespace

void FoodGroupRanges::ApplyRanges(const QSqlDatabase& db, const Progress& progress)
{
    const QList<Range> first = rangesOf(db, u"SyokuGunMb"_s);
    const QList<Range> second = rangesOf(db, u"SyokuGunM2b"_s);
    const int total = static_cast<int>(first.size() + second.size());
    int done = 0;
    store::Transaction tx(db);
    for (const Range& r : first) {
        if (!r.group.isNull())
            exec(db, u"UPDATE SyokuM SET syokugun=? WHERE Syoku_ID>=? AND Syoku_ID<=?"_s,
                 {r.group, r.from.toString(), r.to.toString()});
        if (progress)
            progress(++done, total);
    }
    for (const Range& r : second) {
        exec(db, u"UPDATE SyokuM SET syokugun2=? WHERE Syoku_ID>=? AND Syoku_ID<=?"_s,
             {r.group.isNull() ? QVariant(0) : r.group, r.from.toString(), r.to.toString()});
        if (progress)
            progress(++done, total);
    }
    tx.commit();
}

void FoodGroupRanges::PadRangeCodes(const QSqlDatabase& db)
{
    QList<QPair<qlonglong, QStringList>> rows;
    QSqlQuery q = exec(db, u"SELECT S_ID, SyokuID1, SyokuID2 FROM SyokuGunMb ORDER BY S_ID"_s);
    while (q.next())
        rows.append({q.value(0).toLongLong(), {q.value(1).toString(), q.value(2).toString()}});
    for (const auto& [id, bounds] : rows) {
        QStringList padded;
        for (const QString& b : bounds) {
            bool ok = false;
            const int n = b.trimmed().toInt(&ok);
            if (!ok)
                throw store::StoreError(u"'%1' は正しい整数値ではありません。"_s.arg(b));
            padded << QString::asprintf("%.5d", n);
        }
        exec(db, u"UPDATE SyokuGunMb SET SyokuID1=?, SyokuID2=? WHERE S_ID=?"_s,
             {padded.at(0), padded.at(1), id});
    }
}

} // namespace masters
