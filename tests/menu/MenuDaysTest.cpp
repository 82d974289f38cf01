#include "menu/MenuDays.h"
#include "masters/StartFolder.h"
#include "store/StoreError.h"
#include "store/TableCatalogue.h"
#include "store/TableScripts.h"

#include <gtest/gtest.h>

namespace {

// Two menu days, 1 and 2, each with a slot, a dish, a food line and
// (when the table exists) a purchase line.
struct MenuFixture : ::testing::Test {
    void SetUp() override
    {
        session.openData();
        for (int day : {1, 2}) {
            exec("INSERT INTO kondateM (Kondate_ID, kijitu) VALUES (?, '2024-04-0' || ?)",
                 {day, day});
            exec("INSERT INTO kondateM2 (kondate_ID, K1, K2) VALUES (?, 0, 0)", {day});
            exec("INSERT INTO kondateM3 (kondate_ID, K1, K2, Ryori_ID) VALUES (?, 0, 0, '0101')",
                 {day});
            exec("INSERT INTO kondateD (kondate_ID, K1, K2, Ryori_ID, SubNo, Syoku_ID) "
                 "VALUES (?, 0, 0, '0101', 1, '01001')",
                 {day});
        }
    }
    void addPurchaseTable()
    {
        store::TableCatalogue::apply(session.aaa(), store::TableScripts::menuPurchaseTable());
        for (int day : {1, 2})
            exec("INSERT INTO kondateQ (kondate_ID, k1, Ryori_ID, Syoku_ID) VALUES (?, 0, 101, "
                 "1001)",
                 {day});
    }
    void exec(const char* sql, const QVariantList& args = {})
    {
        store::Sql::exec(session.aaa(), QString::fromUtf8(sql), args);
    }
    QString daysIn(const char* table)
    {
        return store::Sql::scalar(session.aaa(),
                                  QStringLiteral("SELECT group_concat(kondate_ID) FROM (SELECT "
                                                 "kondate_ID FROM %1 ORDER BY 1)")
                                      .arg(QString::fromUtf8(table)))
            .toString();
    }

    StartFolder folder;
    store::Session session{folder.path()};
};

} // namespace

TEST_F(MenuFixture, DeletingADayRemovesItsLinesEverywhereAndNothingElse)
{
    addPurchaseTable();
    menu::MenuDays::deleteDay(session.aaa(), 1);
    for (const char* table : {"kondateM", "kondateM2", "kondateM3", "kondateD", "kondateQ"})
        EXPECT_EQ(daysIn(table), QStringLiteral("2")) << table;
}

TEST_F(MenuFixture, FolderWithoutPurchaseTableDeletesWithoutError)
{
    ASSERT_FALSE(store::Sql::tableExists(session.aaa(), QStringLiteral("kondateQ")));
    menu::MenuDays::deleteDayContents(session.aaa(), 2);
    for (const char* table : {"kondateM2", "kondateM3", "kondateD"})
        EXPECT_EQ(daysIn(table), QStringLiteral("1")) << table;
    EXPECT_EQ(daysIn("kondateM"), QStringLiteral("1,2"));
}

TEST_F(MenuFixture, CascadeThatFailsHalfwayChangesNothing)
{
    // A purchase table the delete cannot run against.
    exec("CREATE TABLE kondateQ (other INTEGER)");
    EXPECT_THROW(menu::MenuDays::deleteDayContents(session.aaa(), 1), store::StoreError);
    for (const char* table : {"kondateM2", "kondateM3", "kondateD"})
        EXPECT_EQ(daysIn(table), QStringLiteral("1,2")) << table;
}
