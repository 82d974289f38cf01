#include "support/HeldServer.h"
#include "ui/ModalDriver.h"
#include "ui/Typing.h"
#include "ui/UiFixture.h"

#include "store/Prompter.h"
#include "ui/app/InstitutionNameDialog.h"
#include "ui/app/InstitutionSettingsScreen.h"
#include "ui/app/MainWindow.h"
#include "ui/app/MemoPadScreen.h"
#include "ui/app/PasswordDialog.h"
#include "ui/masters/MealTypeScreen.h"
#include "ui/widgets/DownloadProgressDialog.h"

#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>

namespace {

class StartScreens : public UiFixture {
protected:
    // Types at the password prompt and presses its OK button.
    static std::function<void(app::PasswordDialog*)> typePassword(const QString& text)
    {
        return [text](app::PasswordDialog* pw) {
            QTest::keyClicks(pw->edit(), text);
            QTest::mouseClick(pw->okButton(), Qt::LeftButton);
        };
    }

    store::ScriptedPrompter prompter;
};

} // namespace

TEST_F(StartScreens, PasswordTypedAtThePrompt)
{
    const struct {
        QVariant pm5;
        QString typed;
        bool passes;
    } cases[] = {
        {QVariant(), QStringLiteral("7295"), true},  {QVariant(), QStringLiteral("3907"), true},
        {QVariant(), QStringLiteral("1234"), false}, {42, QStringLiteral("0042"), true},
        {42, QStringLiteral("42"), false},
    };
    for (const auto& c : cases) {
        folder.settingsSql(QStringLiteral("DELETE FROM HeadM"));
        folder.setUpRow(c.pm5);
        app::MainWindow main(&prompter);
        QSignalSpy ended(&main, &app::MainWindow::applicationEnded);
        ModalDriver driver;
        driver.expect<app::PasswordDialog>(typePassword(c.typed));
        main.runActivationChecks();
        SCOPED_TRACE(c.typed.toStdString());
        EXPECT_EQ(driver.pending(), 0);
        EXPECT_EQ(driver.unexpected(), QStringList());
        EXPECT_EQ(ended.count(), c.passes ? 0 : 1);
        EXPECT_EQ(main.institutionLabel()->text(),
                  c.passes ? QStringLiteral("すみれ保育園") : QString());
        EXPECT_EQ(prompter.shown(), QStringList()); // a wrong password ends silently
    }
}

TEST_F(StartScreens, ClosingThePromptByItsSystemBoxSubmitsTheEdit)
{
    folder.setUpRow();
    app::MainWindow main(&prompter);
    ModalDriver driver;
    driver.expect<app::PasswordDialog>([](app::PasswordDialog* pw) {
        EXPECT_EQ(pw->windowTitle(), QStringLiteral("ユーザーパスワード入力"));
        QTest::keyClick(pw, Qt::Key_Escape); // not a way out
        EXPECT_TRUE(pw->isVisible());
        pw->close();
    });
    main.runActivationChecks();
    EXPECT_EQ(driver.pending(), 0);
    EXPECT_FALSE(main.ended());
}

TEST_F(StartScreens, FirstStartAsksTheNameThenOpensTheSettingsWithTheGreyName)
{
    const QString name = QStringLiteral("ひまわり保育園");
    const QString year = QString::number(QDate::currentDate().year());
    {
        app::MainWindow main(&prompter);
        ModalDriver driver;
        driver.expect<app::PasswordDialog>(typePassword(QStringLiteral("7295")));
        driver.expect<app::InstitutionNameDialog>([&](app::InstitutionNameDialog* dialog) {
            EXPECT_EQ(dialog->windowTitle(), QStringLiteral("法人名の登録"));
            QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
            EXPECT_TRUE(dialog->isVisible()); // no way out without a name
            commitText(dialog->edit(), name);
            QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
        });
        driver.expect<app::InstitutionSettingsScreen>(
            [&](app::InstitutionSettingsScreen* settings) {
                EXPECT_EQ(settings->windowTitle(), QStringLiteral("初期設定１"));
                EXPECT_EQ(settings->yearEdit()->text(), year);
                EXPECT_EQ(settings->focusWidget(), settings->yearEdit());
                QLineEdit* meisyou = settings->nameEdit();
                EXPECT_EQ(meisyou->text(), name);
                EXPECT_TRUE(meisyou->isReadOnly());
                EXPECT_EQ(meisyou->palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xC0));
                EXPECT_FALSE(meisyou->focusPolicy() & Qt::TabFocus);
                QTest::mouseClick(settings->findChild<QPushButton*>(QStringLiteral("CloseButton")),
                                  Qt::LeftButton);
            });
        main.runActivationChecks();
        EXPECT_EQ(driver.pending(), 0);
        EXPECT_EQ(driver.unexpected(), QStringList());
        EXPECT_FALSE(main.ended());
        EXPECT_EQ(main.institutionLabel()->text(), name);
    }
    EXPECT_EQ(folder.settingsValue(QStringLiteral(
                  "SELECT meisyou || printf(' %d %d %d %d %d %d', \"年度\", PM2, PM3, PM4, PM7, "
                  "PM8) FROM HeadM")),
              QStringLiteral("%1 %2 5 5 25 85 1").arg(name, year));

    app::MainWindow second(&prompter);
    ModalDriver driver;
    driver.expect<app::PasswordDialog>(typePassword(QStringLiteral("7295")));
    second.runActivationChecks();
    EXPECT_EQ(driver.pending(), 0);
    EXPECT_EQ(driver.unexpected(), QStringList());
    EXPECT_EQ(second.institutionLabel()->text(), name);
    EXPECT_EQ(prompter.shown(), QStringList());
}

TEST_F(StartScreens, ReturningFromAScreenRechecksTheProgramFile)
{
    folder.setUpRow();
    app::MainWindow main(&prompter);
    QSignalSpy ended(&main, &app::MainWindow::applicationEnded);
    ModalDriver driver;
    driver.expect<app::PasswordDialog>(typePassword(QStringLiteral("7295")));
    driver.expect<masterscreens::MealTypeScreen>([&](masterscreens::MealTypeScreen* screen) {
        folder.removeProgramFile();
        screen->close();
    });
    main.runActivationChecks();
    ASSERT_FALSE(main.ended());
    QTest::mouseClick(main.button(QStringLiteral("食事区分")), Qt::LeftButton);
    // The main window becomes active again when the screen closes.
    EXPECT_EQ(ended.count(), 1);
    EXPECT_EQ(prompter.shown(), QStringList{QStringLiteral(
                                    "実行プログラムのファイル名が変更されているために実行で"
                                    "きません。\nファイル名を　VELK に戻して実行してください。")});
    EXPECT_TRUE(main.ended());
}

// "備忘メモ帳" opens the memo pad on the installation folder: its pages go
// to memo1.txt … memo12.txt there.
TEST_F(StartScreens, MemoPadKeepsItsPagesInTheInstallationFolder)
{
    folder.setUpRow();
    app::MainWindow main(&prompter);
    ModalDriver driver;
    driver.expect<app::PasswordDialog>(typePassword(QStringLiteral("7295")));
    driver.expect<app::MemoPadScreen>([](app::MemoPadScreen* screen) {
        screen->editor(12)->setPlainText(QStringLiteral("園だより"));
        screen->close();
    });
    main.runActivationChecks();
    ASSERT_FALSE(main.ended());
    QTest::mouseClick(main.button(QStringLiteral("備忘メモ帳")), Qt::LeftButton);
    EXPECT_EQ(driver.pending(), 0);
    EXPECT_TRUE(driver.unexpected().isEmpty());
    for (int page = 1; page <= 12; ++page)
        EXPECT_TRUE(QFile::exists(folder.path() + QStringLiteral("/memo%1.txt").arg(page))) << page;
    QFile memo12(folder.path() + QStringLiteral("/memo12.txt"));
    ASSERT_TRUE(memo12.open(QIODevice::ReadOnly));
    EXPECT_TRUE(memo12.readAll().contains("\\'89\\'80")); // 園
}

// The potassium refresh of an old data folder downloads during start-up:
// a modal window names the file, and no menu button opens a screen on the
// half-upgraded tables meanwhile.
TEST_F(StartScreens, StartUpDownloadShowsAModalProgressAndBlocksTheMenu)
{
    folder.setUpRow();
    // A food table as versions before potassium left it.
    folder.dataSql(QStringLiteral("DROP TABLE SyokuM"));
    folder.dataSql(QStringLiteral(
        "CREATE TABLE SyokuM (Syoku_ID TEXT(10), SyokuMei TEXT(40), Seni FLOAT, Na FLOAT)"));
    folder.dataSql(QStringLiteral("INSERT INTO SyokuM (Syoku_ID, SyokuMei) VALUES ('00123', 'a')"));
    HeldServer server;
    const QByteArray previousServer = qgetenv("ZORAVIN_SERVER");
    qputenv("ZORAVIN_SERVER", server.base());

    app::MainWindow main(&prompter);
    ModalDriver driver;
    driver.expect<app::PasswordDialog>(typePassword(QStringLiteral("7295")));
    QString label;
    Qt::WindowModality modality = Qt::NonModal;
    driver.expect<widgets::DownloadProgressDialog>([&](widgets::DownloadProgressDialog* d) {
        label = d->label()->text();
        modality = d->windowModality();
        main.button(QStringLiteral("食事区分"))->click(); // noted by the driver if it opened
        server.release("no,1,2,3,4,5,6,7,8,9,10,11,12,K\r\n123,,,,,,,,,,,,,270\r\n");
    });
    main.runActivationChecks();
    qputenv("ZORAVIN_SERVER", previousServer);

    EXPECT_EQ(driver.pending(), 0);
    EXPECT_EQ(driver.unexpected(), QStringList());
    EXPECT_TRUE(label.contains(QStringLiteral("「syokuM2010.csv」をダウンロードしています。")))
        << label.toStdString();
    EXPECT_EQ(modality, Qt::ApplicationModal);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr); // the window went with the download
    EXPECT_FALSE(main.ended());
    EXPECT_EQ(folder.dataValue(QStringLiteral("SELECT K FROM SyokuM WHERE Syoku_ID='00123'")),
              QVariant(270.0));
}

// In the main window too (no dialog, no default button), Enter presses the
// menu button that has the focus.
TEST_F(StartScreens, EnterOnAFocusedMenuButtonOpensItsScreen)
{
    folder.setUpRow();
    app::MainWindow main(&prompter);
    ModalDriver driver;
    driver.expect<app::PasswordDialog>(typePassword(QStringLiteral("7295")));
    driver.expect<masterscreens::MealTypeScreen>(
        [](masterscreens::MealTypeScreen* screen) { screen->close(); });
    main.runActivationChecks();
    QPushButton* meals = main.button(QStringLiteral("食事区分"));
    meals->setFocus();
    QTest::keyClick(meals, Qt::Key_Return);
    EXPECT_EQ(driver.pending(), 0);
    EXPECT_EQ(driver.unexpected(), QStringList());
}
