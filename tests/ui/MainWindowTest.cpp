#include "ui/ModalDriver.h"
#include "ui/UiFixture.h"

#include "store/Prompter.h"
#include "ui/app/MainWindow.h"
#include "ui/widgets/MessageBox.h"
#include "ui/widgets/MessageBoxPrompter.h"

#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>

using MainWindow = UiFixture;

TEST_F(MainWindow, HeaderPagesAndWhichButtonsOpenAScreen)
{
    store::ScriptedPrompter prompter;
    app::MainWindow main(&prompter);
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Main"));
    auto* title = main.findChild<QLabel*>(QStringLiteral("Title"));
    EXPECT_EQ(title->text(), QStringLiteral("Zoravin"));
    EXPECT_TRUE(title->font().bold());
    EXPECT_EQ(main.releaseLabel()->text(), QStringLiteral("最新更新日2023年09月20日"));
    EXPECT_EQ(main.pages()->tabText(0), QStringLiteral("メインメニュー"));
    EXPECT_EQ(main.pages()->tabText(1), QStringLiteral("補助作業メニュー"));

    // Buttons whose screens come later stand disabled in their places.
    const struct {
        const char* caption;
        int page;
        bool enabled;
    } buttons[] = {
        {"初期設定", 0, true},
        {"食事区分", 0, true},
        {"対象区分", 0, true},
        {"食品登録", 0, false},
        {"食品群登録", 0, false},
        {"成分基準値登録", 0, false},
        {"納入業者マスター", 0, false},
        {"料　　理", 0, false},
        {"献　　立", 0, false},
        {"備忘メモ帳", 0, true},
        {"閉じる(&C)", 0, true},
        {"バックアップコピー", 0, true},
        {"HPを開く", 0, true},
        {"バージョンアップ", 0, true},
        {"リモートメンテナンス", 0, true},
        {"献立データの削除", 1, false},
        {"テータテーブルの調整", 1, true},
    };
    for (const auto& b : buttons) {
        QPushButton* button = main.button(QString::fromUtf8(b.caption));
        ASSERT_TRUE(button) << b.caption;
        EXPECT_EQ(button->isEnabled(), b.enabled) << b.caption;
        EXPECT_TRUE(main.pages()->widget(b.page)->isAncestorOf(button)) << b.caption;
    }
    QStringList notes;
    for (QLabel* l : main.pages()->widget(0)->findChildren<QLabel*>())
        notes << l->text();
    for (const char* text :
         {"⇒", "↓", "バージョンアップの有無はバージョンアップボタンをクリックしてご確認ください。"})
        EXPECT_TRUE(notes.contains(QString::fromUtf8(text))) << text;
}

// A name of 50 full-width characters, as many as the field holds, is cut
// short in the header: the window keeps a size that fits 1280×800.
TEST_F(MainWindow, LongInstitutionNameIsElidedAndTheWindowFitsTheScreen)
{
    store::ScriptedPrompter prompter;
    app::MainWindow main(&prompter); // not shown: showing would run start-up
    main.resize(main.sizeHint());
    const QSize size = main.size();
    const QString name = QString(50, u'園');
    main.institutionLabel()->setText(name);
    main.layout()->activate();
    EXPECT_EQ(main.size(), size); // the window keeps its size
    EXPECT_LE(main.minimumSizeHint().width(), size.width());
    EXPECT_LE(main.sizeHint().width(), 1280 - 20); // even at its preferred size, with a frame
    EXPECT_LE(main.sizeHint().height(), 800 - 70); // a title bar and a task bar
    EXPECT_EQ(main.institutionLabel()->text(), name);
    const QString shown = main.institutionLabel()->shownText();
    EXPECT_TRUE(shown.endsWith(u'…')) << shown.toStdString();
    EXPECT_LT(shown.size(), name.size());
}

// Until start-up has run to its end no menu button opens a screen.
TEST_F(MainWindow, MenuButtonsOpenNothingBeforeStartUpHasFinished)
{
    store::ScriptedPrompter prompter;
    app::MainWindow main(&prompter); // never shown, so never activated
    ModalDriver driver;              // notes any screen that opens
    main.button(QStringLiteral("食事区分"))->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(driver.unexpected(), QStringList());
}

// Qt's own texts are Japanese: the standard buttons of a message box and a
// text field's context menu.
TEST_F(MainWindow, QtsOwnTextsAreJapanese)
{
    ModalDriver driver;
    QStringList buttons;
    driver.expect<QMessageBox>([&](QMessageBox* box) {
        for (QAbstractButton* b : box->buttons())
            buttons << b->text();
        box->button(QMessageBox::No)->click();
    });
    EXPECT_FALSE(widgets::MessageBoxPrompter().yesNo(QStringLiteral("削除します。")));
    buttons.sort();
    EXPECT_EQ(buttons, (QStringList{QStringLiteral("いいえ(&N)"), QStringLiteral("はい(&Y)")}));

    QLineEdit edit(QStringLiteral("ひまわり"));
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList items;
    for (QAction* a : menu->actions())
        if (!a->isSeparator())
            items << a->text().section(u'\t', 0, 0); // the key after the tab is a key's name
    ASSERT_FALSE(items.isEmpty());
    for (const QString& item : items) {
        const QString caption =
            QString(item).remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
        EXPECT_FALSE(caption.contains(QRegularExpression(QStringLiteral("[A-Za-z]"))))
            << item.toStdString();
    }
    EXPECT_TRUE(items.contains(QStringLiteral("コピー(&C)"))) << items.join(u' ').toStdString();
}

// Long messages are broken after 、 and 。 only, never inside a phrase.
TEST(MessageLines, BreakAtPhrases)
{
    const struct {
        const char* text;
        int maxChars;
        const char* lines;
    } cases[] = {
        {"短い文です。", 30, "短い文です。"},
        {"「栄養計算」フォルダの中に「Data」フォルダがありませんので、終了します。", 30,
         "「栄養計算」フォルダの中に「Data」フォルダがありませんので、\n終了します。"},
        {"一二三、四五六。七八九", 4, "一二三、\n四五六。\n七八九"},
        {"一二、三四。五六", 6, "一二、三四。\n五六"},
        {"（注意。）次へ", 3, "（注意。）\n次へ"},
        {"一行目。\n二行目、三行目。", 30, "一行目。\n二行目、三行目。"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(widgets::breakAtPhrases(QString::fromUtf8(c.text), c.maxChars),
                  QString::fromUtf8(c.lines))
            << c.text;
}
