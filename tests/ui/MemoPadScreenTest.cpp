#include "ui/UiFixture.h"

#include "components/MemoFile.h"
#include "store/Prompter.h"
#include "ui/app/MemoPadScreen.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>

using components::MemoFile;
using namespace Qt::StringLiterals;

namespace {

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

// A fresh folder opens twelve empty pages with their captions; what is typed
// on page 12 in bold and large goes to memo12.txt when the screen closes,
// every page gets its file, and the next opening shows it on page 12.
TEST(MemoPadScreenTest, PagesAreLoadedOnShowAndSavedOnClose)
{
    QTemporaryDir dir;
    store::ScriptedPrompter prompter;
    {
        app::MemoPadScreen screen(dir.path(), &prompter);
        EXPECT_EQ(screen.windowTitle(), u"memoCyo"_s);
        screen.show();
        QStringList captions;
        for (int i = 0; i < screen.tabs()->count(); ++i)
            captions << screen.tabs()->tabText(i);
        EXPECT_EQ(captions,
                  (QStringList{u"メモ帳１"_s, u"メモ帳２"_s, u"メモ帳３"_s, u"メモ帳４"_s,
                               u"メモ帳５"_s, u"メモ帳６"_s, u"メモ帳７"_s, u"メモ帳８"_s,
                               u"メモ帳９"_s, u"メモ帳10"_s, u"メモ帳11"_s, u"メモ帳12"_s}));
        EXPECT_EQ(screen.tabs()->currentIndex(), 0);
        for (int page = 1; page <= 12; ++page)
            EXPECT_TRUE(screen.editor(page)->document()->isEmpty()) << page;

        screen.tabs()->setCurrentIndex(11);
        QTextEdit* edit = screen.editor(12);
        edit->setFocus();
        QTextCharFormat big;
        big.setFontWeight(QFont::Bold);
        big.setFontPointSize(24);
        edit->textCursor().insertText(u"運動会の献立"_s, big);
        QTest::keyClicks(edit, u" ok"_s);
        QTest::mouseClick(screen.findChild<QPushButton*>(u"CloseButton"_s), Qt::LeftButton);
        EXPECT_FALSE(screen.isVisible());
    }
    EXPECT_TRUE(prompter.shown().isEmpty());
    for (int page = 1; page <= 12; ++page)
        EXPECT_TRUE(QFile::exists(dir.filePath(u"memo%1.txt"_s.arg(page)))) << page;
    EXPECT_TRUE(readFile(dir.filePath(u"memo12.txt"_s)).contains("\\'89\\'5e")); // 運
    EXPECT_FALSE(readFile(dir.filePath(u"memo11.txt"_s)).contains("\\'89\\'5e"));

    app::MemoPadScreen again(dir.path(), &prompter);
    again.show();
    QTextDocument* doc = again.editor(12)->document();
    EXPECT_EQ(doc->toPlainText(), u"運動会の献立 ok"_s);
    // Loading is not an edit: an undo right away must not empty the page.
    EXPECT_FALSE(doc->isUndoAvailable());
    QTextCursor c(doc);
    c.setPosition(1);
    EXPECT_GE(c.charFormat().fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(c.charFormat().fontPointSize(), 24.0);
    again.reject();
}

// Ctrl+B, Ctrl+I and Ctrl+U style the selection, as in the Windows
// rich-edit control, and switch back on a second press.
TEST(MemoPadScreenTest, StyleKeysSwitchTheSelection)
{
    QTemporaryDir dir;
    store::ScriptedPrompter prompter;
    app::MemoPadScreen screen(dir.path(), &prompter);
    screen.show();
    screen.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
    screen.tabs()->setCurrentIndex(2);
    QTextEdit* edit = screen.editor(3);
    edit->setPlainText(u"おやつ"_s);
    edit->selectAll();
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_B, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_I, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_U, Qt::ControlModifier);
    QTextCursor c(edit->document());
    c.setPosition(2);
    EXPECT_GE(c.charFormat().fontWeight(), QFont::Bold);
    EXPECT_TRUE(c.charFormat().fontItalic());
    EXPECT_TRUE(c.charFormat().fontUnderline());
    QTest::keyClick(edit, Qt::Key_B, Qt::ControlModifier);
    c.setPosition(2);
    EXPECT_LT(c.charFormat().fontWeight(), QFont::DemiBold);
    EXPECT_TRUE(c.charFormat().fontItalic());
    screen.reject();
}

// A page that cannot be written keeps the screen open with the error shown,
// the others are still saved, and the file already on disk is unchanged.
TEST(MemoPadScreenTest, FailedSaveKeepsTheScreenOpenAndTheOldFile)
{
    QTemporaryDir dir;
    {
        QFile old(dir.filePath(u"memo1.txt"_s));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old text, plain");
    }
    store::ScriptedPrompter prompter;
    app::MemoPadScreen screen(dir.path(), &prompter);
    screen.show();
    // A folder where the page's file should go cannot be replaced by it.
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"memo5.txt"_s));
    EXPECT_EQ(screen.editor(1)->toPlainText(), u"old text, plain"_s);
    screen.editor(5)->setPlainText(u"五ページ目"_s);
    screen.accept();
    EXPECT_TRUE(screen.isVisible());
    ASSERT_EQ(prompter.shown().size(), 1);
    EXPECT_TRUE(prompter.shown().first().contains(u"memo5.txt"_s));
    EXPECT_TRUE(QFile::exists(dir.filePath(u"memo12.txt"_s)));
    EXPECT_TRUE(readFile(dir.filePath(u"memo1.txt"_s)).startsWith("{\\rtf1"));
    screen.editor(5)->clear();
    QDir(dir.path()).rmdir(u"memo5.txt"_s);
    screen.accept();
    EXPECT_FALSE(screen.isVisible());
}

// A file that exists but cannot be read is shown as such and never
// replaced by the empty page that stood in for it.
TEST(MemoPadScreenTest, UnreadablePageIsNotOverwritten)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"memo2.txt"_s));
    store::ScriptedPrompter prompter;
    app::MemoPadScreen screen(dir.path(), &prompter);
    screen.show();
    EXPECT_EQ(prompter.shown().size(), 1);
    EXPECT_TRUE(screen.editor(2)->isReadOnly());
    screen.accept();
    EXPECT_FALSE(screen.isVisible());
    EXPECT_TRUE(QFileInfo(dir.filePath(u"memo2.txt"_s)).isDir());
    EXPECT_TRUE(QFileInfo(dir.filePath(u"memo3.txt"_s)).isFile());
}

// Printing draws only what fits on one A4 sheet, however long the page.
TEST(MemoPadScreenTest, PrintIsOneA4Sheet)
{
    QTemporaryDir dir;
    QTextDocument doc;
    QStringList lines;
    for (int i = 0; i < 400; ++i)
        lines << u"%1 行目のメモ"_s.arg(i);
    doc.setPlainText(lines.join(u'\n'));
    QPrinter printer(QPrinter::HighResolution);
    app::MemoPadScreen::setUpPrinter(printer);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(u"memo.pdf"_s));
    app::MemoPadScreen::paintFirstPage(printer, doc);
    const QPageLayout layout = printer.pageLayout();
    EXPECT_EQ(layout.pageSize().id(), QPageSize::A4);
    EXPECT_EQ(layout.orientation(), QPageLayout::Portrait);
    EXPECT_EQ(layout.margins(QPageLayout::Millimeter), QMarginsF(15, 20, 15, 20));
    const QByteArray pdf = readFile(dir.filePath(u"memo.pdf"_s));
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "),
              1);
}
