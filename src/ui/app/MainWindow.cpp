#include "ui/app/MainWindow.h"

#include "masters/DataModule.h"
#include "masters/WebFunctions.h"
#include "store/StoreError.h"
#include "ui/app/BackupScreen.h"
#include "ui/app/DataCheckScreen.h"
#include "ui/app/DesktopPlatform.h"
#include "ui/app/InstitutionSettingsScreen.h"
#include "ui/app/MemoPadScreen.h"
#include "ui/masters/MealTypeScreen.h"
#include "ui/masters/TargetGroupScreen.h"
#include "ui/widgets/DownloadProgressDialog.h"
#include "ui/widgets/ElidedLabel.h"
#include "ui/widgets/MessageBoxPrompter.h"

#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace app {

namespace {

QLabel* arrow(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont f = label->font();
    f.setPointSizeF(f.pointSizeF() * 2.2);
    f.setBold(true);
    label->setFont(f);
    label->setStyleSheet(u"color: #1a3a8a;"_s);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

MainWindow::MainWindow(store::Prompter* prompter, QWidget* parent)
    : QMainWindow(parent),
      m_ownPrompter(prompter ? nullptr : std::make_unique<widgets::MessageBoxPrompter>(this)),
      m_prompter(prompter ? prompter : m_ownPrompter.get()),
      m_ownPlatform(std::make_unique<DesktopPlatform>(this)), m_platform(m_ownPlatform.get()),
      m_dialogs(this), m_startUp(masters::dataModule(), *m_prompter, m_dialogs)
{
    // WorkDir is where the program was started; AHM is pointed there.
    masters::dataModule().setWorkDir(QDir::currentPath());
    masters::dataModule().FirstActivation = true;

    setObjectName(u"Main"_s);
    setWindowTitle(u"Main"_s);
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildHeader());
    m_pages = new QTabWidget(central);
    m_pages->addTab(buildMainPage(), u"メインメニュー"_s);
    m_pages->addTab(buildSupportPage(), u"補助作業メニュー"_s);
    m_pages->setDocumentMode(true);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(10, 8, 10, 10);
    body->addWidget(m_pages);
    layout->addLayout(body);
    setCentralWidget(central);
}

MainWindow::~MainWindow() = default;

QString MainWindow::releaseDate()
{
    return u"最新更新日2023年09月20日"_s;
}

QWidget* MainWindow::buildHeader()
{
    auto* header = new QFrame(this);
    header->setObjectName(u"Header"_s);
    header->setStyleSheet(u"#Header { background: #0a1f6b; } #Header QLabel { color: white; }"_s);
    auto* title = new QLabel(u"Zoravin"_s, header);
    title->setObjectName(u"Title"_s);
    QFont tf = title->font();
    tf.setPointSizeF(30);
    tf.setBold(true);
    title->setFont(tf);
    title->setStyleSheet(u"color: #ffeb00;"_s);

    m_institution = new widgets::ElidedLabel(header);
    m_institution->setObjectName(u"Institution"_s);
    QFont inf = m_institution->font();
    inf.setPointSizeF(inf.pointSizeF() * 1.45);
    m_institution->setFont(inf);
    // Room for a name of 24 characters; a longer one is cut short with "…".
    m_institution->setPreferredWidth(QFontMetrics(inf).horizontalAdvance(QString(24, u'園')));

    m_release = new QLabel(releaseDate(), header);
    m_release->setObjectName(u"ReleaseDate"_s);
    m_release->setAlignment(Qt::AlignRight | Qt::AlignBottom);

    auto* layout = new QHBoxLayout(header);
    layout->setContentsMargins(22, 10, 18, 10);
    layout->setSpacing(28);
    layout->addWidget(title, 0, Qt::AlignVCenter);
    layout->addWidget(m_institution, 1, Qt::AlignVCenter);
    layout->addWidget(m_release, 0, Qt::AlignBottom);
    return header;
}

QPushButton* MainWindow::menuButton(const QString& caption, void (MainWindow::*open)())
{
    auto* b = new QPushButton(caption, this);
    b->setMinimumSize(196, 38);
    b->setAutoDefault(false);
    if (open)
        connect(b, &QPushButton::clicked, this, [this, open] {
            // Closing is always possible; a screen needs start-up finished.
            if (open == &MainWindow::closeClicked || ready())
                (this->*open)();
        });
    else
        b->setEnabled(false);
    return b;
}

QWidget* MainWindow::buildMainPage()
{
    auto* page = new QWidget(this);

    auto* settings = new QGroupBox(u"初期設定事項"_s, page);
    auto* settingsLayout = new QVBoxLayout(settings);
    settingsLayout->setContentsMargins(12, 14, 12, 12);
    settingsLayout->setSpacing(8);
    settingsLayout->addWidget(menuButton(u"初期設定"_s, &MainWindow::openInitialSettings));
    settingsLayout->addWidget(menuButton(u"食事区分"_s, &MainWindow::openMealTypes));
    settingsLayout->addWidget(menuButton(u"対象区分"_s, &MainWindow::openTargetGroups));
    settingsLayout->addWidget(menuButton(u"食品登録"_s));
    settingsLayout->addWidget(menuButton(u"食品群登録"_s));
    settingsLayout->addWidget(menuButton(u"成分基準値登録"_s));
    settingsLayout->addWidget(menuButton(u"納入業者マスター"_s));

    // The working order: settings, then dishes, then menus.
    auto* flow = new QGridLayout;
    flow->setVerticalSpacing(4);
    flow->setRowStretch(0, 1);
    // The arrow stays beside its button however wide the window is.
    flow->setColumnStretch(0, 1);
    flow->addWidget(arrow(u"⇒"_s, page), 1, 1);
    flow->addWidget(menuButton(u"料　　理"_s), 1, 2);
    flow->addWidget(arrow(u"↓"_s, page), 2, 2);
    flow->addWidget(menuButton(u"献　　立"_s), 3, 2);
    flow->setRowStretch(4, 1);
    flow->setColumnStretch(3, 1);

    auto* tools = new QVBoxLayout;
    tools->setSpacing(8);
    tools->addWidget(menuButton(u"備忘メモ帳"_s, &MainWindow::openMemoPad));
    tools->addWidget(menuButton(u"バックアップコピー"_s, &MainWindow::openBackup));
    tools->addStretch();
    tools->addWidget(menuButton(u"閉じる(&C)"_s, &MainWindow::closeClicked));

    auto* web = new QFrame(page);
    web->setObjectName(u"WebPanel"_s);
    web->setFrameShape(QFrame::StyledPanel);
    web->setStyleSheet(u"#WebPanel { background: #3f9b4f; border: 1px solid #2c7a3a; }"_s);
    auto* webLayout = new QHBoxLayout(web);
    webLayout->setContentsMargins(10, 8, 10, 8);
    webLayout->addWidget(menuButton(u"HPを開く"_s, &MainWindow::openHomepage));
    webLayout->addWidget(menuButton(u"バージョンアップ"_s, &MainWindow::runUpdate));
    webLayout->addWidget(menuButton(u"リモートメンテナンス"_s, &MainWindow::runRemoteMaintenance));
    auto* note = new QLabel(
        u"バージョンアップの有無はバージョンアップボタンをクリックしてご確認ください。"_s, page);
    note->setObjectName(u"WebNote"_s);

    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(16, 16, 16, 12);
    grid->setHorizontalSpacing(18);
    grid->setVerticalSpacing(10);
    grid->addWidget(settings, 0, 0);
    grid->addLayout(flow, 0, 1);
    grid->addLayout(tools, 0, 2);
    grid->setColumnStretch(1, 1);
    grid->addWidget(web, 1, 0, 1, 3);
    grid->addWidget(note, 2, 0, 1, 3);
    grid->setRowStretch(3, 1);
    return page;
}

QWidget* MainWindow::buildSupportPage()
{
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(10);
    layout->addWidget(menuButton(u"献立データの削除"_s), 0, Qt::AlignLeft);
    layout->addWidget(menuButton(u"テータテーブルの調整"_s, &MainWindow::openDataCheck), 0,
                      Qt::AlignLeft);
    layout->addStretch();
    return page;
}

QPushButton* MainWindow::button(const QString& caption) const
{
    for (QPushButton* b : findChildren<QPushButton*>())
        if (b->text() == caption)
            return b;
    return nullptr;
}

bool MainWindow::event(QEvent* event)
{
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::WindowActivate)
        runActivationChecks();
    return handled;
}

void MainWindow::runActivationChecks()
{
    if (m_ended)
        return;
    m_release->setText(releaseDate());
    const bool first = masters::dataModule().FirstActivation;
    masters::Activation result = masters::Activation::Running;
    try {
        // Shown by any download of the upgrade, modal over every window.
        widgets::DownloadProgressDialog downloads(this);
        result = m_startUp.activate(QDir::currentPath());
    } catch (const store::StoreError& e) {
        // The activation ends here; the next one starts over.
        m_prompter->warning(e.message());
        return;
    }
    if (result == masters::Activation::Ended) {
        endApplication();
        return;
    }
    if (first && !masters::dataModule().FirstActivation)
        m_institution->setText(masters::dataModule().InstitutionName);
}

void MainWindow::endApplication()
{
    m_ended = true;
    close();
    emit applicationEnded();
}

bool MainWindow::ready() const
{
    return !m_ended && !masters::dataModule().FirstActivation;
}

void MainWindow::closeClicked()
{
    close();
}

void MainWindow::runScreen(QDialog& screen)
{
    screen.exec();
    // The main window is active again: not every desktop says so when a
    // modal screen closes, and a second activation only repeats the checks.
    runActivationChecks();
}

void MainWindow::openInitialSettings()
{
    InstitutionSettingsScreen screen(false, this);
    runScreen(screen);
    m_institution->setText(masters::dataModule().InstitutionName);
}

void MainWindow::openMealTypes()
{
    masterscreens::MealTypeScreen screen(this);
    runScreen(screen);
}

void MainWindow::openTargetGroups()
{
    masterscreens::TargetGroupScreen screen(this);
    runScreen(screen);
}

void MainWindow::openHomepage()
{
    masters::WebFunctions(*m_prompter, *m_platform, masters::dataModule().WorkDir).openHomepage();
}

void MainWindow::runUpdate()
{
    masters::WebOutcome outcome;
    {
        widgets::DownloadProgressDialog downloads(this);
        outcome = masters::WebFunctions(*m_prompter, *m_platform, masters::dataModule().WorkDir)
                      .runUpdate();
    }
    // The update program replaces the program file, which must be free.
    if (outcome == masters::WebOutcome::CloseMainWindow)
        close();
}

void MainWindow::runRemoteMaintenance()
{
    widgets::DownloadProgressDialog downloads(this);
    masters::WebFunctions(*m_prompter, *m_platform, masters::dataModule().WorkDir)
        .runRemoteMaintenance();
}

void MainWindow::openBackup()
{
    BackupScreen screen(*m_platform, m_prompter, this);
    runScreen(screen);
}

void MainWindow::openDataCheck()
{
    DataCheckScreen screen(masters::dataModule().session(), *m_prompter, this);
    runScreen(screen);
}

void MainWindow::openMemoPad()
{
    MemoPadScreen screen(masters::dataModule().WorkDir, m_prompter, this);
    runScreen(screen);
}

} // namespace app
