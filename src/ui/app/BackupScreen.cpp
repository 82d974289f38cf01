#include "ui/app/BackupScreen.h"

#include "masters/DataModule.h"
#include "masters/SettingsRow.h"
#include "store/BackupCopy.h"
#include "store/Platform.h"
#include "ui/widgets/InputMode.h"
#include "ui/widgets/MessageBoxPrompter.h"

#include <QButtonGroup>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using store::BackupCopy;

namespace app {

namespace {

QLabel* note(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setFrameShape(QFrame::StyledPanel);
    label->setStyleSheet(u"QLabel { background: #fffff4; padding: 6px; }"_s);
    return label;
}

QLabel* step(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

} // namespace

BackupScreen::BackupScreen(store::Platform& platform, store::Prompter* prompter, QWidget* parent)
    : ModalScreen(parent), m_platform(platform),
      m_ownPrompter(prompter ? nullptr : std::make_unique<widgets::MessageBoxPrompter>(this)),
      m_prompter(prompter ? prompter : m_ownPrompter.get()),
      m_clock([] { return QDateTime::currentDateTime(); })
{
    setObjectName(u"DataBackup"_s);
    setWindowTitle(u"データのバックアップ"_s);

    auto* band = new QLabel(u"時系列のバックアップコピー"_s, this);
    band->setObjectName(u"TitleBand"_s);
    band->setAlignment(Qt::AlignCenter);
    band->setStyleSheet(u"QLabel { background: #0a1f6b; color: white; padding: 8px; }"_s);
    QFont bf = band->font();
    bf.setPointSizeF(bf.pointSizeF() * 1.4);
    bf.setBold(true);
    band->setFont(bf);

    auto* modeNote = note(u"【時系列保存】\n"
                          u"現在の日時フォルダを作ってその中にバックアップをとります。\n"
                          u"月に一度は作っておくと、この日時のデータに遡ることができます。\n"
                          u"【上書保存】\n"
                          u"上書していきますので、常に最新のデータのみが保存されます。"_s,
                          this);

    auto* modes = new QFrame(this);
    modes->setFrameShape(QFrame::StyledPanel);
    m_dated = new QRadioButton(u"時系列保存"_s, modes);
    m_overwrite = new QRadioButton(u"上書保存"_s, modes);
    m_dated->setChecked(true);
    auto* group = new QButtonGroup(this);
    group->addButton(m_dated);
    group->addButton(m_overwrite);
    auto* modeLayout = new QHBoxLayout(modes);
    modeLayout->addWidget(m_dated, 1);
    modeLayout->addWidget(m_overwrite, 1);
    // A click takes the time anew, as the destination names it.
    connect(m_dated, &QRadioButton::clicked, this, &BackupScreen::recompute);
    connect(m_overwrite, &QRadioButton::clicked, this, &BackupScreen::recompute);

    m_base = new QLineEdit(this);
    m_base->setObjectName(u"PathName2"_s);
    m_base->setMinimumWidth(m_base->fontMetrics().horizontalAdvance(QString(30, u'保')));
    widgets::applyInputMode(m_base, widgets::InputMode::Off);
    connect(m_base, &QLineEdit::textChanged, this, &BackupScreen::recompute);
    m_browse = new QPushButton(u"参照"_s, this);
    m_browse->setAutoDefault(false);
    connect(m_browse, &QPushButton::clicked, this, &BackupScreen::browse);

    auto* example = note(u"【例】　D:\\会計データBackup\\\n"
                         u"　Dドライブの「会計データBackup」のフォルダの中にコピーします。\n"
                         u"　保存先にデータフォルダが無い場合は自動的に作成します。\n"
                         u"【注意】\n"
                         u"　[\\]マークは、半角文字です。\n"
                         u"　保存メディアは、HD、MO、DVD-RAM、ＵＳＢメモリー等 にしてください。\n"
                         u"　CD-RW ,DVD-RWは使用できません。"_s,
                         this);

    m_source = new QLabel(this);
    m_source->setObjectName(u"Source"_s);
    m_source->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* down = new QLabel(u"↓"_s, this);
    QFont df = down->font();
    df.setPointSizeF(df.pointSizeF() * 1.6);
    df.setBold(true);
    down->setFont(df);

    m_destination = new QLineEdit(this);
    m_destination->setObjectName(u"Destination"_s);
    m_destination->setReadOnly(true);
    m_destination->setFocusPolicy(Qt::NoFocus);
    QPalette pal = m_destination->palette();
    pal.setColor(QPalette::Base, QColor(0xFF, 0xFF, 0x00));
    m_destination->setPalette(pal);

    m_run = new QPushButton(u"実　　行"_s, this);
    m_run->setObjectName(u"RunButton"_s);
    m_run->setMinimumSize(120, 34);
    m_run->setAutoDefault(false);
    connect(m_run, &QPushButton::clicked, this, &BackupScreen::runBackup);
    m_cancel = new QPushButton(u"キャンセル"_s, this);
    m_cancel->setObjectName(u"CancelButton"_s);
    m_cancel->setMinimumSize(120, 34);
    m_cancel->setAutoDefault(false);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* form = new QGridLayout;
    form->setHorizontalSpacing(10);
    form->setVerticalSpacing(6);
    form->addWidget(new QLabel(u"保存先パス名"_s, this), 0, 0);
    form->addWidget(m_base, 0, 1);
    form->addWidget(m_browse, 0, 2);
    form->setColumnStretch(1, 1);

    auto* sourceRow = new QHBoxLayout;
    sourceRow->addWidget(new QLabel(u"保存元パス名"_s, this));
    sourceRow->addSpacing(10);
    sourceRow->addWidget(m_source, 1);

    auto* resultRow = new QHBoxLayout;
    resultRow->addWidget(m_destination, 1);
    resultRow->addWidget(new QLabel(u"にデータが保存されます。"_s, this));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_run);
    buttons->addSpacing(16);
    buttons->addWidget(m_cancel);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(18, 12, 18, 16);
    body->setSpacing(8);
    body->addWidget(modeNote);
    body->addWidget(step(u"①　保存方式を選択してください。"_s, this));
    body->addWidget(modes);
    body->addWidget(step(u"②　保存先を指定して下さい。"_s, this));
    body->addLayout(form);
    body->addWidget(example);
    body->addSpacing(4);
    body->addLayout(sourceRow);
    body->addWidget(down, 0, Qt::AlignHCenter);
    body->addLayout(resultRow);
    body->addSpacing(6);
    body->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(band);
    layout->addLayout(body);
}

BackupScreen::~BackupScreen() = default;

void BackupScreen::showEvent(QShowEvent* event)
{
    ModalScreen::showEvent(event);
    if (m_opened)
        return;
    m_opened = true;
    masters::DataModule& dm = masters::dataModule();
    m_source->setText(QDir::toNativeSeparators(dm.WorkDir));
    m_base->setText(masters::SettingsRow(dm.session().ahm()).backupFolder());
    if (m_base->text().isEmpty())
        m_base->setText(QDir::toNativeSeparators(
            BackupCopy::defaultBase(BackupCopy::hostStyle(), QDir::homePath())));
    recompute();
    m_base->setFocus();
}

void BackupScreen::recompute()
{
    const store::BackupMode mode =
        m_dated->isChecked() ? store::BackupMode::Dated : store::BackupMode::Overwrite;
    m_destination->setText(
        BackupCopy::destination(m_base->text(), mode, m_clock(), BackupCopy::hostStyle()));
    m_destination->setCursorPosition(0);
}

void BackupScreen::browse()
{
    const QString chosen = m_platform.chooseFolder(u"フォルダ参照"_s, QDir::homePath());
    if (chosen.isEmpty())
        return;
    m_base->setText(BackupCopy::relativeToProgramFolder(
        chosen, QDir::toNativeSeparators(masters::dataModule().WorkDir), BackupCopy::hostStyle()));
}

void BackupScreen::runBackup()
{
    QProgressDialog progress(u"データをコピーしています…"_s, u"キャンセル"_s, 0, 0, this);
    progress.setWindowTitle(windowTitle());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    store::BackupCopy::Control control;
    control.progress = [&progress](int done, int total) {
        progress.setMaximum(total);
        progress.setValue(done);
    };
    control.stopRequested = [&progress] { return progress.wasCanceled(); };
    const store::BackupCopy::Request request{masters::dataModule().WorkDir, m_base->text(),
                                             m_destination->text()};
    progress.show();
    const bool complete = BackupCopy::run(request, *m_prompter, control);
    progress.close();
    if (complete)
        accept();
}

void BackupScreen::done(int result)
{
    // The destination is remembered however the screen is closed.
    if (m_opened) {
        masters::SettingsRow(masters::dataModule().session().ahm()).setBackupFolder(m_base->text());
        m_opened = false;
    }
    ModalScreen::done(result);
}

} // namespace app
