#include "menu/PurchaseLines.h"

#include "store/Cp932.h"
#include "store/Sql.h"
#include "store/TableCatalogue.h"
#include "store/TableScripts.h"
#include "store/Transaction.h"

#include <algorithm>
#include <map>
#include <tuple>

using namespace Qt::StringLiterals;
using store::Sql::exec;
using store::Sql::scalar;

namespace menu {

namespace {

const QString kTable = u"kondateQ"_s;

// A purchase line: meal type, dish code and food code as numbers.
using Key = std::tuple<int, int, int>;

// What the refresh computes for one line; the fields of a target group that
// has no food line stay empty.
struct Amounts {
    QString syokuMei;
    QString ryoriMei;
    bool group[2] = {false, false};
    double net[2] = {0, 0};
    double gross[2] = {0, 0};
    double grossTotal[2] = {0, 0};
    int ninzu[2] = {0, 0};
    int ninzu2[2] = {0, 0};
    int staff = 0; // Ninzu3 + Ninzu4 of target group 0
};

QVariant orNull(bool present, const QVariant& v)
{
    return present ? v : QVariant(v.metaType());
}

QString fit(const QSqlDatabase& db, const QString& field, const QString& text)
{
    const int size = store::TableCatalogue::textSize(db, kTable, field);
    return size > 0 ? store::Cp932::fitBytes(text, size) : text;
}

} // namespace

void PurchaseLines::ensureTable(const QSqlDatabase& aaa)
{
    if (store::Sql::tableExists(aaa, kTable))
        for (const QString& f : {u"D01"_s, u"C05"_s, u"E01"_s})
            if (!store::Sql::hasField(aaa, kTable, f)) {
                store::Sql::dropTable(aaa, kTable);
                break;
            }
    store::TableCatalogue::ensureTable(aaa, store::TableScripts::menuPurchaseTable(), kTable);
}

QList<ExpansionRow> PurchaseLines::expansionOfDay(const QSqlDatabase& aaa, int kondateId)
{
    QList<ExpansionRow> rows;
    QSqlQuery q = exec(aaa,
                       u"SELECT kD.K1, kD.K2, kD.Ryori_ID, kD.SubNo, kD.Suryo, "
                       u"kM2.Ninzu, kM2.Ninzu2, kM2.Ninzu3, kM2.Ninzu4, "
                       u"SM.Syoku_ID, SM.SyokuMei, SM.haiki, RrM.Ryoriemei "
                       u"FROM kondateD kD "
                       u"LEFT JOIN kondateM2 kM2 ON kD.kondate_ID=kM2.kondate_ID "
                       u"AND kD.K1=kM2.K1 AND kD.K2=kM2.K2 "
                       u"LEFT JOIN SyokuM SM ON kD.Syoku_ID=SM.Syoku_ID "
                       u"LEFT JOIN RyoriM RrM ON kD.Ryori_ID=RrM.Ryori_ID "
                       u"WHERE kD.kondate_ID=? ORDER BY kD.K1, kD.K2, kD.Ryori_ID, kD.SubNo"_s,
                       {kondateId});
    while (q.next()) {
        ExpansionRow r;
        r.k1 = q.value(0).toInt();
        r.k2 = q.value(1).toInt();
        r.ryoriId = q.value(2).toString();
        r.subNo = q.value(3).toInt();
        r.suryo = q.value(4).toDouble();
        r.ninzu = q.value(5).toInt();
        r.ninzu2 = q.value(6).toInt();
        r.ninzu3 = q.value(7).toInt();
        r.ninzu4 = q.value(8).toInt();
        r.syokuId = q.value(9).toString();
        r.syokuMei = q.value(10).toString();
        r.haiki = q.value(11).toDouble();
        r.ryoriMei = q.value(12).toString();
        rows.append(r);
    }
    return rows;
}

void PurchaseLines::refresh(const QSqlDatabase& aaa, int kondateId, const QDate& kijitu,
                            const QList<ExpansionRow>& rows)
{
    store::Transaction tx(aaa);

    // A line stays while the menu has its dish and food in its meal type,
    // for either target group; the food code is compared in its five-digit
    // form.
    QList<Key> stale;
    {
        QSqlQuery q = exec(aaa,
                           u"SELECT k1, Ryori_ID, Syoku_ID FROM kondateQ "
                           u"WHERE kondate_ID=? AND k1<>?"_s,
                           {kondateId, kTotal});
        while (q.next()) {
            const Key key{q.value(0).toInt(), q.value(1).toInt(), q.value(2).toInt()};
            const QString food = u"%1"_s.arg(std::get<2>(key), 5, 10, QChar(u'0'));
            const bool inMenu = std::any_of(rows.begin(), rows.end(), [&](const ExpansionRow& r) {
                return r.k1 == std::get<0>(key) && r.ryoriId.toInt() == std::get<1>(key) &&
                       r.syokuId == food;
            });
            if (!inMenu)
                stale.append(key);
        }
    }
    for (const Key& k : stale)
        exec(aaa,
             u"DELETE FROM kondateQ WHERE kondate_ID=? AND k1=? AND Ryori_ID=? AND Syoku_ID=?"_s,
             {kondateId, std::get<0>(k), std::get<1>(k), std::get<2>(k)});
    exec(aaa,
         u"UPDATE kondateQ SET A01=NULL, A02=NULL, A03=NULL, A04=NULL, B01=NULL, B02=NULL, "
         u"B03=NULL, C01=NULL, C02=NULL, C03=NULL, C04=NULL, D01=NULL, D02=NULL, D03=NULL, "
         u"C05=NULL WHERE kondate_ID=?"_s,
         {kondateId});

    QList<ExpansionRow> ordered = rows;
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const ExpansionRow& a, const ExpansionRow& b) {
                         return std::tie(a.k1, a.k2, a.ryoriId, a.subNo) <
                                std::tie(b.k1, b.k2, b.ryoriId, b.subNo);
                     });
    std::map<Key, Amounts> lines;
    QList<Key> order;
    for (const ExpansionRow& r : ordered) {
        if (r.k2 < 0 || r.k2 > 1)
            continue;
        const Key key{r.k1, r.ryoriId.toInt(), r.syokuId.toInt()};
        auto [it, added] = lines.try_emplace(key);
        Amounts& a = it->second;
        if (added) {
            order.append(key);
            a.syokuMei = r.syokuMei;
        }
        a.ryoriMei = r.ryoriMei;
        const int g = r.k2;
        const double gross = r.haiki == 100 ? r.suryo : r.suryo * 100 / (100 - r.haiki);
        a.group[g] = true;
        a.net[g] += r.suryo;
        a.gross[g] += gross;
        a.grossTotal[g] += r.ninzu * gross;
        a.ninzu[g] = r.ninzu;
        a.ninzu2[g] = r.ninzu2;
        if (g == 0)
            a.staff = r.ninzu3 + r.ninzu4;
    }

    const QString day = kijitu.toString(u"yyyy-MM-dd"_s);
    for (const Key& key : order) {
        const Amounts& a = lines.at(key);
        const QVariantList keyArgs{kondateId, std::get<0>(key), std::get<1>(key), std::get<2>(key)};
        if (!scalar(aaa,
                    u"SELECT 1 FROM kondateQ WHERE kondate_ID=? AND k1=? AND Ryori_ID=? "
                    u"AND Syoku_ID=?"_s,
                    keyArgs)
                 .isValid())
            exec(aaa,
                 u"INSERT INTO kondateQ (kondate_ID, k1, Ryori_ID, Syoku_ID, SyokuMei) "
                 u"VALUES (?, ?, ?, ?, ?)"_s,
                 keyArgs + QVariantList{fit(aaa, u"SyokuMei"_s, a.syokuMei)});
        QVariantList args{day, fit(aaa, u"RyoriMei"_s, a.ryoriMei)};
        for (int g = 0; g < 2; ++g)
            args << orNull(a.group[g], a.net[g]);
        for (int g = 0; g < 2; ++g)
            args << orNull(a.group[g], a.gross[g]);
        for (int g = 0; g < 2; ++g)
            args << orNull(a.group[g], a.grossTotal[g]);
        args << a.grossTotal[0] + a.grossTotal[1];
        for (int g = 0; g < 2; ++g)
            args << orNull(a.group[g], a.ninzu[g]);
        for (int g = 0; g < 2; ++g)
            args << orNull(a.group[g], a.ninzu2[g]);
        args << orNull(a.group[0], a.staff);
        exec(aaa,
             u"UPDATE kondateQ SET kijitu=?, RyoriMei=?, A01=?, A02=?, A03=?, A04=?, B01=?, B02=?, "
             u"B03=?, C01=?, C02=?, C03=?, C04=?, C05=? "
             u"WHERE kondate_ID=? AND k1=? AND Ryori_ID=? AND Syoku_ID=?"_s,
             args + keyArgs);
    }

    if (!rows.isEmpty()) {
        const QVariantList total{kondateId, kTotal, kTotal, kTotal};
        if (!scalar(aaa,
                    u"SELECT 1 FROM kondateQ WHERE kondate_ID=? AND k1=? AND Ryori_ID=? "
                    u"AND Syoku_ID=?"_s,
                    total)
                 .isValid())
            exec(aaa,
                 u"INSERT INTO kondateQ (kondate_ID, k1, Ryori_ID, Syoku_ID, SyokuMei) "
                 u"VALUES (?, ?, ?, ?, ?)"_s,
                 total + QVariantList{u"合計"_s});
        exec(aaa,
             u"UPDATE kondateQ SET kijitu=? WHERE kondate_ID=? AND k1=? AND Ryori_ID=? "
             u"AND Syoku_ID=?"_s,
             QVariantList{day} + total);
    }
    tx.commit();
}

} // namespace menu
