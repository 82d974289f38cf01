#include "menu/MenuDishes.h"

#include "store/Cp932.h"
#include "store/DatabaseError.h"
#include "store/Sql.h"
#include "store/TableCatalogue.h"
#include "store/Transaction.h"

#include <QSqlError>

using namespace Qt::StringLiterals;
using store::Sql::exec;
using store::Sql::scalar;

namespace menu {

namespace {

const QString kUpdateMenuName =
    u"UPDATE kondateM2 SET kondateMei=? WHERE kondate_ID=? AND K1=? AND K2=?"_s;

int menuNameSize(const QSqlDatabase& aaa)
{
    return store::TableCatalogue::textSize(aaa, u"kondateM2"_s, u"kondateMei"_s);
}

// The names of the slot's dishes as they are stored: each followed by ",",
// the whole cut to the field's byte size.
QString joinedMenuName(const QStringList& dishNames, int size)
{
    QString name;
    for (const QString& dish : dishNames)
        name += dish + u',';
    return size > 0 ? store::Cp932::fitBytes(name, size) : name;
}

// Empty stays NULL in the table.
QVariant storedMenuName(const QString& name)
{
    return name.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(name);
}

} // namespace

QString MenuDishes::menuName(const QSqlDatabase& aaa, int kondateId, int k1, int k2)
{
    QStringList dishes;
    QSqlQuery q = exec(aaa,
                       u"SELECT RyoriM.Ryoriemei FROM kondateM3 "
                       u"LEFT JOIN RyoriM ON RyoriM.Ryori_ID=kondateM3.Ryori_ID "
                       u"WHERE kondateM3.kondate_ID=? AND kondateM3.K1=? AND kondateM3.K2=? "
                       u"ORDER BY kondateM3.Ryori_ID"_s,
                       {kondateId, k1, k2});
    while (q.next())
        dishes << q.value(0).toString();
    return joinedMenuName(dishes, menuNameSize(aaa));
}

void MenuDishes::rebuildMenuName(const QSqlDatabase& aaa, int kondateId, int k1, int k2)
{
    const QString name = menuName(aaa, kondateId, k1, k2);
    exec(aaa, kUpdateMenuName, {storedMenuName(name), kondateId, k1, k2});
}

MenuDishes::Rebuilt MenuDishes::rebuildAllMenuNames(const QSqlDatabase& aaa)
{
    struct Slot {
        QVariantList key;
        QString stored;
        QStringList dishes;
    };
    QList<Slot> mealSlots;
    {
        // Every slot once, with its dishes in dish-code order; a slot
        // without dishes comes as one row with a NULL dish.
        QSqlQuery q = exec(aaa, u"SELECT m2.kondate_ID, m2.K1, m2.K2, m2.kondateMei, m3.Ryori_ID, "
                                u"r.Ryoriemei FROM kondateM m "
                                u"JOIN kondateM2 m2 ON m2.kondate_ID=m.Kondate_ID "
                                u"LEFT JOIN kondateM3 m3 ON m3.kondate_ID=m2.kondate_ID "
                                u"AND m3.K1=m2.K1 AND m3.K2=m2.K2 "
                                u"LEFT JOIN RyoriM r ON r.Ryori_ID=m3.Ryori_ID "
                                u"ORDER BY m.kijitu, m.Kondate_ID, m2.K1, m2.K2, m3.Ryori_ID"_s);
        while (q.next()) {
            const QVariantList key{q.value(0).toInt(), q.value(1).toInt(), q.value(2).toInt()};
            if (mealSlots.isEmpty() || mealSlots.last().key != key)
                mealSlots.append({key, q.value(3).toString(), {}});
            if (!q.value(4).isNull())
                mealSlots.last().dishes << q.value(5).toString();
        }
    }
    const int size = menuNameSize(aaa);
    Rebuilt rebuilt;
    rebuilt.mealSlots = int(mealSlots.size());
    QSqlQuery update(aaa);
    if (!update.prepare(kUpdateMenuName))
        throw store::DatabaseError::make(update.lastError(), aaa, kUpdateMenuName);
    for (const Slot& slot : mealSlots) {
        const QString name = joinedMenuName(slot.dishes, size);
        if (name == slot.stored)
            continue;
        update.bindValue(0, storedMenuName(name));
        for (int i = 0; i < 3; ++i)
            update.bindValue(i + 1, slot.key.at(i));
        if (!update.exec())
            throw store::DatabaseError::make(update.lastError(), aaa, kUpdateMenuName);
        ++rebuilt.changed;
    }
    return rebuilt;
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
