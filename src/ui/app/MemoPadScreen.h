#pragma once

#include "ui/widgets/ModalScreen.h"

#include <QList>
#include <memory>

class QPrintPreviewDialog;
class QPrinter;
class QPushButton;
class QTabWidget;
class QTextDocument;
class QTextEdit;

namespace store {
class Prompter;
}

namespace app {

// The memo pad "memoCyo": twelve rich-text pages on tabs "メモ帳１" …
// "メモ帳12", each kept in its file memo<i>.txt in the installation folder.
// The pages are read when the screen is shown and written, each one whole
// or not at all, whenever it closes. A page whose file could not be read is
// not written back, so an unreadable file is never replaced by an empty
// page. "印　　刷" previews the active page on one A4 sheet.
class MemoPadScreen : public widgets::ModalScreen {
    Q_OBJECT
public:
    // Errors go through prompter, or through message boxes when none is given.
    explicit MemoPadScreen(const QString& workDir, store::Prompter* prompter = nullptr,
                           QWidget* parent = nullptr);
    ~MemoPadScreen() override;

    QTabWidget* tabs() const { return m_tabs; }
    // The editor of page (1 to 12).
    QTextEdit* editor(int page) const { return m_editors.at(page - 1); }
    QPushButton* printButton() const { return m_print; }

    // Draws what fits of doc on the first page of printer: A4 portrait with
    // margins of 20 mm top and bottom and 15 mm left and right.
    static void setUpPrinter(QPrinter& printer);
    static void paintFirstPage(QPrinter& printer, const QTextDocument& doc);
    // The print preview of the active page on printer, as "印　　刷" opens it.
    std::unique_ptr<QPrintPreviewDialog> createPreview(QPrinter& printer);

    // Closing saves every page; when one cannot be written the user is told
    // and the screen stays open, so that nothing typed is lost.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void loadPages();
    void printActivePage();

    QString m_workDir;
    std::unique_ptr<store::Prompter> m_ownPrompter;
    store::Prompter* m_prompter;
    QTabWidget* m_tabs;
    QPushButton* m_print;
    QList<QTextEdit*> m_editors;
    QList<bool> m_unreadable;
    bool m_loaded = false;
};

} // namespace app
