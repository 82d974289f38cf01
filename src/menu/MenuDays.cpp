#include "menu/MenuDays.h"

#include "store/Sql.h"
#include "store/Transaction.h"

using namespace Qt::StringLiterals;

namespace menu {

void MenuDays::deleteDayContents(const QSqlDatabase& aaa, int kondateId)
{
    store::Transaction tx(aaa);
    for (const QString& table : {u"kondateM2"_s, u"kondateM3"_s, u"kondateD"_s})
        store::Sql::exec(aaa, u"DELETE FROM %1 WHERE kondate_ID=?"_s.arg(table), {kondateId});
    // Data folders from before the day-cost screen have no kondateQ.
    if (store::Sql::tableExists(aaa, u"kondateQ"_s))
        store::Sql::exec(aaa, u"DELETE FROM kondateQ WHERE kondate_ID=?"_s, {kondateId});
    tx.commit();
}

void MenuDays::deleteDay(const QSqlDatabase& aaa, int kondateId)
{
    store::Transaction tx(aaa);
    deleteDayContents(aaa, kondateId);
    store::Sql::exec(aaa, u"DELETE FROM kondateM WHERE Kondate_ID=?"_s, {kondateId});
    tx.commit();
}

} // namespace menu
