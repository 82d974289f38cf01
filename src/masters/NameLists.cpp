#include "masters/NameLists.h"

#include "store/Sql.h"

using namespace Qt::StringLiterals;

namespace masters {

QString NameLists::table(NameList list)
{
    return list == NameList::MealTypes ? u"SyokujiM"_s : u"TaisyoM"_s;
}

QString NameLists::keyField(NameList list)
{
    return list == NameList::MealTypes ? u"Syokuji_ID"_s : u"Taisyo_ID"_s;
}

QString NameLists::nameField(NameList list)
{
    return list == NameList::MealTypes ? u"Syokujimei"_s : u"Taisyomei"_s;
}

int NameLists::maxRows(NameList list)
{
    return list == NameList::MealTypes ? 3 : 2;
}

bool NameLists::mayInsert(NameList list, int rowsHeld)
{
    return rowsHeld < maxRows(list);
}

int NameLists::nextKey(const QSqlDatabase& db, NameList list)
{
    const QVariant top =
        store::Sql::scalar(db, u"SELECT MAX(%1) FROM %2"_s.arg(store::Sql::quoted(keyField(list)),
                                                               store::Sql::quoted(table(list))));
    if (top.isNull())
        return list == NameList::MealTypes ? 1 : 0;
    return top.toInt() + 1;
}

QStringList NameLists::builtInCaptions(NameList list)
{
    if (list == NameList::MealTypes)
        return {u"昼食"_s, u"おやつ１"_s, u"おやつ２"_s};
    return {u"3歳以上"_s, u"3歳未満"_s};
}

QStringList NameLists::load(const QSqlDatabase& db, NameList list)
{
    QSqlQuery q = store::Sql::exec(
        db, u"SELECT %1 FROM %2 ORDER BY %3 LIMIT %4"_s.arg(
                store::Sql::quoted(nameField(list)), store::Sql::quoted(table(list)),
                store::Sql::quoted(keyField(list)), QString::number(SharedSize)));
    QStringList names;
    while (q.next())
        names << q.value(0).toString();
    while (names.size() < SharedSize)
        names << QString();
    return names;
}

} // namespace masters
