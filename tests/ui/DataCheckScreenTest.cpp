#include "ui/ModalDriver.h"
#include "ui/UiFixture.h"

#include "menu/DataCheck.h"
#include "store/Prompter.h"
#include "ui/app/DataCheckScreen.h"
#include "ui/app/MainWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

using namespace Qt::StringLiterals;

namespace {

// A menu day with a slot whose dish was deleted from the dish master, and
// the slot of a day that is gone.
class DataCheckScreen : public UiFixture {
protected:
    void SetUp() override
    {
        folder.setUpRow();
        openData();
        for (const char* sql :
             {"INSERT INTO RyoriM (Ryori_ID, Ryoriemei) VALUES ('0101', 'ごはん')",
              "INSERT INTO kondateM (Kondate_ID, kijitu) VALUES (1, '2024-04-01')",
              "INSERT INTO kondateM2 (kondate_ID, K1, K2) VALUES (1, 0, 0), (9, 0, 0)",
              "INSERT INTO kondateM3 (kondate_ID, K1, K2, Ryori_ID) VALUES (1, 0, 0, '0101'), "
              "(1, 0, 0, '0150')"})
            store::Sql::exec(dm.session().aaa(), QString::fromUtf8(sql));
    }
    QString value(const char* sql)
    {
        return store::Sql::scalar(dm.session().aaa(), QString::fromUtf8(sql)).toString();
    }
};

} // namespace

TEST_F(DataCheckScreen, ShowsTheCaptionsAndClosesAfterACompletedRun)
{
    store::ScriptedPrompter prompter({store::Answer::No, store::Answer::Yes});
    app::DataCheckScreen screen(dm.session(), prompter);
    EXPECT_EQ(screen.windowTitle(), u"データテーブルの再構成"_s);
    EXPECT_EQ(screen.findChild<QLabel*>(u"TitleBand"_s)->text(), u"データテーブルの再構成"_s);
    EXPECT_EQ(screen.findChild<QLabel*>(u"Explanation"_s)->text(),
              u"この栄養計算ソフトは次の主要なテーブルで構成しています。\n"
              u"　食品マスター(SyokuM)\n"
              u"　料理マスター(RyoriM.dat RyoriD)\n"
              u"　献立マスター(kondateM kondateM2 konateM3 kondateD kondateQ)\n"
              u"これらのテーブル間で何らかの異常が生じた場合、この処理を実行すると\n"
              u"テーブル間の関係を再編成して、連携関係の無いレコードは自動的に削除できます。"_s);
    EXPECT_EQ(screen.findChild<QLabel*>(u"BackupWarning"_s)->text(),
              u"この処理は、データテーブルを変更しますので、必ずデータのバックアップを行ってから"
              u"実行してください。"_s);
    EXPECT_EQ(screen.runButton()->text(), u"再構築の実行"_s);
    screen.show();

    // No: the screen stays, nothing is deleted.
    screen.runButton()->click();
    EXPECT_TRUE(screen.isVisible());
    EXPECT_EQ(value("SELECT COUNT(*) FROM kondateM2"), u"2"_s);

    screen.runButton()->click();
    EXPECT_FALSE(screen.isVisible());
    EXPECT_EQ(screen.result(), QDialog::Accepted);
    EXPECT_EQ(prompter.shown(),
              (QStringList{u"テーブルの再構築を実行しますか。"_s,
                           u"テーブルの再構築を実行しますか。"_s, u"作業は完了しました。"_s}));
    EXPECT_EQ(value("SELECT COUNT(*) FROM kondateM2"), u"1"_s);
    EXPECT_EQ(value("SELECT kondateMei FROM kondateM2"), u"ごはん,,"_s);
}

TEST_F(DataCheckScreen, EngineErrorIsShownAndTheScreenStays)
{
    store::Sql::exec(dm.session().aaa(), u"DROP TABLE RyoriD"_s);
    store::ScriptedPrompter prompter({store::Answer::Yes});
    app::DataCheckScreen screen(dm.session(), prompter);
    screen.show();
    screen.runButton()->click();
    EXPECT_TRUE(screen.isVisible());
    ASSERT_EQ(prompter.shown().size(), 2);
    EXPECT_NE(prompter.shown().at(1), u"作業は完了しました。"_s);
    EXPECT_EQ(value("SELECT COUNT(*) FROM kondateM2"), u"2"_s);
}

TEST_F(DataCheckScreen, OpensFromTheSupportMenu)
{
    store::ScriptedPrompter prompter({store::Answer::Yes});
    app::MainWindow main(&prompter);
    // As start-up leaves it: the window points the module at the current
    // folder, and the first activation opens the data and ends.
    ASSERT_TRUE(dm.OpenDataDir());
    dm.FirstActivation = false;
    ModalDriver driver;
    driver.expect<app::DataCheckScreen>([](app::DataCheckScreen* screen) {
        screen->runButton()->click();
        if (screen->isVisible()) // a failed run would leave it open
            screen->reject();
    });
    main.button(u"テータテーブルの調整"_s)->click();
    EXPECT_EQ(driver.pending(), 0);
    EXPECT_TRUE(driver.unexpected().isEmpty()) << driver.unexpected().join(u", "_s).toStdString();
    EXPECT_TRUE(prompter.shown().contains(u"作業は完了しました。"_s));
    EXPECT_EQ(value("SELECT kondateMei FROM kondateM2"), u"ごはん,,"_s);
}
