#pragma once

#include <QSqlDatabase>
#include <QString>

namespace menu {

// The dishes of a meal slot (kondateM3) and the food lines they expand into
// (kondateD): what the menu screen does when a dish is typed into a slot.
// A slot is (kondate_ID, K1, K2); K2 0 takes the recipe's Suryo1, K2 1 its
// Suryo2.
class MenuDishes {
public:
    // Puts the dish into the slot and expands its recipe: every RyoriD line,
    // in SubNo order, becomes a food line with the recipe's SubNo, Syoku_ID
    // and the quantity of the slot's target group, unless the slot already
    // has a line with that SubNo under the dish. The slot's kondateMei is
    // rebuilt. Returns false, changing nothing, when the slot already has
    // the dish. One transaction.
    static bool addDish(const QSqlDatabase& aaa, int kondateId, int k1, int k2,
                        const QString& ryoriId);

    // The slot's menu name: the names of its dishes in dish-code order, each
    // followed by ",", cut to the byte size of kondateMei. A dish missing
    // from RyoriM contributes an empty name.
    static QString menuName(const QSqlDatabase& aaa, int kondateId, int k1, int k2);
    static void rebuildMenuName(const QSqlDatabase& aaa, int kondateId, int k1, int k2);
    // The menu name of every slot of every menu day, days in kijitu order:
    // one read, then one prepared update bound for each slot whose stored
    // name differs. Slots of a day that no longer exists are left alone.
    // Returns how many slots were read and how many changed. Runs inside
    // the caller's transaction, if any.
    struct Rebuilt {
        int mealSlots = 0;
        int changed = 0;
    };
    static Rebuilt rebuildAllMenuNames(const QSqlDatabase& aaa);
};

} // namespace menu
