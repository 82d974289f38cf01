#include "ui/UiFixture.h"

#include "store/Prompter.h"
#include "ui/app/MainWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

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
        {"備忘メモ帳", 0, false},
        {"閉じる(&C)", 0, true},
        {"バックアップコピー", 0, false},
        {"HPを開く", 0, false},
        {"バージョンアップ", 0, false},
        {"リモートメンテナンス", 0, false},
        {"献立データの削除", 1, false},
        {"テータテーブルの調整", 1, false},
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
