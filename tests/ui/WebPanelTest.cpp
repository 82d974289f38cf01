#include "support/HeldServer.h"
#include "ui/ModalDriver.h"
#include "ui/UiFixture.h"

#include "store/Platform.h"
#include "store/Prompter.h"
#include "ui/app/MainWindow.h"
#include "ui/app/PasswordDialog.h"
#include "ui/widgets/DownloadProgressDialog.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

using WebPanel = UiFixture;

// "バージョンアップ" on a started program: the question, a modal window
// while the update program arrives, the program started from the
// installation folder, and the main window closed so the file can be replaced.
TEST_F(WebPanel, StartedUpdateClosesTheMainWindow)
{
    folder.setUpRow();
    HeldServer server;
    const QByteArray previousServer = qgetenv("ZORAVIN_SERVER");
    qputenv("ZORAVIN_SERVER", server.base());
    store::ScriptedPrompter prompter({store::Answer::Yes});
    store::RecordingPlatform platform;
    app::MainWindow main(&prompter);
    main.setPlatform(platform);

    ModalDriver driver;
    driver.expect<app::PasswordDialog>([](app::PasswordDialog* pw) {
        QTest::keyClicks(pw->edit(), u"7295"_s);
        QTest::mouseClick(pw->okButton(), Qt::LeftButton);
    });
    QString label;
    driver.expect<widgets::DownloadProgressDialog>([&](widgets::DownloadProgressDialog* d) {
        label = d->label()->text();
        server.release("update program");
    });
    main.runActivationChecks();
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    QTest::mouseClick(main.button(u"バージョンアップ"_s), Qt::LeftButton);
    qputenv("ZORAVIN_SERVER", previousServer);

    EXPECT_EQ(driver.pending(), 0);
    EXPECT_EQ(driver.unexpected(), QStringList());
    EXPECT_EQ(prompter.shown(), QStringList{u"バージョンアップを実行しますか。"_s});
    EXPECT_TRUE(label.contains(u"「dload.exe」をダウンロードしています。"_s))
        << label.toStdString();
    ASSERT_EQ(platform.calls.size(), 1);
    EXPECT_EQ(platform.calls[0].what, u"startProgram"_s);
    const QString dload = QFileInfo(folder.path() + u"/dload.exe"_s).canonicalFilePath();
    EXPECT_EQ(QFileInfo(platform.calls[0].target).canonicalFilePath(), dload);
    QFile file(dload);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("update program"));
    EXPECT_FALSE(main.isVisible());
}
