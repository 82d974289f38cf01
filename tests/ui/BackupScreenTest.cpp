#include "ui/ModalDriver.h"
#include "ui/Typing.h"
#include "ui/UiFixture.h"

#include "store/BackupCopy.h"
#include "store/Platform.h"
#include "store/Prompter.h"
#include "ui/app/BackupScreen.h"
#include "ui/app/MainWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

class BackupScreen : public UiFixture {
protected:
    void SetUp() override
    {
        folder.setUpRow(1234);
        openData();
    }
    QString pathName2() const
    {
        return folder.settingsValue(u"SELECT PathName2 FROM HeadM"_s).toString();
    }
    // A screen whose clock stands at 9:05 on 1 May 2024.
    std::unique_ptr<app::BackupScreen> open()
    {
        auto s = std::make_unique<app::BackupScreen>(platform, &prompter);
        s->setClock([] { return QDateTime(QDate(2024, 5, 1), QTime(9, 5)); });
        s->show();
        return s;
    }

    store::RecordingPlatform platform;
    store::ScriptedPrompter prompter;
};

const QString kStamp = u"2024年05月01日09時05分"_s;

// A radio button takes a click on its circle or its caption, at its left.
void choose(QRadioButton* b)
{
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
}

} // namespace

TEST_F(BackupScreen, OpensOnTheHomeFolderAndFollowsTheModeAndTheEdit)
{
    auto screen = open();
    EXPECT_EQ(screen->windowTitle(), u"データのバックアップ"_s);
    EXPECT_EQ(screen->sourceLabel()->text(), QDir::toNativeSeparators(folder.path()));
    const QString base = QDir::homePath() + u"/栄養計算保存"_s;
    EXPECT_EQ(screen->baseEdit()->text(), base);
    EXPECT_TRUE(screen->datedButton()->isChecked());
    EXPECT_EQ(screen->destinationField()->text(), base + u'/' + kStamp);
    EXPECT_TRUE(screen->destinationField()->isReadOnly());

    choose(screen->overwriteButton());
    EXPECT_EQ(screen->destinationField()->text(), base);
    screen->baseEdit()->setText(u"/media/usb/"_s);
    EXPECT_EQ(screen->destinationField()->text(), u"/media/usb"_s);
    choose(screen->datedButton());
    EXPECT_EQ(screen->destinationField()->text(), u"/media/usb/"_s + kStamp);

    // A folder chosen inside the program folder is kept relative to it.
    platform.chosenFolder = folder.path() + u"/Backup"_s;
    QTest::mouseClick(screen->browseButton(), Qt::LeftButton);
    ASSERT_EQ(platform.calls.size(), 1);
    EXPECT_EQ(platform.calls[0].arguments, QStringList{u"フォルダ参照"_s});
    EXPECT_EQ(screen->baseEdit()->text(), u"Backup"_s);
    platform.chosenFolder.clear(); // cancelled: the edit stays
    QTest::mouseClick(screen->browseButton(), Qt::LeftButton);
    EXPECT_EQ(screen->baseEdit()->text(), u"Backup"_s);

    // Closed with "キャンセル": the edit is remembered all the same.
    QTest::mouseClick(screen->cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(screen->isVisible());
    EXPECT_EQ(pathName2(), u"Backup"_s);
    EXPECT_TRUE(prompter.shown().isEmpty());

    auto again = open();
    EXPECT_EQ(again->baseEdit()->text(), u"Backup"_s);
    EXPECT_EQ(again->destinationField()->text(), u"Backup/"_s + kStamp);
}

TEST_F(BackupScreen, RefusesAShortPathAndClosesAfterACompleteCopy)
{
    auto screen = open();
    screen->baseEdit()->setText(u"x"_s);
    choose(screen->overwriteButton());
    QTest::mouseClick(screen->runButton(), Qt::LeftButton);
    EXPECT_EQ(prompter.shown(), QStringList{store::BackupCopy::refusedMessage()});
    EXPECT_TRUE(screen->isVisible());

    QTemporaryDir backups;
    const QString base = backups.path() + u"/保存"_s;
    screen->baseEdit()->clear();
    commitText(screen->baseEdit(), base);
    choose(screen->datedButton());
    QTest::mouseClick(screen->runButton(), Qt::LeftButton);
    const QString destination = base + u'/' + kStamp;
    EXPECT_EQ(prompter.shown().last(), store::BackupCopy::doneMessage(destination));
    EXPECT_FALSE(screen->isVisible());
    const QString copy = destination + u'/' + QDir(folder.path()).dirName();
    EXPECT_TRUE(QFileInfo::exists(copy + u"/Data/AAA.sqlite"_s));
    EXPECT_TRUE(QFileInfo::exists(copy + u"/AHM.sqlite"_s));
    EXPECT_EQ(pathName2(), base);
}

TEST_F(BackupScreen, OpensFromTheMainMenuButton)
{
    app::MainWindow main(&prompter);
    // As start-up leaves it: both databases open, the first activation done.
    dm.session().openSettings();
    ASSERT_TRUE(dm.OpenDataDir());
    dm.FirstActivation = false;
    ModalDriver driver;
    QString title;
    driver.expect<app::BackupScreen>([&](app::BackupScreen* s) {
        title = s->windowTitle();
        s->baseEdit()->setText(u"/media/usb"_s);
        s->cancelButton()->click();
    });
    main.button(u"バックアップコピー"_s)->click();
    EXPECT_EQ(driver.pending(), 0);
    EXPECT_EQ(driver.unexpected(), QStringList());
    EXPECT_EQ(title, u"データのバックアップ"_s);
    EXPECT_EQ(pathName2(), u"/media/usb"_s);
}
