#include "ui/app/MemoPadScreen.h"

#include "components/MemoFile.h"
#include "store/StoreError.h"
#include "ui/widgets/InputMode.h"
#include "ui/widgets/MessageBoxPrompter.h"
#include "ui/widgets/TopBar.h"

#include <QAbstractTextDocumentLayout>
#include <QHBoxLayout>
#include <QPageLayout>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>

using components::MemoFile;
using namespace Qt::StringLiterals;

namespace app {

namespace {

// The first nine with full-width digits, the last three with half-width ones.
QString tabCaption(int page)
{
    static const QString fullWidth = u"０１２３４５６７８９"_s;
    return u"メモ帳"_s + (page < 10 ? QString(fullWidth.at(page)) : QString::number(page));
}

} // namespace

MemoPadScreen::MemoPadScreen(const QString& workDir, store::Prompter* prompter, QWidget* parent)
    : ModalScreen(parent), m_workDir(workDir),
      m_ownPrompter(prompter ? nullptr : std::make_unique<widgets::MessageBoxPrompter>(this)),
      m_prompter(prompter ? prompter : m_ownPrompter.get()), m_tabs(new QTabWidget(this)),
      m_print(new QPushButton(u"印　　刷"_s, this))
{
    setObjectName(u"memoCyo"_s);
    setWindowTitle(u"memoCyo"_s);

    auto* bar = new widgets::TopBar(u"メモ帳"_s, this);
    connect(bar, &widgets::TopBar::closeClicked, this, &QDialog::accept);
    m_print->setObjectName(u"PrintButton"_s);
    m_print->setAutoDefault(false);
    m_print->setMinimumSize(110, 32);
    bar->layout()->addWidget(m_print);
    connect(m_print, &QPushButton::clicked, this, &MemoPadScreen::printActivePage);

    for (int page = 1; page <= MemoFile::kPages; ++page) {
        auto* edit = new QTextEdit(m_tabs);
        edit->setObjectName(u"memo"_s + QString::number(page));
        edit->setAcceptRichText(true);
        widgets::applyInputMode(edit, widgets::InputMode::Japanese);
        m_tabs->addTab(edit, tabCaption(page));
        m_editors << edit;
        m_unreadable << false;
    }
    m_tabs->setCurrentIndex(0);
    // All twelve captions in sight, none behind scroll arrows.
    m_tabs->setUsesScrollButtons(false);

    // The keys of the Windows rich-edit control, so that a page can be
    // given its styles: Ctrl+B, Ctrl+I and Ctrl+U switch the selection (or
    // what is typed next) to bold, italic or underlined and back.
    const auto styleKey = [this](const QKeySequence& key, auto apply) {
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, [this, apply] {
            auto* edit = editor(m_tabs->currentIndex() + 1);
            if (edit->isReadOnly())
                return;
            QTextCharFormat f;
            apply(f, edit->currentCharFormat());
            edit->mergeCurrentCharFormat(f);
        });
    };
    styleKey(QKeySequence::Bold, [](QTextCharFormat& f, const QTextCharFormat& now) {
        f.setFontWeight(now.fontWeight() >= QFont::DemiBold ? QFont::Normal : QFont::Bold);
    });
    styleKey(QKeySequence::Italic, [](QTextCharFormat& f, const QTextCharFormat& now) {
        f.setFontItalic(!now.fontItalic());
    });
    styleKey(QKeySequence::Underline, [](QTextCharFormat& f, const QTextCharFormat& now) {
        f.setFontUnderline(!now.fontUnderline());
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(8, 8, 8, 8);
    body->addWidget(m_tabs);
    layout->addLayout(body, 1);
    resize(900, 640);
}

MemoPadScreen::~MemoPadScreen() = default;

void MemoPadScreen::showEvent(QShowEvent* event)
{
    ModalScreen::showEvent(event);
    if (!m_loaded) {
        m_loaded = true;
        loadPages();
    }
}

void MemoPadScreen::loadPages()
{
    QStringList failures;
    for (int page = 1; page <= MemoFile::kPages; ++page) {
        QTextEdit* edit = editor(page);
        try {
            MemoFile::load(MemoFile::path(m_workDir, page), *edit->document());
        } catch (const store::StoreError& e) {
            m_unreadable[page - 1] = true;
            edit->setReadOnly(true);
            failures << e.message();
        }
        edit->document()->setModified(false);
    }
    if (!failures.isEmpty())
        m_prompter->warning(failures.join(u'\n'));
}

void MemoPadScreen::done(int result)
{
    QStringList failures;
    for (int page = 1; page <= MemoFile::kPages; ++page) {
        if (m_unreadable.at(page - 1))
            continue;
        try {
            MemoFile::save(MemoFile::path(m_workDir, page), *editor(page)->document());
        } catch (const store::StoreError& e) {
            failures << e.message();
        }
    }
    if (!failures.isEmpty()) {
        m_prompter->warning(failures.join(u'\n'));
        return;
    }
    ModalScreen::done(result);
}

void MemoPadScreen::setUpPrinter(QPrinter& printer)
{
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(15, 20, 15, 20), QPageLayout::Millimeter));
}

void MemoPadScreen::paintFirstPage(QPrinter& printer, const QTextDocument& doc)
{
    // The box does not grow: what does not fit on the sheet is left out.
    std::unique_ptr<QTextDocument> copy(doc.clone());
    copy->documentLayout()->setPaintDevice(&printer);
    copy->setDocumentMargin(0);
    const QRectF box(QPointF(0, 0),
                     printer.pageLayout().paintRectPixels(printer.resolution()).size());
    copy->setPageSize(box.size());
    copy->setTextWidth(box.width());
    QPainter painter(&printer);
    painter.setClipRect(box);
    copy->drawContents(&painter, box);
}

std::unique_ptr<QPrintPreviewDialog> MemoPadScreen::createPreview(QPrinter& printer)
{
    setUpPrinter(printer);
    auto preview = std::make_unique<QPrintPreviewDialog>(&printer, this);
    preview->setWindowTitle(u"印刷プレビュー"_s);
    const QTextDocument* doc = editor(m_tabs->currentIndex() + 1)->document();
    connect(preview.get(), &QPrintPreviewDialog::paintRequested, preview.get(),
            [doc](QPrinter* p) { paintFirstPage(*p, *doc); });
    return preview;
}

void MemoPadScreen::printActivePage()
{
    QPrinter printer(QPrinter::HighResolution);
    createPreview(printer)->exec();
}

} // namespace app
