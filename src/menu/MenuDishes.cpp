#include "menu/MenuDishes.h"

#include "store/Cp932.h"
#include "store/Sql.h"
#include "store/TableCatalogue.h"
#include "store/Transaction.h"

using namespace Qt::StringLiterals;
using store::Sql::exec;
using store::Sql::scalar;

namespace menu {

QString MenuDishes::menuName(const QSqlDatabase& aaa, int kondateId, int k1, int k2)
{
    QString name;
    QSqlQuery q = exec(aaa,
                       u"SELECT RyoriM.Ryoriemei FROM kondateM3 "
                       u"LEFT JOIN RyoriM ON RyoriM.Ryori_ID=kondateM3.Ryori_ID "
                       u"WHERE kondateM3.kondate_ID=? AND kondateM3.K1=? AND kondateM3.K2=? "
                       u"ORDER BY kondateM3.Ryori_ID"_s,
                       {kondateId, k1, k2});
    while (q.next())
        name += q.value(0).toString() + u',';
    const int size = store::TableCatalogue::textSize(aaa, u"kondateM2"_s, u"kondateMei"_s);
    return size > 0 ? store::Cp932::fitBytes(name, size) : name;
}

void MenuDishes::rebuildMenuName(const QSqlDatabase& aaa, int kondateId, int k1, int k2)
{
    const QString name = menuName(aaa, kondateId, k1, k2);
    exec(aaa, u"UPDATE kondateM2 SET kondateMei=? WHERE kondate_ID=? AND K1=? AND K2=?"_s,
         {name.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(name), kondateId, k1,
          k2});
}

bool MenuDishes::addDish(const QSqlDatabase& aaa, int kondateId, int k1, int k2,
                         const QString& ryoriId)
{
    const QVariantList slot{kondateId, k1, k2};
    if (scalar(aaa,
               u"SELECT 1 FROM kondateM3 WHERE kondate_ID=? AND K1=? AND K2=? AND Ryori_ID=?"_s,
               slot + QVariantList{ryoriId})
            .isValid())
        return false;

    store::Transaction tx(aaa);
    exec(aaa, u"INSERT INTO kondateM3 (kondate_ID, K1, K2, Ryori_ID) VALUES (?, ?, ?, ?)"_s,
         slot + QVariantList{ryoriId});
    rebuildMenuName(aaa, kondateId, k1, k2);

    const QString quantity = k2 == 0 ? u"Suryo1"_s : u"Suryo2"_s;
    QList<QVariantList> lines;
    {
        QSqlQuery q = exec(aaa,
                           u"SELECT SubNo, Syoku_ID, %1 FROM RyoriD WHERE Ryori_ID=? "
                           u"ORDER BY SubNo"_s.arg(quantity),
                           {ryoriId});
        while (q.next())
            lines.append({q.value(0), q.value(1), q.value(2)});
    }
    for (const QVariantList& line : lines) {
        const QVariantList key = slot + QVariantList{ryoriId, line.at(0)};
        if (scalar(aaa,
                   u"SELECT 1 FROM kondateD WHERE kondate_ID=? AND K1=? AND K2=? AND Ryori_ID=? "
                   u"AND SubNo=?"_s,
                   key)
                .isValid())
            continue;
        exec(aaa,
             u"INSERT INTO kondateD (kondate_ID, K1, K2, Ryori_ID, SubNo, Syoku_ID, Suryo) "
             u"VALUES (?, ?, ?, ?, ?, ?, ?)"_s,
             key + QVariantList{line.at(1), line.at(2)});
    }
    tx.commit();
    return true;
}

} // namespace menu
