// zoravin_screenshots DEMO_DIR OUT_DIR: renders every screen of the program,
// filled from the installation folder DEMO_DIR, to PNG files in OUT_DIR.
// Runs offscreen; each picture gets a plain caption bar with the window
// title, since no window manager draws one there.
#include "masters/DataModule.h"
#include "masters/SettingsRow.h"
#include "masters/StartUp.h"
#include "masters/StartUpScreens.h"
#include "masters/UserPassword.h"
#include "store/Prompter.h"
#include "store/StoreError.h"
#include "ui/app/Application.h"
#include "ui/app/InstitutionNameDialog.h"
#include "ui/app/InstitutionSettingsScreen.h"
#include "ui/app/MainWindow.h"
#include "ui/app/PasswordDialog.h"
#include "ui/masters/MealTypeScreen.h"
#include "ui/masters/TargetGroupScreen.h"

#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTextStream>

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
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
        const QPixmap body = w->grab();
        const int bar = 30;
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
        const QString path = m_dir + u'/' + name + u".png"_s;
        if (!img.save(path))
            throw store::StoreError(u"保存できません: "_s + path);
        QTextStream(stdout) << path << '\n';
        w->hide();
    }

private:
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
        }
    } catch (const store::StoreError& e) {
        QTextStream(stderr) << e.message() << '\n';
        return 1;
    }
    return 0;
}
