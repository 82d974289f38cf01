// zoravin_screenshots DEMO_DIR OUT_DIR: renders every screen of the program,
// filled from the installation folder DEMO_DIR, to PNG files in OUT_DIR.
// Runs offscreen; each picture gets a plain caption bar with the window
// title, since no window manager draws one there.
#include "masters/DataModule.h"
#include "masters/SettingsRow.h"
#include "masters/StartUp.h"
#include "masters/StartUpScreens.h"
#include "masters/UserPassword.h"
#include "masters/WebFunctions.h"
#include "menu/DataCheck.h"
#include "store/BackupCopy.h"
#include "store/Platform.h"
#include "store/Prompter.h"
#include "store/StoreError.h"
#include "ui/app/Application.h"
#include "ui/app/BackupScreen.h"
#include "ui/app/DataCheckScreen.h"
#include "ui/app/DesktopPlatform.h"
#include "ui/app/InstitutionNameDialog.h"
#include "ui/app/InstitutionSettingsScreen.h"
#include "ui/app/MainWindow.h"
#include "ui/app/MemoPadScreen.h"
#include "ui/app/PasswordDialog.h"
#include "ui/masters/MealTypeScreen.h"
#include "ui/masters/TargetGroupScreen.h"
#include "ui/widgets/DataGrid.h"
#include "ui/widgets/DownloadProgressDialog.h"
#include "ui/widgets/ElidedLabel.h"
#include "ui/widgets/MessageBoxPrompter.h"

#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextStream>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// Start-up without anyone at the keyboard: the master code, and a sample
// name when the demo folder has none.
class UnattendedScreens : public masters::StartUpScreens {
public:
    QString askPassword() override { return masters::UserPassword::masterCode(); }
    void askInstitutionName() override
    {
        masters::SettingsRow(masters::dataModule().session().ahm())
            .setInstitutionName(u"ラベンダー保育園"_s);
    }
    void showFirstRunSettings() override {}
};

class Camera {
public:
    explicit Camera(const QString& outDir) : m_dir(outDir) { QDir().mkpath(outDir); }

    void shoot(QWidget* w, const QString& name)
    {
        w->show();
        settle();
        save(framed(w), name);
        w->hide();
    }

    // A screen with a window over it (a message box, a context menu) at
    // the place where it stands on the screen.
    void shootOver(QWidget* screen, QWidget* over, const QString& name)
    {
        settle();
        const QImage under = framed(screen);
        const bool menu = qobject_cast<QMenu*>(over) != nullptr;
        const QImage top = menu ? over->grab().toImage() : framed(over);
        // A menu stands where it popped up; a box is set over the lower
        // edge of the screen, so the screen's contents stay in sight.
        const QPoint at = menu ? over->mapToGlobal(QPoint(0, 0)) -
                                     screen->mapToGlobal(QPoint(0, 0)) + QPoint(1, kBar)
                               : QPoint(40, under.height() - 48);
        QImage img(std::max(under.width(), at.x() + top.width() + 8),
                   std::max(under.height(), at.y() + top.height() + 8), QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        p.drawImage(0, 0, under);
        p.drawImage(at, top);
        p.setPen(QColor(0x33, 0x33, 0x33));
        p.drawRect(QRect(at, top.size()).adjusted(0, 0, -1, -1));
        p.end();
        save(img, name);
    }

private:
    static constexpr int kBar = 30;

    static void settle()
    {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    }

    // The window's picture under a plain caption bar with its title.
    static QImage framed(QWidget* w)
    {
        const QPixmap body = w->grab();
        const int bar = kBar;
        QImage img(body.width() + 2, body.height() + bar + 1, QImage::Format_RGB32);
        img.fill(QColor(0x55, 0x5f, 0x6e));
        QPainter p(&img);
        p.drawPixmap(1, bar, body);
        p.setPen(Qt::white);
        QFont f = QApplication::font();
        p.setFont(f);
        p.drawText(QRect(10, 0, img.width() - 20, bar), Qt::AlignVCenter | Qt::AlignLeft,
                   w->windowTitle());
        if (w->windowFlags().testFlag(Qt::WindowCloseButtonHint) ||
            !w->windowFlags().testFlag(Qt::CustomizeWindowHint))
            p.drawText(QRect(10, 0, img.width() - 20, bar), Qt::AlignVCenter | Qt::AlignRight,
                       u"✕"_s);
        p.end();
        return img;
    }

    void save(const QImage& img, const QString& name) const
    {
        const QString path = m_dir + u'/' + name + u".png"_s;
        if (!img.save(path))
            throw store::StoreError(u"保存できません: "_s + path);
        QTextStream(stdout) << path << u" ("_s << img.width() << u'×' << img.height() << u")\n"_s;
    }

    QString m_dir;
};

} // namespace

int main(int argc, char** argv)
{
    app::Application application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        QTextStream(stderr) << "usage: zoravin_screenshots DEMO_DIR OUT_DIR\n";
        return 2;
    }
    const QString outDir = QDir(args[2]).absolutePath();
    try {
        if (!QDir::setCurrent(args[1]))
            throw store::StoreError(u"フォルダがありません: "_s + args[1]);
        masters::DataModule dm;
        store::ScriptedPrompter prompter;
        app::MainWindow mainWindow(&prompter);
        UnattendedScreens unattended;
        if (masters::StartUp(dm, prompter, unattended).activate(QDir::currentPath()) !=
            masters::Activation::Running) {
            for (const QString& m : prompter.shown())
                QTextStream(stderr) << m << '\n';
            return 1;
        }
        mainWindow.institutionLabel()->setText(dm.InstitutionName);

        Camera camera(outDir);
        mainWindow.resize(mainWindow.sizeHint());
        camera.shoot(&mainWindow, u"01-main-menu"_s);
        mainWindow.pages()->setCurrentIndex(1);
        camera.shoot(&mainWindow, u"02-main-support-menu"_s);
        mainWindow.pages()->setCurrentIndex(0);

        {
            app::PasswordDialog pw(&mainWindow);
            camera.shoot(&pw, u"03-password"_s);
        }
        {
            app::InstitutionNameDialog name(&mainWindow);
            camera.shoot(&name, u"04-institution-name"_s);
        }
        {
            app::InstitutionSettingsScreen settings(false, &mainWindow);
            camera.shoot(&settings, u"05-initial-settings"_s);
        }
        {
            app::InstitutionSettingsScreen settings(true, &mainWindow);
            camera.shoot(&settings, u"06-initial-settings-first-run"_s);
        }
        {
            masterscreens::MealTypeScreen meals(&mainWindow);
            camera.shoot(&meals, u"07-meal-types"_s);
            meals.editButton()->click();
            camera.shoot(&meals, u"08-meal-types-editing"_s);
        }
        {
            masterscreens::TargetGroupScreen targets(&mainWindow);
            camera.shoot(&targets, u"09-target-groups"_s);
            // Code 1 typed over with 0, which target group 0 already has:
            // the message, and behind it the grid back at the stored code.
            targets.show();
            targets.editButton()->click();
            widgets::DataGrid* grid = targets.grid();
            grid->setCurrentIndex(grid->model()->index(1, 0));
            grid->edit(grid->currentIndex());
            auto* editor = grid->viewport()->findChild<QLineEdit*>();
            if (!editor)
                throw store::StoreError(u"コードの入力欄が開きません"_s);
            editor->setText(u"0"_s);
            QTimer::singleShot(100, [&] {
                if (QWidget* box = QApplication::activeModalWidget(); box && box != &targets) {
                    camera.shootOver(&targets, box, u"10-target-groups-duplicate-code"_s);
                    box->close();
                }
            });
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(editor, &enter);
            // The editor hands its text over once the key has been handled.
            QCoreApplication::processEvents();
            targets.hide();
        }
        {
            // The context menu of a text field: Qt's own texts, in Japanese.
            app::InstitutionSettingsScreen settings(false, &mainWindow);
            settings.show();
            QLineEdit* field = settings.field(u"jyuusyo"_s);
            field->setText(u"神奈川県鎌倉市御成町１８－１０"_s);
            field->setFocus();
            field->setSelection(0, 4);
            QMenu* menu = field->createStandardContextMenu();
            menu->popup(field->mapToGlobal(QPoint(40, field->height() / 2)));
            camera.shootOver(&settings, menu, u"11-context-menu"_s);
            menu->close();
            delete menu;
        }
        {
            // A name of 50 full-width characters, as many as the field holds:
            // the header cuts it short instead of widening the window.
            mainWindow.show();
            mainWindow.institutionLabel()->setText(
                u"社会福祉法人ひまわり会　ひまわり第二保育園・ひまわり乳児保育園・"
                u"ひまわり学童クラブ合同給食センター本部"_s.left(50));
            // At the size the window asks for with that name (layouts catch
            // up with a new text only while their window is shown).
            mainWindow.show();
            for (int i = 0; i < 3; ++i)
                QCoreApplication::processEvents();
            mainWindow.resize(mainWindow.sizeHint());
            camera.shoot(&mainWindow, u"12-main-menu-long-name"_s);
        }
        {
            // A start-up download: modal over the main window, naming the file.
            mainWindow.show();
            widgets::DownloadProgressDialog progress(&mainWindow);
            progress.downloadStarted(store::Download::serverUrl(u"/syoku/syokuM2010.csv"_s),
                                     QDir::currentPath() + u"/syokuM2010.csv"_s);
            progress.downloadProgressed(420000, 1000000);
            camera.shootOver(&mainWindow, &progress, u"14-start-up-download"_s);
            progress.downloadFinished(true);
            mainWindow.hide();
        }
        {
            // The longest start-up message, broken after its phrases.
            mainWindow.show();
            QTimer::singleShot(100, [&] {
                if (QWidget* box = QApplication::activeModalWidget()) {
                    camera.shootOver(&mainWindow, box, u"13-message-box"_s);
                    box->close();
                }
            });
            widgets::MessageBoxPrompter(&mainWindow)
                .information(masters::StartUp::noDataFolderMessage() + u"\n"_s +
                             masters::StartUp::programFileMessage(u"VELK"_s));
            mainWindow.hide();
        }
        {
            // The questions of the web panel, answered No (nothing is
            // downloaded or started; nor could it be, from a closed port).
            qputenv("ZORAVIN_SERVER", "http://127.0.0.1:9");
            mainWindow.show();
            widgets::MessageBoxPrompter boxes(&mainWindow);
            store::RecordingPlatform platform;
            masters::WebFunctions web(boxes, platform, QDir::currentPath());
            const auto shootAndAnswerNo = [&](const QString& name) {
                QTimer::singleShot(100, [&camera, &mainWindow, name] {
                    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                        camera.shootOver(&mainWindow, box, name);
                        box->button(QMessageBox::No)->click();
                    }
                });
            };
            shootAndAnswerNo(u"21-version-up-question"_s);
            web.runUpdate();
            shootAndAnswerNo(u"22-remote-maintenance-question"_s);
            web.runRemoteMaintenance();
            mainWindow.hide();
        }
        {
            // The backup screen as it opens, and the question before a file
            // of an earlier backup in the same folder is replaced.
            app::DesktopPlatform platform(&mainWindow);
            app::BackupScreen backup(platform, &prompter, &mainWindow);
            camera.shoot(&backup, u"15-backup"_s);
            backup.show();
            QTimer::singleShot(100, [&] {
                if (QWidget* box = QApplication::activeModalWidget(); box && box != &backup) {
                    camera.shootOver(&backup, box, u"16-backup-replace-question"_s);
                    box->close();
                }
            });
            widgets::MessageBoxPrompter(&backup).yesToAllNoCancel(
                store::FolderRoutines::replaceQuestion(backup.destinationField()->text() + u'/' +
                                                       QDir::current().dirName() +
                                                       u"/Data/AAA.sqlite"_s));
            backup.hide();
        }
        {
            // The data check, and its question over it.
            widgets::MessageBoxPrompter prompter(&mainWindow);
            app::DataCheckScreen check(masters::dataModule().session(), prompter, &mainWindow);
            camera.shoot(&check, u"17-data-check"_s);
            check.show();
            QTimer::singleShot(100, [&] {
                if (QWidget* box = QApplication::activeModalWidget(); box && box != &check) {
                    camera.shootOver(&check, box, u"18-data-check-question"_s);
                    box->close();
                }
            });
            prompter.yesNo(menu::DataCheck::question());
            check.hide();
        }
        {
            // The memo pad with a page of notes in several styles; its files
            // go to a folder of their own, not the demo's.
            QTemporaryDir memoFolder;
            app::MemoPadScreen memo(memoFolder.path(), nullptr, &mainWindow);
            memo.show();
            QTextCursor c = memo.editor(1)->textCursor();
            QTextCharFormat heading;
            heading.setFontWeight(QFont::Bold);
            heading.setFontPointSize(18);
            c.insertText(u"５月の行事と給食"_s, heading);
            QTextCharFormat body;
            body.setFontPointSize(11);
            c.insertBlock();
            c.insertText(u"・５日　こどもの日：ちらし寿司、柏餅（卵不使用）"_s, body);
            c.insertBlock();
            c.insertText(u"・１５日　誕生会：ケーキは豆乳クリームで"_s, body);
            c.insertBlock();
            QTextCharFormat alert = body;
            alert.setForeground(QColor(0xC0, 0x00, 0x00));
            alert.setFontUnderline(true);
            c.insertText(u"アレルギー児（そら組２名）の代替食を前日までに確認"_s, alert);
            camera.shoot(&memo, u"19-memo-pad"_s);
            QPrinter printer(QPrinter::HighResolution);
            auto preview = memo.createPreview(printer);
            preview->resize(820, 900);
            preview->show();
            camera.shoot(preview.get(), u"20-memo-print-preview"_s);
            preview->close();
            memo.editor(1)->clear();
            memo.reject();
        }
    } catch (const store::StoreError& e) {
        QTextStream(stderr) << e.message() << '\n';
        return 1;
    }
    return 0;
}
