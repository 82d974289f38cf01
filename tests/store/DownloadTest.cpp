#include "store/Download.h"
#include "support/TinyHttpServer.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

class DownloadTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    TinyHttpServer server;
    QString target() const { return dir.path() + u"/syokuM2010.csv"_s; }
};

} // namespace

TEST_F(DownloadTest, WritesTheWholeBodyAndReplacesTheFile)
{
    QByteArray body(200000, 'x');
    server.put(u"/syoku/syokuM2010.csv"_s, body);
    QFile old(target());
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    EXPECT_TRUE(
        store::Download::DownloadFile(QUrl(server.base() + u"/syoku/syokuM2010.csv"_s), target()));
    EXPECT_EQ(readAll(target()), body);
}

TEST_F(DownloadTest, FailureLeavesTheExistingFileUntouched)
{
    QFile old(target());
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("previous");
    old.close();
    server.put(u"/cut.csv"_s, QByteArray(100000, 'y'));
    server.truncate(u"/cut.csv"_s);
    const struct {
        QString url;
    } cases[] = {
        {server.base() + u"/missing.csv"_s}, // 404
        {server.base() + u"/cut.csv"_s},     // connection dropped midway
        {u"http://127.0.0.1:9/none"_s},      // nothing listening
        {u"ftp://127.0.0.1/none"_s},         // not a web address
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(store::Download::DownloadFile(QUrl(c.url), target(), 5000))
            << c.url.toStdString();
        EXPECT_EQ(readAll(target()), QByteArray("previous")) << c.url.toStdString();
    }
}

TEST(DownloadServer, DefaultIsHttpsAndEnvironmentOverrides)
{
    const QByteArray saved = qgetenv("ZORAVIN_SERVER");
    qunsetenv("ZORAVIN_SERVER");
    EXPECT_TRUE(
        store::Download::serverUrl(u"/syokuM2020.csv"_s).toString().startsWith(u"https://"_s));
    qputenv("ZORAVIN_SERVER", "http://127.0.0.1:8080/");
    EXPECT_EQ(store::Download::serverUrl(u"/syoku/syokuM2010.csv"_s).toString(),
              u"http://127.0.0.1:8080/syoku/syokuM2010.csv"_s);
    qputenv("ZORAVIN_SERVER", saved);
}

TEST_F(DownloadTest, ObserverHearsTheStartTheBytesAndTheOutcome)
{
    struct Recorder : store::DownloadObserver {
        QStringList events;
        qint64 lastReceived = 0;
        void downloadStarted(const QUrl& url, const QString& localPath) override
        {
            events << u"start "_s + url.path() + u' ' + localPath;
        }
        void downloadProgressed(qint64 received, qint64) override { lastReceived = received; }
        void downloadFinished(bool ok) override { events << (ok ? u"ok"_s : u"failed"_s); }
    } recorder;
    server.put(u"/syoku/syokuM2010.csv"_s, QByteArray(5000, 'x'));
    store::DownloadObserver* before = store::Download::setObserver(&recorder);
    store::Download::DownloadFile(QUrl(server.base() + u"/syoku/syokuM2010.csv"_s), target());
    EXPECT_EQ(recorder.lastReceived, 5000);
    store::Download::DownloadFile(QUrl(server.base() + u"/missing.csv"_s), target());
    EXPECT_EQ(store::Download::setObserver(before), &recorder);

    EXPECT_EQ(recorder.events, (QStringList{u"start /syoku/syokuM2010.csv "_s + target(), u"ok"_s,
                                            u"start /missing.csv "_s + target(), u"failed"_s}));
}
