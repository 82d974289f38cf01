#include "ui/ModalDriver.h"
#include "ui/Typing.h"
#include "ui/UiFixture.h"

#include "ui/masters/MealTypeScreen.h"
#include "ui/masters/TargetGroupScreen.h"
#include "ui/widgets/DataGrid.h"
#include "ui/widgets/SqlGridModel.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

using masterscreens::NameListScreen;

namespace {

class NameListScreens : public UiFixture {
protected:
    void SetUp() override
    {
        folder.setUpRow();
        folder.setMealTypes({QStringLiteral("昼食"), QStringLiteral("おやつ１")});
        folder.setTargetGroups({QStringLiteral("3歳以上"), QStringLiteral("3歳未満")});
    }
    int rows(const char* table) const
    {
        return folder
            .dataValue(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QString::fromUtf8(table)))
            .toInt();
    }
    // Opens the screen and presses "編　　集"; the cursor is on the first name.
    static void startEditing(NameListScreen& screen)
    {
        screen.show();
        QTest::mouseClick(screen.editButton(), Qt::LeftButton);
        widgets::DataGrid* grid = screen.grid();
        grid->setCurrentIndex(grid->model()->index(0, 1));
    }
    // Types a name into the current cell and confirms it with Enter.
    static void typeName(NameListScreen& screen, const QString& name)
    {
        QTest::keyClick(screen.grid(), Qt::Key_F2);
        auto* editor = screen.grid()->viewport()->findChild<QLineEdit*>();
        ASSERT_TRUE(editor);
        editor->selectAll();
        commitText(editor, name);
        QTest::keyClick(editor, Qt::Key_Return);
    }
    // Opens the cell editor of the current cell.
    static QLineEdit* openEditor(widgets::DataGrid& grid)
    {
        QTest::keyClick(&grid, Qt::Key_F2);
        auto* editor = grid.viewport()->findChild<QLineEdit*>();
        if (editor)
            editor->selectAll();
        return editor;
    }
    static void closeScreen(NameListScreen& screen)
    {
        QTest::mouseClick(screen.findChild<QPushButton*>(QStringLiteral("CloseButton")),
                          Qt::LeftButton);
    }
};

} // namespace

TEST_F(NameListScreens, CaptionsAndTheGridLockedUntilEdit)
{
    openData();
    masterscreens::MealTypeScreen meals;
    masterscreens::TargetGroupScreen targets;
    const struct {
        NameListScreen* screen;
        QString heading;
        QString nameTitle;
        bool codeEditable;
    } cases[] = {{&meals, QStringLiteral("食事区分の登録"), QStringLiteral("食事名"), false},
                 {&targets, QStringLiteral("対象区分の登録"), QStringLiteral("食事対象"), true}};
    for (const auto& c : cases) {
        c.screen->show();
        QAbstractItemModel* model = c.screen->grid()->model();
        EXPECT_EQ(c.screen->findChild<QLabel*>(QStringLiteral("Heading"))->text(), c.heading);
        EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("コード"));
        EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), c.nameTitle);
        EXPECT_EQ(bool(model->flags(model->index(0, 0)) & Qt::ItemIsEditable), c.codeEditable);
        EXPECT_EQ(c.screen->editButton()->text(), QStringLiteral("編　　集"));
        EXPECT_FALSE(c.screen->grid()->isEnabled());
        QTest::mouseClick(c.screen->editButton(), Qt::LeftButton);
        EXPECT_TRUE(c.screen->grid()->isEnabled());
    }
}

TEST_F(NameListScreens, RowsBeyondTheListSizeAndDeletionsAreRefusedSilently)
{
    folder.setMealTypes(
        {QStringLiteral("昼食"), QStringLiteral("おやつ１"), QStringLiteral("おやつ２")});
    openData();
    masterscreens::MealTypeScreen meals;
    masterscreens::TargetGroupScreen targets;
    for (NameListScreen* screen :
         {static_cast<NameListScreen*>(&meals), static_cast<NameListScreen*>(&targets)}) {
        startEditing(*screen);
        widgets::DataGrid* grid = screen->grid();
        const int before = grid->model()->rowCount();
        for (int i = 0; i < before; ++i)
            QTest::keyClick(grid, Qt::Key_Down); // down past the last row
        QTest::keyClick(grid, Qt::Key_Insert);
        QTest::keyClick(grid, Qt::Key_Delete);
        QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ(grid->model()->rowCount(), before);
        closeScreen(*screen);
    }
    EXPECT_EQ(rows("SyokujiM"), 3);
    EXPECT_EQ(rows("TaisyoM"), 2);
}

TEST_F(NameListScreens, DownFromTheLastOfTwoMealTypesAddsTheThird)
{
    openData();
    {
        masterscreens::MealTypeScreen meals;
        startEditing(meals);
        widgets::DataGrid* grid = meals.grid();
        QTest::keyClick(grid, Qt::Key_Down);
        QTest::keyClick(grid, Qt::Key_Down); // a new row, left untyped: dropped
        QTest::keyClick(grid, Qt::Key_Up);
        EXPECT_EQ(grid->model()->rowCount(), 2);
        QTest::keyClick(grid, Qt::Key_Down);
        EXPECT_EQ(grid->model()->rowCount(), 3);
        typeName(meals, QStringLiteral("夕食"));
        closeScreen(meals);
    }
    EXPECT_EQ(folder.dataValue(QStringLiteral("SELECT Syokuji_ID || Syokujimei FROM SyokujiM "
                                              "WHERE Syokuji_ID = 3")),
              QStringLiteral("3夕食"));
    EXPECT_EQ(dm.MealNames.mid(0, 4),
              (QStringList{QStringLiteral("昼食"), QStringLiteral("おやつ１"),
                           QStringLiteral("夕食"), QString()}));
}

TEST_F(NameListScreens, RenamedTargetGroupZeroIsSharedWhenTheScreenCloses)
{
    openData();
    masterscreens::TargetGroupScreen targets;
    startEditing(targets);
    typeName(targets, QStringLiteral("３歳以上児"));
    EXPECT_EQ(dm.TargetNames[0], QStringLiteral("3歳以上"));
    closeScreen(targets);
    EXPECT_EQ(dm.TargetNames[0], QStringLiteral("３歳以上児"));
    EXPECT_EQ(dm.TargetNames[1], QStringLiteral("3歳未満"));
}

TEST_F(NameListScreens, NamesAreKeptWithinTheirTwentyBytes)
{
    openData();
    masterscreens::TargetGroupScreen targets;
    startEditing(targets);
    // The editor refuses an eleventh full-width character…
    typeName(targets, QStringLiteral("あいうえおかきくけこさ"));
    EXPECT_EQ(targets.grid()->model()->index(0, 1).data().toString(), QStringLiteral("3歳以上"));
    typeName(targets, QStringLiteral("あいうえおかきくけこ"));
    // …and the store cuts what arrives by other ways.
    widgets::SqlGridModel* model = targets.model();
    ASSERT_TRUE(model->setData(model->index(1, 1), QStringLiteral("一二三四五六七八九十百")));
    ASSERT_TRUE(model->post());
    closeScreen(targets);
    EXPECT_EQ(dm.TargetNames.mid(0, 2), (QStringList{QStringLiteral("あいうえおかきくけこ"),
                                                     QStringLiteral("一二三四五六七八九十")}));
}

// Code 1 typed over with 0, which target group 0 holds, while the row's
// name was changed too: the message is Japanese, the grid shows the stored
// code again, the new name is stored, and 閉じる closes at once.
TEST_F(NameListScreens, DuplicateCodeIsRefusedInJapaneseAndTheStoredCodeComesBack)
{
    openData();
    masterscreens::TargetGroupScreen targets;
    startEditing(targets);
    widgets::DataGrid* grid = targets.grid();
    ASSERT_TRUE(grid->model()->setData(grid->model()->index(1, 1), QStringLiteral("乳児")));
    grid->setCurrentIndex(grid->model()->index(1, 0));
    QLineEdit* editor = openEditor(*grid);
    ASSERT_TRUE(editor);
    QTest::keyClicks(editor, QStringLiteral("0"));
    ModalDriver driver;
    QStringList shown;
    driver.expect<QMessageBox>([&](QMessageBox* box) {
        shown << box->text();
        box->accept();
    });
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].remove(u'\n'),
              QStringLiteral("コード「0」は既に登録されていますので、変更できません。"));
    EXPECT_EQ(grid->model()->index(1, 0).data().toInt(), 1);
    EXPECT_EQ(folder.dataValue(
                  QStringLiteral("SELECT group_concat(Taisyo_ID || Taisyomei, ',') FROM TaisyoM")),
              QStringLiteral("03歳以上,1乳児"));

    closeScreen(targets);
    EXPECT_FALSE(targets.isVisible());
    EXPECT_EQ(driver.unexpected(), QStringList());
}

// The duplicate still in the cell editor when 閉じる is clicked: one
// message, the screen stays open on what is stored, and the second click
// closes it.
TEST_F(NameListScreens, CloseOverADuplicateCodeReportsItOnce)
{
    openData();
    masterscreens::TargetGroupScreen targets;
    startEditing(targets);
    widgets::DataGrid* grid = targets.grid();
    grid->setCurrentIndex(grid->model()->index(1, 0));
    QLineEdit* editor = openEditor(*grid);
    ASSERT_TRUE(editor);
    QTest::keyClicks(editor, QStringLiteral("0"));
    ModalDriver driver;
    int messages = 0;
    driver.expect<QMessageBox>([&](QMessageBox* box) {
        ++messages;
        box->accept();
    });
    closeScreen(targets);
    EXPECT_TRUE(targets.isVisible());
    EXPECT_EQ(grid->model()->index(1, 0).data().toInt(), 1);
    closeScreen(targets);
    EXPECT_FALSE(targets.isVisible());
    EXPECT_EQ(messages, 1);
    EXPECT_EQ(driver.unexpected(), QStringList());
    EXPECT_EQ(folder.dataValue(QStringLiteral("SELECT group_concat(Taisyo_ID) FROM TaisyoM")),
              QStringLiteral("0,1"));
}

// From inside a cell editor, Tab walks the cells and after the last one
// leaves the grid for the screen's buttons; Enter presses 閉じる.
TEST_F(NameListScreens, TabLeavesTheGridForTheButtonsAndEnterPressesClose)
{
    openData();
    masterscreens::TargetGroupScreen targets;
    startEditing(targets);
    widgets::DataGrid* grid = targets.grid();
    ASSERT_TRUE(openEditor(*grid));
    QStringList walk;
    for (int i = 0; i < 8 && targets.isVisible(); ++i) {
        QWidget* focus = targets.focusWidget();
        walk << (grid->isAncestorOf(focus) || focus == grid
                     ? QStringLiteral("cell %1,%2")
                           .arg(grid->currentIndex().row())
                           .arg(grid->currentIndex().column())
                     : focus->objectName());
        if (focus->objectName() == QStringLiteral("CloseButton"))
            break;
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    EXPECT_EQ(walk, (QStringList{QStringLiteral("cell 0,1"), QStringLiteral("cell 1,0"),
                                 QStringLiteral("cell 1,1"), QStringLiteral("EditButton"),
                                 QStringLiteral("CloseButton")}));
    QTest::keyClick(targets.focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(targets.isVisible());
}

// Ctrl+Tab leaves the grid from any cell, editing or not; Shift goes back.
// Esc outside a cell editor leaves the screen open.
TEST_F(NameListScreens, CtrlTabLeavesFromAnyCellAndEscDoesNotClose)
{
    openData();
    masterscreens::MealTypeScreen meals;
    startEditing(meals);
    widgets::DataGrid* grid = meals.grid();
    QLineEdit* editor = openEditor(*grid);
    ASSERT_TRUE(editor);
    QTest::keyClick(editor, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(meals.focusWidget(), meals.editButton());
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(meals.focusWidget()->objectName(), QStringLiteral("CloseButton"));

    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Escape);
    EXPECT_TRUE(meals.isVisible());
}

// The row header shows the record indicator, not row numbers.
TEST_F(NameListScreens, RowHeaderShowsTheRecordIndicator)
{
    openData();
    masterscreens::MealTypeScreen meals;
    startEditing(meals);
    widgets::DataGrid* grid = meals.grid();
    EXPECT_EQ(grid->rowMarker(0), QStringLiteral("▶"));
    EXPECT_EQ(grid->rowMarker(1), QString());
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Down); // a new row
    EXPECT_EQ(grid->rowMarker(0), QString());
    EXPECT_EQ(grid->rowMarker(2), QStringLiteral("＊"));
}
