#include "store/BackupCopy.h"
#include "store/Prompter.h"
#include "store/Sql.h"
#include "store/Transaction.h"
#include "support/TempInstall.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using store::BackupCopy;
using store::BackupMode;
using store::PathStyle;

namespace {

const QDateTime kAt(QDate(2024, 5, 1), QTime(9, 5));
const QString kStamp = u"2024年05月01日09時05分"_s;

struct DestinationCase {
    PathStyle style;
    QString base;
    BackupMode mode;
    QString destination;
    bool accepted;
};

} // namespace

TEST(BackupDestination, DateTimeFolderIsNamedAfterTheMinuteOnA24HourClock)
{
    EXPECT_EQ(BackupCopy::dateTimeFolder(kAt), kStamp);
    EXPECT_EQ(BackupCopy::dateTimeFolder(QDateTime(QDate(987, 12, 31), QTime(23, 59, 59))),
              u"0987年12月31日23時59分"_s);
    EXPECT_EQ(BackupCopy::defaultBase(PathStyle::Windows, u"/home/hanako"_s),
              u"C:\\栄養計算保存"_s);
    EXPECT_EQ(BackupCopy::defaultBase(PathStyle::Posix, u"/home/hanako"_s),
              u"/home/hanako/栄養計算保存"_s);
}

TEST(BackupDestination, ComputedFromBaseAndModeAndRefusedWhereUnusable)
{
    const auto W = PathStyle::Windows;
    const auto P = PathStyle::Posix;
    const auto D = BackupMode::Dated;
    const auto O = BackupMode::Overwrite;
    const QList<DestinationCase> cases = {
        // The default base of Windows.
        {W, u"C:\\栄養計算保存"_s, D, u"C:\\栄養計算保存\\"_s + kStamp, true},
        {W, u"C:\\栄養計算保存"_s, O, u"C:\\栄養計算保存"_s, true},
        {W, u"C:\\栄養計算保存\\"_s, O, u"C:\\栄養計算保存"_s, true},
        // A drive letter without its root.
        {W, u"D:"_s, O, u"D:"_s, false},
        {W, u"D:abc"_s, O, u"D:abc"_s, false},
        {W, u"D:abc"_s, D, u"D:abc\\"_s + kStamp, false},
        // In the dated mode the date-time folder gives "D:" its root.
        {W, u"D:"_s, D, u"D:\\"_s + kStamp, true},
        // The trailing "\" goes before the test.
        {W, u"D:\\"_s, O, u"D:"_s, false},
        {W, u"D:\\"_s, D, u"D:\\"_s + kStamp, true},
        // Too short, or empty (the root of the system drive is shown).
        {W, u""_s, D, u"C:\\"_s + kStamp, false},
        {W, u""_s, O, u"C:"_s, false},
        {W, u"E"_s, D, u"E\\"_s + kStamp, false},
        {W, u"\\\\nas\\backup"_s, O, u"\\\\nas\\backup"_s, true},
        {W, u"会計Backup"_s, D, u"会計Backup\\"_s + kStamp, true},
        // Elsewhere only "/" separates, and a drive letter is a folder name.
        {P, u"/home/hanako/栄養計算保存"_s, D, u"/home/hanako/栄養計算保存/"_s + kStamp, true},
        {P, u"/media/usb/"_s, O, u"/media/usb"_s, true},
        {P, u"/"_s, O, u""_s, false},
        {P, u"/"_s, D, u"/"_s + kStamp, false},
        {P, u""_s, D, u"/"_s + kStamp, false},
        {P, u"D:"_s, O, u"D:"_s, true},
        {P, u"bk\\"_s, O, u"bk\\"_s, true},
    };
    for (const DestinationCase& c : cases) {
        SCOPED_TRACE((c.base + (c.mode == D ? u" dated"_s : u" overwrite"_s)).toStdString());
        const QString destination = BackupCopy::destination(c.base, c.mode, kAt, c.style);
        EXPECT_EQ(destination, c.destination);
        EXPECT_EQ(BackupCopy::isAcceptable(c.base, destination, c.style), c.accepted);
    }
}

TEST(BackupDestination, FolderChosenInsideTheProgramFolderBecomesRelative)
{
    struct Case {
        PathStyle style;
        QString chosen;
        QString expected;
    };
    const QString w = u"C:\\栄養計算"_s;
    const QString p = u"/home/hanako/栄養計算"_s;
    const QList<Case> cases = {
        {PathStyle::Windows, u"C:\\栄養計算\\Backup\\月次"_s, u"Backup\\月次"_s},
        {PathStyle::Windows, u"C:\\栄養計算"_s, u""_s},
        // A sibling whose name begins like the program folder's stays whole.
        {PathStyle::Windows, u"C:\\栄養計算2\\Backup"_s, u"C:\\栄養計算2\\Backup"_s},
        {PathStyle::Windows, u"D:\\Backup"_s, u"D:\\Backup"_s},
        {PathStyle::Posix, u"/home/hanako/栄養計算/Backup"_s, u"Backup"_s},
        {PathStyle::Posix, u"/media/usb"_s, u"/media/usb"_s},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BackupCopy::relativeToProgramFolder(
                      c.chosen, c.style == PathStyle::Windows ? w : p, c.style),
                  c.expected)
            << c.chosen.toStdString();
}

namespace {

// An installation whose session is open, with rows still in the write-ahead
// logs only, and a write transaction that is never committed.
class LiveInstall : public ::testing::Test {
protected:
    void SetUp() override
    {
        session = install.openSession();
        const QSqlDatabase aaa = session->aaa();
        // No checkpoint when the last connection closes, so the log keeps them.
        store::Sql::exec(aaa, u"PRAGMA wal_autocheckpoint=0"_s);
        store::Sql::exec(aaa, u"CREATE TABLE SyokuM (Syoku_ID TEXT PRIMARY KEY, Name TEXT)"_s);
        store::Transaction tx(aaa);
        for (int i = 1; i <= 300; ++i)
            store::Sql::exec(aaa, u"INSERT INTO SyokuM VALUES (?, ?)"_s,
                             {u"%1"_s.arg(i, 5, 10, QChar(u'0')), u"食品%1"_s.arg(i)});
        tx.commit();
        store::Sql::exec(session->ahm(), u"CREATE TABLE HeadM (meisyou TEXT)"_s);
        store::Sql::exec(session->ahm(), u"INSERT INTO HeadM VALUES ('すみれ保育園')"_s);
        QFile(install.file(u"memo1.txt"_s)).open(QIODevice::WriteOnly);
    }

    int count(const QString& dir, const QString& table) const
    {
        store::Session s(dir);
        s.openSettings();
        s.openData();
        const QSqlDatabase db = table == u"HeadM"_s ? s.ahm() : s.aaa();
        EXPECT_EQ(store::Sql::scalar(db, u"PRAGMA integrity_check"_s).toString(), u"ok"_s);
        return store::Sql::scalar(db, u"SELECT COUNT(*) FROM "_s + table).toInt();
    }

    QString name() const { return QFileInfo(install.path()).fileName(); }

    TempInstall install;
    std::unique_ptr<store::Session> session;
    QTemporaryDir backups;
};

} // namespace

TEST_F(LiveInstall, BackupOfOpenDatabasesHoldsEveryCommittedRowAndOpensCleanly)
{
    // The committed rows are not in the database file yet.
    ASSERT_GT(QFileInfo(install.file(u"Data/AAA.sqlite-wal"_s)).size(), 0);
    auto pending = std::make_unique<store::Transaction>(session->aaa());
    store::Sql::exec(session->aaa(), u"INSERT INTO SyokuM VALUES ('99999', '未確定')"_s);

    const QString dest = backups.path() + u"/保存"_s;
    store::ScriptedPrompter prompter;
    ASSERT_TRUE(BackupCopy::run({install.path(), dest, dest}, prompter));
    EXPECT_EQ(prompter.shown(), QStringList{BackupCopy::doneMessage(dest)});
    pending.reset(); // rolled back

    const QString copy = dest + u'/' + name();
    // Only snapshots: no journal of the live files came along.
    for (const QString& f : {u"/Data/AAA.sqlite-wal"_s, u"/Data/AAA.sqlite-shm"_s,
                             u"/AHM.sqlite-wal"_s, u"/Data/AAA.sqlite.part"_s})
        EXPECT_FALSE(QFileInfo::exists(copy + f)) << f.toStdString();
    EXPECT_TRUE(QFileInfo::exists(copy + u"/memo1.txt"_s));
    session.reset();
    EXPECT_EQ(count(copy, u"SyokuM"_s), 300);
    EXPECT_EQ(count(copy, u"HeadM"_s), 1);
}

TEST_F(LiveInstall, ReplacingAnOlderBackupAsksOnceForAllAndDropsItsStaleLog)
{
    const QString dest = backups.path();
    store::ScriptedPrompter first;
    ASSERT_TRUE(BackupCopy::run({install.path(), dest, dest}, first));
    const QString copy = dest + u'/' + name();
    // A log left beside the old copy (a copy made by hand, say) would be
    // read into the new one.
    QFile stale(copy + u"/Data/AAA.sqlite-wal"_s);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(QByteArray(4096, 'x'));
    stale.close();
    store::Sql::exec(session->aaa(), u"DELETE FROM SyokuM WHERE Syoku_ID > '00100'"_s);

    // And one beside no copy at all.
    QFile orphan(copy + u"/AHM.sqlite-wal"_s);
    QFile::remove(copy + u"/AHM.sqlite"_s);
    ASSERT_TRUE(orphan.open(QIODevice::WriteOnly));
    orphan.write(QByteArray(4096, 'x'));
    orphan.close();

    store::ScriptedPrompter yesToAll({store::Answer::YesToAll});
    ASSERT_TRUE(BackupCopy::run({install.path(), dest, dest}, yesToAll));
    ASSERT_EQ(yesToAll.shown().size(), 2); // one question, then the message
    EXPECT_EQ(yesToAll.shown().at(0),
              store::FolderRoutines::replaceQuestion(copy + u"/Data/AAA.sqlite"_s));
    EXPECT_FALSE(QFileInfo::exists(copy + u"/Data/AAA.sqlite-wal"_s));
    EXPECT_FALSE(QFileInfo::exists(copy + u"/AHM.sqlite-wal"_s));
    session.reset();
    EXPECT_EQ(count(copy, u"SyokuM"_s), 100);
    EXPECT_EQ(count(copy, u"HeadM"_s), 1);
}

TEST_F(LiveInstall, RefusedOrStoppedBackupsSaySoAndAreNotCalledDone)
{
    struct Case {
        const char* what;
        QString base;
        QString destination;
        QString message;
    };
    const QString parent = QFileInfo(install.path()).absolutePath();
    const QList<Case> cases = {
        {"one character", u"x"_s, u"x"_s, BackupCopy::refusedMessage()},
        {"empty", u""_s, u""_s, BackupCopy::refusedMessage()},
        // Into the folder that holds the program folder: onto itself.
        {"same folder", parent, parent, BackupCopy::sameFolderMessage()},
        // A destination below a file cannot be created.
        {"not created", install.file(u"memo1.txt"_s) + u"/bk"_s,
         install.file(u"memo1.txt"_s) + u"/bk"_s, BackupCopy::notCreatedMessage()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        store::ScriptedPrompter prompter;
        EXPECT_FALSE(BackupCopy::run({install.path(), c.base, c.destination}, prompter));
        EXPECT_EQ(prompter.shown(), QStringList{c.message});
    }
    EXPECT_EQ(store::Sql::scalar(session->aaa(), u"SELECT COUNT(*) FROM SyokuM"_s).toInt(), 300);

    // Stopped from the progress window after the first file.
    store::ScriptedPrompter prompter;
    int done = 0;
    BackupCopy::Control control{[&](int d, int) { done = d; }, [&] { return done >= 1; }};
    const QString dest = backups.path();
    EXPECT_FALSE(BackupCopy::run({install.path(), dest, dest}, prompter, control));
    EXPECT_EQ(prompter.shown(), QStringList{BackupCopy::cancelledMessage()});
    EXPECT_EQ(done, 1);
}

TEST_F(LiveInstall, BackupsKeptInsideTheProgramFolderAreNotCopiedAgain)
{
    const QDateTime times[] = {kAt, kAt.addSecs(3600)};
    for (const QDateTime& at : times) {
        const QString destination =
            BackupCopy::destination(u"Backup"_s, BackupMode::Dated, at, PathStyle::Posix);
        store::ScriptedPrompter prompter;
        ASSERT_TRUE(BackupCopy::run({install.path(), u"Backup"_s, destination}, prompter))
            << prompter.shown().join(u'\n').toStdString();
    }
    const QString second = install.file(u"Backup/2024年05月01日10時05分/"_s) + name();
    EXPECT_TRUE(QFileInfo::exists(second + u"/Data/AAA.sqlite"_s));
    EXPECT_FALSE(QFileInfo::exists(second + u"/Backup"_s));
}
