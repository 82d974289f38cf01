#include "ui/Typing.h"
#include "ui/UiFixture.h"

#include "ui/widgets/DataGrid.h"
#include "ui/widgets/RecordNavigator.h"
#include "ui/widgets/SqlGridModel.h"

#include <QLineEdit>
#include <QSqlRecord>
#include <QTest>
#include <QToolButton>

using Button = widgets::RecordNavigator::Button;

namespace {

// A grid of the meal types with a navigator under it, as the master
// screens put them together.
class NavigatorGrid : public UiFixture {
protected:
    void SetUp() override
    {
        folder.setMealTypes(
            {QStringLiteral("昼食"), QStringLiteral("おやつ１"), QStringLiteral("おやつ２")});
        openData();
        model = new widgets::SqlGridModel(dm.session().aaa(), QStringLiteral("SyokujiM"), &grid);
        model->setPrimer([](QSqlRecord& rec) { rec.setValue(0, 9); });
        model->select();
        grid.setGridModel(model);
        navigator.setGrid(&grid);
        grid.show();
        grid.setCurrentIndex(model->index(0, 1));
    }
    void click(Button b) { QTest::mouseClick(navigator.button(b), Qt::LeftButton); }
    int row() const { return grid.currentIndex().row(); }
    // The cell editor that is open (closed ones linger hidden until deleted).
    QLineEdit* editor() const
    {
        for (QLineEdit* e : grid.viewport()->findChildren<QLineEdit*>())
            if (e->isVisible())
                return e;
        return nullptr;
    }
    QString names() const
    {
        return folder
            .dataValue(QStringLiteral("SELECT group_concat(Syokuji_ID || Syokujimei, ' ') FROM "
                                      "(SELECT * FROM SyokujiM ORDER BY Syokuji_ID)"))
            .toString();
    }

    widgets::DataGrid grid;
    widgets::RecordNavigator navigator;
    widgets::SqlGridModel* model = nullptr;
};

} // namespace

TEST_F(NavigatorGrid, ButtonsMoveTheCursor)
{
    const struct {
        Button button;
        int row;
    } steps[] = {{Button::Last, 2}, {Button::Prior, 1}, {Button::First, 0},
                 {Button::Next, 1}, {Button::Next, 2},  {Button::Next, 2}};
    for (const auto& s : steps) {
        click(s.button);
        EXPECT_EQ(row(), s.row);
    }
}

TEST_F(NavigatorGrid, EditPostCancelAndInsertReachTheTable)
{
    click(Button::Edit);
    ASSERT_TRUE(editor());
    commitText(editor(), QStringLiteral("給食"));
    click(Button::Cancel);
    EXPECT_EQ(names(), QStringLiteral("1昼食 2おやつ１ 3おやつ２"));

    click(Button::Edit);
    ASSERT_TRUE(editor());
    editor()->selectAll();
    commitText(editor(), QStringLiteral("給食"));
    click(Button::Post);
    EXPECT_EQ(names(), QStringLiteral("1給食 2おやつ１ 3おやつ２"));

    click(Button::Insert);
    EXPECT_EQ(model->rowCount(), 4);
    click(Button::Cancel);
    EXPECT_EQ(model->rowCount(), 3);

    model->setInsertRule([](int rows) { return rows < 3; });
    click(Button::Insert);
    EXPECT_EQ(model->rowCount(), 3);
}

TEST_F(NavigatorGrid, DeleteFollowsTheScreensRule)
{
    model->setDeleteRule([](int row) { return row == 1; });
    click(Button::Delete);
    click(Button::Next);
    click(Button::Delete);
    EXPECT_EQ(names(), QStringLiteral("1昼食 3おやつ２"));
}

// A new row whose code another row holds is refused in Japanese and
// dropped, so the grid shows what is stored and a second post has nothing
// to refuse.
TEST_F(NavigatorGrid, NewRowWithATakenCodeIsReportedAndDropped)
{
    model->setColumnTitle(QStringLiteral("Syokuji_ID"), QStringLiteral("コード"));
    QStringList messages;
    QObject::connect(model, &widgets::SqlGridModel::postFailed,
                     [&](const QString& m) { messages << m; });
    click(Button::Insert);
    ASSERT_EQ(model->rowCount(), 4);
    ASSERT_TRUE(model->setData(model->index(3, 0), 2));
    ASSERT_TRUE(model->setData(model->index(3, 1), QStringLiteral("夕食")));
    EXPECT_FALSE(grid.post());
    EXPECT_EQ(messages, QStringList{QStringLiteral(
                            "コード「2」は既に登録されていますので、追加できません。")});
    EXPECT_EQ(model->rowCount(), 3);
    EXPECT_TRUE(grid.post());
    EXPECT_EQ(messages.size(), 1);
    EXPECT_EQ(names(), QStringLiteral("1昼食 2おやつ１ 3おやつ２"));
}
