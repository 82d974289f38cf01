#include "masters/NameLists.h"
#include "masters/DataModule.h"
#include "masters/StartFolder.h"

#include <gtest/gtest.h>

using masters::NameList;
using masters::NameLists;

TEST(NameLists, LoadNamesFillsSixEntriesInKeyOrder)
{
    StartFolder folder;
    folder.dataSql(QStringLiteral("INSERT INTO SyokujiM VALUES (2, 'おやつ')"));
    folder.dataSql(QStringLiteral("INSERT INTO TaisyoM VALUES (1, '3歳未満')"));
    folder.dataSql(QStringLiteral("INSERT INTO TaisyoM VALUES (0, '3歳以上')"));
    masters::DataModule dm;
    dm.setWorkDir(folder.path());
    ASSERT_TRUE(dm.OpenDataDir());
    dm.LoadNames();
    const QStringList meals{QStringLiteral("おやつ"), {}, {}, {}, {}, {}};
    const QStringList targets{QStringLiteral("3歳以上"), QStringLiteral("3歳未満"), {}, {}, {}, {}};
    EXPECT_EQ(dm.MealNames, meals);
    EXPECT_EQ(dm.TargetNames, targets);
}

TEST(NameLists, NewRowsStopAtThreeMealTypesAndTwoTargetGroups)
{
    const struct {
        NameList list;
        int rows;
        bool allowed;
    } cases[] = {
        {NameList::MealTypes, 2, true},
        {NameList::MealTypes, 3, false},
        {NameList::TargetGroups, 1, true},
        {NameList::TargetGroups, 2, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NameLists::mayInsert(c.list, c.rows), c.allowed) << c.rows;
}

TEST(NameLists, NextKeyContinuesTheCodesOrStartsTheList)
{
    StartFolder folder;
    store::Session s(folder.path());
    s.openData();
    EXPECT_EQ(NameLists::nextKey(s.aaa(), NameList::MealTypes), 1);
    EXPECT_EQ(NameLists::nextKey(s.aaa(), NameList::TargetGroups), 0);
    folder.setMealTypes({QStringLiteral("昼食"), QStringLiteral("おやつ１")});
    folder.setTargetGroups({QStringLiteral("3歳以上")});
    EXPECT_EQ(NameLists::nextKey(s.aaa(), NameList::MealTypes), 3);
    EXPECT_EQ(NameLists::nextKey(s.aaa(), NameList::TargetGroups), 1);
}
