#pragma once

#include "masters/StartUp.h"
#include "ui/app/StartUpDialogs.h"
#include "ui/widgets/ElidedLabel.h"

#include <QMainWindow>
#include <memory>

class QDialog;
class QLabel;
class QPushButton;
class QTabWidget;

namespace store {
class Platform;
class Prompter;
} // namespace store

namespace app {

// The main window "Main": the dark-blue header with the product and the
// institution, and the two menu pages from which every screen is opened,
// modally, created when opened and destroyed when closed. Each activation
// runs the start-up checks (masters::StartUp); when they end the
// application the window closes and applicationEnded is emitted. Until the
// first activation has run to its end (the password, the upgrade and its
// downloads) no menu button opens anything, and a download shows a modal
// progress window. A long institution name is cut short with "…" in the
// header, so the window keeps a size that fits a 1280×800 screen.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Messages go through prompter, or through message boxes when none is given.
    explicit MainWindow(store::Prompter* prompter = nullptr, QWidget* parent = nullptr);
    ~MainWindow() override;

    static QString releaseDate();

    // Runs on every activation of the window.
    void runActivationChecks();
    bool ended() const { return m_ended; }

    QTabWidget* pages() const { return m_pages; }
    widgets::ElidedLabel* institutionLabel() const { return m_institution; }
    QLabel* releaseLabel() const { return m_release; }
    // The button with that caption, on either page.
    QPushButton* button(const QString& caption) const;
    // The shell operations of the web panel go to platform instead of the
    // desktop (for tests); it must outlive the window.
    void setPlatform(store::Platform& platform) { m_platform = &platform; }

signals:
    void applicationEnded();

protected:
    bool event(QEvent* event) override;

private:
    QWidget* buildHeader();
    QWidget* buildMainPage();
    QWidget* buildSupportPage();
    // A menu button; one whose screen does not exist yet is disabled.
    QPushButton* menuButton(const QString& caption, void (MainWindow::*open)() = nullptr);
    void endApplication();
    // Start-up has run to its end: the tables are ready for the screens.
    bool ready() const;
    // Shows a screen modally; the checks of an activation follow.
    void runScreen(QDialog& screen);

    void closeClicked();
    void openInitialSettings();
    void openMealTypes();
    void openTargetGroups();
    void openHomepage();
    void runUpdate();
    void runRemoteMaintenance();
    void openBackup();
    void openDataCheck();
    void openMemoPad();

    std::unique_ptr<store::Prompter> m_ownPrompter;
    store::Prompter* m_prompter;
    std::unique_ptr<store::Platform> m_ownPlatform;
    store::Platform* m_platform;
    StartUpDialogs m_dialogs;
    masters::StartUp m_startUp;
    QTabWidget* m_pages = nullptr;
    widgets::ElidedLabel* m_institution = nullptr;
    QLabel* m_release = nullptr;
    bool m_ended = false;
};

} // namespace app
