#include "masters/StartUp.h"
#include "masters/DataModule.h"
#include "masters/SettingsRow.h"
#include "masters/StartFolder.h"
#include "masters/StartUpScreens.h"
#include "store/Prompter.h"
#include "store/StoreError.h"
#include "store/TableCatalogue.h"
#include "store/TableScripts.h"
#include "support/PreviousLayout.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <functional>
#include <gtest/gtest.h>

using masters::Activation;

namespace {

// Answers start-up's screens as a user would, and notes which were shown.
struct FakeScreens : masters::StartUpScreens {
    QString password = QStringLiteral("7295");
    QStringList shown;
    std::function<void()> duringPassword;

    QString askPassword() override
    {
        shown << QStringLiteral("password");
        if (duringPassword)
            duringPassword();
        return password;
    }
    void askInstitutionName() override
    {
        shown << QStringLiteral("name");
        masters::SettingsRow(masters::dataModule().session().ahm())
            .setInstitutionName(QStringLiteral("ひまわり保育園"));
    }
    void showFirstRunSettings() override { shown << QStringLiteral("settings"); }
};

struct Start {
    explicit Start(const StartFolder& folder) { dm.setWorkDir(folder.path()); }
    Activation activate(const StartFolder& folder) { return startUp.activate(folder.path()); }

    masters::DataModule dm;
    store::ScriptedPrompter prompter;
    FakeScreens screens;
    masters::StartUp startUp{dm, prompter, screens};
};

const QString kProgramFileMessage = QStringLiteral(
    "実行プログラムのファイル名が変更されているために実行できません。\nファイル名を　VELK "
    "に戻して実行してください。");
const QString kNoSettingsMessage = QStringLiteral("実行できる環境ではありませんので、終了します。");
const QString kNoDataMessage =
    QStringLiteral("「栄養計算」フォルダの中に「Data」フォルダがありませんので、終了します。");

} // namespace

TEST(StartUp, BrokenFolderShowsItsMessageAndEnds)
{
    const struct {
        void (StartFolder::*breakIt)();
        QString message;
        QStringList screens;
    } cases[] = {
        {&StartFolder::removeProgramFile, kProgramFileMessage, {}},
        {&StartFolder::removeSettings, kNoSettingsMessage, {}},
        {&StartFolder::removeDataFolder, kNoDataMessage, {QStringLiteral("password")}},
    };
    for (const auto& c : cases) {
        StartFolder folder;
        folder.setUpRow();
        (folder.*c.breakIt)();
        Start start(folder);
        EXPECT_EQ(start.activate(folder), Activation::Ended);
        EXPECT_EQ(start.prompter.shown(), QStringList{c.message});
        EXPECT_EQ(start.screens.shown, c.screens);
        EXPECT_TRUE(start.dm.FirstActivation);
    }
}

// A database error ends the activation (the main window shows it and the
// next activation starts over): an emptied or lost AAA.sqlite is such an
// error, never replaced by new empty tables.
TEST(StartUp, MissingOrEmptyDataFileEndsTheActivationWithItsMessage)
{
    for (bool emptyFile : {false, true}) {
        StartFolder folder;
        folder.setUpRow();
        const QString aaa = folder.path() + QStringLiteral("/Data/AAA.sqlite");
        QFile::remove(aaa);
        if (emptyFile) {
            QFile f(aaa);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
        Start start(folder);
        try {
            start.activate(folder);
            ADD_FAILURE() << "started";
        } catch (const store::StoreError& e) {
            EXPECT_EQ(e.message(), store::Session::missingDataMessage(aaa));
        }
        EXPECT_TRUE(start.dm.FirstActivation);
        EXPECT_EQ(QFileInfo(aaa).size(), 0);
        EXPECT_EQ(QFileInfo::exists(aaa), emptyFile);
    }
}

TEST(StartUp, WrongPasswordEndsSilentlyBeforeTheData)
{
    StartFolder folder;
    folder.setUpRow(42);
    Start start(folder);
    start.screens.password = QStringLiteral("42");
    EXPECT_EQ(start.activate(folder), Activation::Ended);
    EXPECT_EQ(start.prompter.shown(), QStringList());
    EXPECT_EQ(start.screens.shown, QStringList{QStringLiteral("password")});
    EXPECT_FALSE(start.dm.session().dataOpen());
}

TEST(StartUp, FirstStartAsksTheNameWritesDefaultsAndShowsSettingsOnce)
{
    StartFolder folder;
    folder.setMealTypes({QStringLiteral("昼食")});
    const int year = QDate::currentDate().year();
    {
        Start start(folder);
        EXPECT_EQ(start.activate(folder), Activation::Running);
        EXPECT_EQ(start.screens.shown,
                  (QStringList{QStringLiteral("password"), QStringLiteral("name"),
                               QStringLiteral("settings")}));
        EXPECT_EQ(start.dm.InstitutionName, QStringLiteral("ひまわり保育園"));
        EXPECT_EQ(start.dm.FiscalYear, year);
        EXPECT_FALSE(start.dm.FirstActivation);
        EXPECT_EQ(start.dm.DataDir, folder.path() + QStringLiteral("/Data/"));
        EXPECT_EQ(start.dm.MealNames.value(0), QStringLiteral("昼食"));
        EXPECT_EQ(start.dm.MealNames.size(), 6);
        EXPECT_EQ(start.prompter.shown(), QStringList());
    }
    EXPECT_EQ(
        folder.settingsValue(QStringLiteral(
            "SELECT printf('%d %d %d %d %d %d', \"年度\", PM2, PM3, PM4, PM7, PM8) FROM HeadM")),
        QStringLiteral("%1 5 5 25 85 1").arg(year));

    Start second(folder);
    EXPECT_EQ(second.activate(folder), Activation::Running);
    EXPECT_EQ(second.screens.shown, QStringList{QStringLiteral("password")});
    EXPECT_EQ(second.dm.InstitutionName, QStringLiteral("ひまわり保育園"));
}

TEST(StartUp, LaterActivationsOnlyRecheckTheFolder)
{
    StartFolder folder;
    folder.setUpRow();
    Start start(folder);
    // A return to the main window while the password prompt is up does nothing.
    Activation nested = Activation::Ended;
    start.screens.duringPassword = [&] { nested = start.activate(folder); };
    ASSERT_EQ(start.activate(folder), Activation::Running);
    EXPECT_EQ(nested, Activation::Running);
    EXPECT_EQ(start.screens.shown.size(), 1);

    EXPECT_EQ(start.activate(folder), Activation::Running);
    EXPECT_EQ(start.screens.shown.size(), 1);
    EXPECT_EQ(start.prompter.shown(), QStringList());

    folder.removeProgramFile();
    EXPECT_EQ(start.activate(folder), Activation::Ended);
    EXPECT_EQ(start.prompter.shown(), QStringList{kProgramFileMessage});
}

TEST(StartUp, ActivationWhileAMessageIsUpShowsNoSecondMessage)
{
    // The main window becomes active again when the message box closes,
    // before the first activation has ended the application.
    struct ReactivatingPrompter : store::ScriptedPrompter {
        std::function<void()> onMessage;
        void information(const QString& text) override
        {
            ScriptedPrompter::information(text);
            if (onMessage)
                std::exchange(onMessage, nullptr)();
        }
    };
    StartFolder folder;
    folder.removeProgramFile();
    masters::DataModule dm;
    dm.setWorkDir(folder.path());
    ReactivatingPrompter prompter;
    FakeScreens screens;
    masters::StartUp startUp(dm, prompter, screens);
    prompter.onMessage = [&] { startUp.activate(folder.path()); };
    EXPECT_EQ(startUp.activate(folder.path()), Activation::Ended);
    EXPECT_EQ(prompter.shown(), QStringList{kProgramFileMessage});
}

TEST(StartUp, ValuesAnOlderVersionLeftThatDoNotFitAreReported)
{
    StartFolder folder;
    folder.setUpRow();
    // The supplier table as the previous version made it, with an amount a
    // generic grid wrote as yen text.
    folder.dataSql(QStringLiteral("DROP TABLE GyosyaM"));
    for (const store::TableDef& t : store::TableCatalogue::parse(store::TableScripts::mainTables()))
        if (t.name == QStringLiteral("GyosyaM"))
            folder.dataSql(PreviousLayout::createStatement(t));
    folder.dataSql(QStringLiteral("INSERT INTO GyosyaM (Gyosya_ID, kin1) VALUES (1, '1234.5')"));
    Start start(folder);
    EXPECT_EQ(start.activate(folder), Activation::Running);
    EXPECT_EQ(start.prompter.shown(), QStringList{masters::StartUp::convertedValuesMessage(1)});
    EXPECT_EQ(folder.dataValue(QStringLiteral("SELECT kin1 FROM GyosyaM")).toLongLong(), 12345000);
    // Reported once: the next start finds nothing to convert.
    Start again(folder);
    EXPECT_EQ(again.activate(folder), Activation::Running);
    EXPECT_TRUE(again.prompter.shown().isEmpty());
}
