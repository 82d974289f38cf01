#include "masters/WebFunctions.h"
#include "store/Platform.h"
#include "store/Prompter.h"
#include "support/TinyHttpServer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using masters::WebFunctions;
using masters::WebOutcome;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& content)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}

// The functions as the main window calls them, with what each one reports.
struct WebFunction {
    const char* name;
    std::function<WebOutcome(WebFunctions&)> run;
};

const WebFunction kUpdate{"update", [](WebFunctions& web) { return web.runUpdate(); }};
const WebFunction kRemote{"remote maintenance", [](WebFunctions& web) {
                              web.runRemoteMaintenance();
                              return WebOutcome::KeepRunning;
                          }};

// The maker's server is a local one on 127.0.0.1, found through
// ZORAVIN_SERVER as the program finds the real one.
class WebFunctionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_savedServer = qgetenv("ZORAVIN_SERVER");
        qputenv("ZORAVIN_SERVER", server.base().toUtf8());
    }
    void TearDown() override { qputenv("ZORAVIN_SERVER", m_savedServer); }

    WebFunctions web(store::Prompter& prompter) { return {prompter, platform, folder.path()}; }
    QString local(const QString& name) const { return folder.path() + u'/' + name; }

    QTemporaryDir folder;
    TinyHttpServer server;
    store::RecordingPlatform platform;

private:
    QByteArray m_savedServer;
};

} // namespace

TEST_F(WebFunctionsTest, HomepageOpensTheServersRootAndReportsNothing)
{
    store::ScriptedPrompter prompter;
    for (bool opens : {true, false}) {
        platform.calls.clear();
        platform.succeeds = opens;
        web(prompter).openHomepage();
        ASSERT_EQ(platform.calls.size(), 1);
        EXPECT_EQ(platform.calls[0].what, u"openAddress"_s);
        EXPECT_EQ(platform.calls[0].target, server.base() + u"/"_s);
    }
    EXPECT_EQ(prompter.shown(), QStringList());
    EXPECT_EQ(server.requests(), QStringList()); // the browser fetches it, not the program
}

TEST_F(WebFunctionsTest, NoToEitherQuestionContactsNoServerAndStartsNothing)
{
    server.put(u"/dload.exe"_s, "update");
    server.put(u"/TeamViewerQS.exe"_s, "tool");
    const struct {
        WebFunction function;
        QString question;
    } cases[] = {
        {kUpdate, WebFunctions::updateQuestion()},
        {kRemote, WebFunctions::remoteMaintenanceQuestion()},
    };
    for (const auto& c : cases) {
        store::ScriptedPrompter prompter({store::Answer::No});
        WebFunctions w = web(prompter);
        EXPECT_EQ(c.function.run(w), WebOutcome::KeepRunning) << c.function.name;
        EXPECT_EQ(prompter.shown(), QStringList{c.question}) << c.function.name;
    }
    EXPECT_EQ(server.requests(), QStringList());
    EXPECT_TRUE(platform.calls.isEmpty());
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList());
}

TEST_F(WebFunctionsTest, UpdateReplacesDloadStartsItWithTheNewProgramAddressAndClosesTheWindow)
{
    const QByteArray program(300000, 'u');
    server.put(u"/dload.exe"_s, program);
    writeFile(local(u"dload.exe"_s), "an older update program");
    store::ScriptedPrompter prompter({store::Answer::Yes});

    EXPECT_EQ(web(prompter).runUpdate(), WebOutcome::CloseMainWindow);

    EXPECT_EQ(prompter.shown(), QStringList{u"バージョンアップを実行しますか。"_s});
    EXPECT_EQ(server.requests(), QStringList{u"/dload.exe"_s});
    EXPECT_EQ(readAll(local(u"dload.exe"_s)), program);
    ASSERT_EQ(platform.calls.size(), 1);
    EXPECT_EQ(platform.calls[0].what, u"startProgram"_s);
    EXPECT_EQ(platform.calls[0].target, local(u"dload.exe"_s));
    // The new program's address, then an empty argument.
    EXPECT_EQ(platform.calls[0].arguments, (QStringList{server.base() + u"/VELK.exe"_s, u""_s}));
}

TEST_F(WebFunctionsTest, RemoteMaintenanceDownloadsTheToolAndOpensIt)
{
    server.put(u"/TeamViewerQS.exe"_s, "quick support");
    store::ScriptedPrompter prompter({store::Answer::Yes});

    web(prompter).runRemoteMaintenance();

    EXPECT_EQ(prompter.shown(),
              QStringList{u"リモートメンテナンスが出来ます。\n"
                          u"①　セキュリティーの警告が出たら”許可”を選んでください。\n"
                          u"②　使用中のIDとパスワードを連絡してください。"_s});
    EXPECT_EQ(server.requests(), QStringList{u"/TeamViewerQS.exe"_s});
    EXPECT_EQ(readAll(local(u"TeamViewerQS.exe"_s)), QByteArray("quick support"));
    ASSERT_EQ(platform.calls.size(), 1);
    EXPECT_EQ(platform.calls[0].what, u"openDocument"_s);
    EXPECT_EQ(platform.calls[0].target, local(u"TeamViewerQS.exe"_s));
    EXPECT_TRUE(platform.calls[0].arguments.isEmpty());
}

// A failed download or start gives its message, and the program keeps
// running; a failed download starts nothing (not even an older file).
TEST_F(WebFunctionsTest, FailuresGiveTheirMessageAndKeepTheProgramRunning)
{
    enum Fault { NotOnServer, ServerDown, FolderNotWritable, StartFails };
    const struct {
        WebFunction function;
        Fault fault;
        QString message;
    } cases[] = {
        {kUpdate, NotOnServer, u"バージョンアップが正常に出来ませんでした。"_s},
        {kUpdate, ServerDown, u"バージョンアップが正常に出来ませんでした。"_s},
        {kUpdate, FolderNotWritable, u"バージョンアップが正常に出来ませんでした。"_s},
        {kUpdate, StartFails, u"バージョンアップが正常に出来ませんでした。"_s},
        {kRemote, NotOnServer, u"メンテナンスツールが正常に出来ませんでした。"_s},
        {kRemote, ServerDown, u"メンテナンスツールが正常に出来ませんでした。"_s},
        {kRemote, FolderNotWritable, u"メンテナンスツールが正常に出来ませんでした。"_s},
        {kRemote, StartFails, u"リモートメンテナンスが出来ませんでした。"_s},
    };
    for (const auto& c : cases) {
        const std::string what = std::string(c.function.name) + " fault " + std::to_string(c.fault);
        TinyHttpServer ownServer;
        if (c.fault != NotOnServer) {
            ownServer.put(u"/dload.exe"_s, "update");
            ownServer.put(u"/TeamViewerQS.exe"_s, "tool");
        }
        // Nothing listens on port 9 of 127.0.0.1.
        qputenv("ZORAVIN_SERVER", c.fault == ServerDown ? QByteArray("http://127.0.0.1:9")
                                                        : ownServer.base().toUtf8());
        QTemporaryDir install;
        writeFile(install.filePath(u"dload.exe"_s), "older");
        writeFile(install.filePath(u"TeamViewerQS.exe"_s), "older");
        const QString target =
            c.fault == FolderNotWritable ? install.filePath(u"missing"_s) : install.path();
        store::RecordingPlatform platform;
        platform.succeeds = c.fault != StartFails;
        store::ScriptedPrompter prompter({store::Answer::Yes});
        WebFunctions w(prompter, platform, target);

        EXPECT_EQ(c.function.run(w), WebOutcome::KeepRunning) << what;
        ASSERT_EQ(prompter.shown().size(), 2) << what;
        EXPECT_EQ(prompter.shown()[1], c.message) << what;
        EXPECT_EQ(platform.calls.size(), c.fault == StartFails ? 1 : 0) << what;
        if (c.fault == NotOnServer) {
            EXPECT_EQ(ownServer.requests().size(), 1) << what;
            EXPECT_EQ(readAll(install.filePath(u"dload.exe"_s)), QByteArray("older")) << what;
            EXPECT_EQ(readAll(install.filePath(u"TeamViewerQS.exe"_s)), QByteArray("older"))
                << what;
        }
    }
}
