#pragma once

#include <QSqlDatabase>

namespace menu {

// Menu days (kondateM) and what hangs on them. No reference is enforced by
// the engine, so deleting a day removes its meal slots, menu dishes, food
// lines and purchase lines here, in one transaction.
class MenuDays {
public:
    // The cascade that runs before a kondateM row is deleted: kondateM2,
    // kondateM3, kondateD and, when that table exists, kondateQ lose the
    // rows of the day.
    static void deleteDayContents(const QSqlDatabase& aaa, int kondateId);
    // The cascade and the day itself.
    static void deleteDay(const QSqlDatabase& aaa, int kondateId);
};

} // namespace menu
