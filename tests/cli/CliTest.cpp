#include "store/Sql.h"
#include "store/TableCatalogue.h"
#include "store/TableScripts.h"
#include "store/Transaction.h"
#include "support/LockHolder.h"
#include "support/TempInstall.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using store::Sql::exec;
using store::Sql::scalar;

namespace {

struct CtlResult {
    int status;
    QString err;
    QString out;
};

CtlResult zoravinctl(const QStringList& args, const QString& faultPoint = {})
{
    QProcess p;
    if (!faultPoint.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"ZORAVIN_FAULT_POINT"_s, faultPoint);
        p.setProcessEnvironment(env);
    }
    p.start(QStringLiteral(ZORAVINCTL_PATH), args);
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardError()),
            QString::fromUtf8(p.readAllStandardOutput())};
}

// Everything an installation holds, as text: the link, then every table
// of both databases with its definition and its rows in full order.
QString contents(const QString& dir)
{
    QString out = QFileInfo(dir + u"/VELK"_s).symLinkTarget() + u'\n';
    store::Session s(dir);
    s.openSettings();
    s.openData();
    for (const QSqlDatabase& db : {s.ahm(), s.aaa()}) {
        QStringList tables;
        {
            QSqlQuery q = exec(db, u"SELECT name, sql FROM sqlite_master ORDER BY name"_s);
            while (q.next()) {
                out += q.value(1).toString() + u'\n';
                if (q.value(1).toString().startsWith(u"CREATE TABLE"_s))
                    tables << q.value(0).toString();
            }
        }
        for (const QString& t : tables) {
            const int n = store::Sql::fieldNames(db, t).size();
            QStringList order;
            for (int i = 1; i <= n; ++i)
                order << QString::number(i);
            QSqlQuery q = exec(db, u"SELECT * FROM "_s + store::Sql::quoted(t) + u" ORDER BY "_s +
                                       order.join(u", "_s));
            while (q.next()) {
                QStringList row;
                for (int i = 0; i < n; ++i)
                    row << q.value(i).toString();
                out += t + u": "_s + row.join(u'|') + u'\n';
            }
        }
    }
    return out;
}

} // namespace

TEST(Cli, InitCreatesAnInstallationThatUpgradeAccepts)
{
    QTemporaryDir tmp;
    const QString dir = tmp.path() + u"/園"_s;
    ASSERT_EQ(zoravinctl({u"init"_s, dir}).status, 0);
    EXPECT_TRUE(QFileInfo(dir + u"/VELK"_s).isSymLink());
    {
        store::Session s(dir);
        s.openSettings();
        s.openData();
        EXPECT_TRUE(store::Sql::hasField(s.ahm(), u"HeadM"_s, u"PM20"_s));
        EXPECT_EQ(scalar(s.ahm(), u"SELECT COUNT(*) FROM HeadM"_s).toInt(), 0);
        for (const auto& t : store::TableCatalogue::mainTables())
            EXPECT_TRUE(store::Sql::tableExists(s.aaa(), t.name)) << t.name.toStdString();
    }
    EXPECT_EQ(zoravinctl({u"upgrade"_s, dir}).status, 0);
}

TEST(Cli, InitFillsANewInstallationOnceAndDemoAddsMenus)
{
    QTemporaryDir tmp;
    const auto rows = [](const QString& dir, const QString& sql) {
        store::Session s(dir);
        s.openSettings();
        s.openData();
        return scalar(sql.contains(u"HeadM"_s) ? s.ahm() : s.aaa(), sql).toString();
    };

    const QString plain = tmp.path() + u"/plain"_s;
    const CtlResult first = zoravinctl({u"init"_s, plain});
    ASSERT_EQ(first.status, 0) << first.err.toStdString();
    EXPECT_TRUE(first.out.contains(u"食品マスター … 2538 件"_s)) << first.out.toStdString();
    EXPECT_EQ(rows(plain, u"SELECT COUNT(*) FROM SyokuM"_s), u"2538"_s);
    EXPECT_EQ(rows(plain, u"SELECT COUNT(*) FROM kondateM"_s), u"0"_s);

    const CtlResult again = zoravinctl({u"init"_s, plain, u"--demo"_s});
    EXPECT_EQ(again.status, 1);
    EXPECT_TRUE(
        again.err.contains(u"既にデータが登録されているので、初期データは読み込みません。"_s))
        << again.err.toStdString();
    EXPECT_EQ(rows(plain, u"SELECT COUNT(*) FROM kondateM"_s), u"0"_s);

    const QString demo = tmp.path() + u"/demo"_s;
    const CtlResult withDemo = zoravinctl({u"init"_s, u"--demo"_s, demo});
    ASSERT_EQ(withDemo.status, 0) << withDemo.err.toStdString();
    EXPECT_GE(rows(demo, u"SELECT COUNT(*) FROM kondateM"_s).toInt(), 20);
    EXPECT_EQ(rows(demo, u"SELECT COUNT(*) FROM SyokuM"_s), u"2538"_s);
    EXPECT_EQ(rows(demo, u"SELECT meisyou FROM HeadM"_s), u"ひまわり保育園（デモ）"_s);

    EXPECT_EQ(zoravinctl({u"init"_s, u"--demo"_s}).status, 1);
}

TEST(Cli, RefusesFoldersThatAreNoInstallationWithTheSystemsMessages)
{
    QTemporaryDir tmp;
    const CtlResult none = zoravinctl({u"upgrade"_s, tmp.path()});
    EXPECT_NE(none.status, 0);
    EXPECT_TRUE(none.err.contains(u"実行できる環境ではありませんので、終了します。"_s))
        << none.err.toStdString();

    ASSERT_EQ(zoravinctl({u"init"_s, tmp.path()}).status, 0);
    QDir(tmp.path() + u"/Data"_s).removeRecursively();
    const CtlResult noData = zoravinctl({u"upgrade"_s, tmp.path()});
    EXPECT_NE(noData.status, 0);
    EXPECT_TRUE(noData.err.contains(
        u"「栄養計算」フォルダの中に「Data」フォルダがありませんので、終了します。"_s));

    // A folder holding other files is not made an installation.
    QDir(tmp.path()).mkpath(u"docs/Data"_s);
    QFile letter(tmp.path() + u"/docs/letter.txt"_s);
    ASSERT_TRUE(letter.open(QIODevice::WriteOnly));
    letter.close();
    const CtlResult foreign = zoravinctl({u"init"_s, tmp.path() + u"/docs"_s});
    EXPECT_EQ(foreign.status, 1);
    EXPECT_TRUE(foreign.err.contains(u"インストールフォルダ以外のファイルがある"_s))
        << foreign.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(tmp.path() + u"/docs/AHM.sqlite"_s));

    EXPECT_NE(zoravinctl({u"nosuchverb"_s}).status, 0);
    EXPECT_NE(zoravinctl({}).status, 0);
}

// An upgrade killed at any moment leaves each table as before its step or as
// after it; a later upgrade finishes the work with every row kept.
TEST(Cli, KilledUpgradeLeavesEveryTableBeforeOrAfterItsStep)
{
    TempInstall install;
    constexpr int kLines = 30000;
    {
        auto s = install.openSession();
        store::TableCatalogue::apply(s->ahm(), store::TableScripts::settingsTable());
        exec(s->ahm(), u"INSERT INTO HeadM (meisyou, 職印１) VALUES (?, ?)"_s,
             {u"さくら園"_s, u"園長"_s});
        QString old =
            u"CREATE TABLE kondateD (kondate_ID INTEGER, K1 INTEGER, K2 INTEGER, Ryori_ID TEXT(4), "
            u"SubNo INTEGER, Syoku_ID TEXT(10), SyokuMei TEXT(40), Suryo FLOAT"_s;
        const QStringList dropped = {
            u"Syokugun"_s, u"haiki"_s,     u"neturyo"_s,   u"tanpaku"_s,   u"shi"_s,  u"tou"_s,
            u"Ca"_s,       u"Fe"_s,        u"ViA"_s,       u"ViB1"_s,      u"ViB2"_s, u"ViC"_s,
            u"Nacl"_s,     u"Cyumonryo"_s, u"syokugun2"_s, u"syokugun3"_s, u"F0"_s,   u"F1"_s,
            u"F2"_s,       u"F3"_s,        u"F4"_s,        u"F5"_s,        u"F6"_s,   u"F7"_s,
            u"F8"_s,       u"F9"_s,        u"Seni"_s,      u"Na"_s};
        for (const QString& f : dropped)
            old += u", "_s + f + u" FLOAT"_s;
        exec(s->aaa(), old + u", PRIMARY KEY (kondate_ID, K1, K2, Ryori_ID, SubNo))"_s);
        exec(s->aaa(), u"CREATE TABLE kondateM2 (kondate_ID INTEGER, K1 INTEGER, K2 INTEGER, "
                       u"kondateMei TEXT(100), Ninzu INTEGER, PRIMARY KEY (kondate_ID, K1, K2))"_s);
        exec(s->aaa(),
             u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<?) "
             u"INSERT INTO kondateD (kondate_ID, K1, K2, Ryori_ID, SubNo, Syoku_ID, Suryo, Ca) "
             u"SELECT i, 0, 0, '0101', 1, '01088', i % 100, 1 FROM n"_s,
             {kLines});
        exec(s->aaa(),
             u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<?) "
             u"INSERT INTO kondateM2 SELECT i, 0, 0, 'x', 20 FROM n"_s,
             {kLines});
    }

    const auto checkConsistent = [&](int round) {
        auto s = install.openSession();
        const QStringList fields = store::Sql::fieldNames(s->aaa(), u"kondateD"_s);
        EXPECT_TRUE(fields.size() == 8 || fields.size() == 36) << round << ": " << fields.size();
        const QStringList m2 = store::Sql::fieldNames(s->aaa(), u"kondateM2"_s);
        EXPECT_EQ(m2.contains(u"Ninzu2"_s), m2.contains(u"Ninzu3"_s)) << round;
        EXPECT_EQ(m2.contains(u"kin1"_s), m2.contains(u"kin2"_s)) << round;
        EXPECT_EQ(scalar(s->aaa(), u"SELECT COUNT(*) FROM kondateD"_s).toInt(), kLines) << round;
        EXPECT_EQ(scalar(s->aaa(), u"SELECT SUM(Suryo) FROM kondateD"_s).toLongLong(),
                  scalar(s->aaa(),
                         u"SELECT SUM(i % 100) FROM (WITH RECURSIVE n(i) AS (SELECT 1 UNION "
                         u"ALL SELECT i+1 FROM n WHERE i<?) SELECT i FROM n)"_s,
                         {kLines})
                      .toLongLong())
            << round;
        EXPECT_EQ(scalar(s->ahm(), u"SELECT meisyou FROM HeadM"_s).toString(), u"さくら園"_s)
            << round;
    };

    int round = 0;
    for (int delayMs : {20, 60, 120, 250, 400, 600, 900, 1300}) {
        QProcess p;
        p.start(QStringLiteral(ZORAVINCTL_PATH), {u"upgrade"_s, install.path()});
        ASSERT_TRUE(p.waitForStarted());
        QThread::msleep(delayMs);
        p.kill();
        p.waitForFinished();
        checkConsistent(++round);
    }
    ASSERT_EQ(zoravinctl({u"upgrade"_s, install.path()}).status, 0);
    checkConsistent(99);
    auto s = install.openSession();
    EXPECT_EQ(store::Sql::fieldNames(s->aaa(), u"kondateD"_s).size(), 8);
    EXPECT_TRUE(store::Sql::hasField(s->aaa(), u"kondateM2"_s, u"kin1"_s));
    EXPECT_EQ(store::TableCatalogue::textSize(s->ahm(), u"HeadM"_s, u"職印１"_s), 10);
}

TEST(Cli, AnEmptyFolderArgumentIsRefused)
{
    QTemporaryDir tmp;
    QProcess p;
    p.setWorkingDirectory(tmp.path());
    for (const QString& verb : {u"init"_s, u"upgrade"_s}) {
        p.start(QStringLiteral(ZORAVINCTL_PATH), {verb, QString()});
        p.waitForFinished(60000);
        EXPECT_EQ(p.exitCode(), 1) << verb.toStdString();
        EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError())
                        .contains(u"フォルダが空の文字列で指定されています"_s))
            << verb.toStdString();
    }
    EXPECT_TRUE(QDir(tmp.path()).isEmpty()); // the current folder was left alone
}

// An installation whose data file is gone or emptied is refused: nothing is
// recreated empty in its place.
TEST(Cli, UpgradeAndInitRefuseALostOrEmptiedDataFile)
{
    QTemporaryDir tmp;
    ASSERT_EQ(zoravinctl({u"init"_s, tmp.path()}).status, 0);
    const QString aaa = tmp.path() + u"/Data/AAA.sqlite"_s;
    for (bool emptyFile : {true, false}) {
        QFile::remove(aaa);
        if (emptyFile) {
            QFile f(aaa);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
        const CtlResult r = zoravinctl({u"upgrade"_s, tmp.path()});
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(r.err.contains(u"がないか、空になっています"_s)) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(aaa)) << r.err.toStdString();
        EXPECT_EQ(QFileInfo::exists(aaa), emptyFile);
        EXPECT_EQ(QFileInfo(aaa).size(), 0);
    }
    // Nor does init fill a started installation's lost data file anew.
    {
        store::Session s(tmp.path());
        s.openSettings();
        exec(s.ahm(), u"INSERT INTO HeadM (meisyou) VALUES (?)"_s, {u"さくら園"_s});
    }
    const CtlResult again = zoravinctl({u"init"_s, tmp.path()});
    EXPECT_EQ(again.status, 1);
    EXPECT_TRUE(again.err.contains(u"がないか、空になっています"_s)) << again.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(aaa));
}

// Another program holding the write lock of Data/AAA.sqlite is waited for
// (busy timeout 1500 ms); a lock held longer is reported naming the file.
TEST(Cli, UpgradeWaitsForALockAndNamesTheFileWhenItStaysHeld)
{
    QTemporaryDir tmp;
    ASSERT_EQ(zoravinctl({u"init"_s, tmp.path()}).status, 0);
    const QString aaa = tmp.path() + u"/Data/AAA.sqlite"_s;
    const auto dropDayCost = [&]() {
        // The upgrade has to add these again: a transaction that reads the
        // fields and then changes the table.
        store::Session s(tmp.path());
        s.openData();
        exec(s.aaa(), u"ALTER TABLE kondateM2 DROP COLUMN kin1"_s);
        exec(s.aaa(), u"ALTER TABLE kondateM2 DROP COLUMN kin2"_s);
    };
    const auto hasDayCost = [&]() {
        store::Session s(tmp.path());
        s.openData();
        return store::Sql::hasField(s.aaa(), u"kondateM2"_s, u"kin1"_s);
    };

    dropDayCost();
    {
        LockHolder holder(aaa, 800);
        const CtlResult r = zoravinctl({u"upgrade"_s, tmp.path()});
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
    }
    EXPECT_TRUE(hasDayCost());

    dropDayCost();
    {
        LockHolder holder(aaa, 3000);
        const CtlResult r = zoravinctl({u"upgrade"_s, tmp.path()});
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(r.err.contains(u"他のプログラムが使用中のため、処理できませんでした。"_s))
            << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(aaa)) << r.err.toStdString();
    }
    EXPECT_FALSE(hasDayCost());
    EXPECT_EQ(zoravinctl({u"upgrade"_s, tmp.path()}).status, 0);
    EXPECT_TRUE(hasDayCost());
}

// init builds beside the target and renames the finished folder into place:
// stopped at any moment, it leaves no installation or a whole one, and the
// next run gives what an uninterrupted one gives.
TEST(Cli, InitStoppedAtAnyMomentAndRunAgainEqualsACleanInstallation)
{
    QTemporaryDir tmp;
    const QString clean = tmp.path() + u"/clean"_s;
    ASSERT_EQ(zoravinctl({u"init"_s, clean, u"--demo"_s}).status, 0);
    const QString expected = contents(clean);
    ASSERT_TRUE(expected.contains(u"ひまわり保育園（デモ）"_s));

    // Stopped right after Data/AAA.sqlite has committed the data and menus,
    // before AHM.sqlite has the settings row.
    const QString dir = tmp.path() + u"/園"_s;
    const QString building = tmp.path() + u"/.園.zoravin-build"_s;
    const CtlResult stopped = zoravinctl({u"init"_s, dir, u"--demo"_s}, u"init-data-committed"_s);
    EXPECT_EQ(stopped.status, 137);
    EXPECT_FALSE(QFileInfo::exists(dir)); // no installation
    {
        store::Session s(building);
        s.openSettings();
        s.openData();
        EXPECT_GE(scalar(s.aaa(), u"SELECT COUNT(*) FROM kondateM"_s).toInt(), 20);
        EXPECT_EQ(scalar(s.ahm(), u"SELECT COUNT(*) FROM HeadM"_s).toInt(), 0);
    }
    // An older version built in place and left exactly this: a run finishes it.
    const QString older = tmp.path() + u"/older"_s;
    ASSERT_TRUE(QDir().rename(building, older));
    const CtlResult finished = zoravinctl({u"init"_s, older, u"--demo"_s});
    EXPECT_EQ(finished.status, 0) << finished.err.toStdString();
    EXPECT_EQ(contents(older), expected);

    // Stopped between the two commits again, and after the whole build
    // before the rename; each time the next run starts over.
    for (const QString& point : {u"init-data-committed"_s, u"installation-built"_s}) {
        EXPECT_EQ(zoravinctl({u"init"_s, dir, u"--demo"_s}, point).status, 137);
        EXPECT_FALSE(QFileInfo::exists(dir));
        const CtlResult again = zoravinctl({u"init"_s, dir, u"--demo"_s});
        ASSERT_EQ(again.status, 0) << again.err.toStdString();
        EXPECT_EQ(contents(dir), expected);
        EXPECT_FALSE(QFileInfo::exists(building));
        QDir(dir).removeRecursively();
    }

    // Killed at moments spread over the run.
    for (int delayMs : {30, 150, 300, 500, 800}) {
        QProcess p;
        p.start(QStringLiteral(ZORAVINCTL_PATH), {u"init"_s, dir, u"--demo"_s});
        ASSERT_TRUE(p.waitForStarted());
        QThread::msleep(delayMs);
        p.kill();
        p.waitForFinished();
        if (QFileInfo::exists(dir))
            EXPECT_EQ(contents(dir), expected) << delayMs; // it had finished
        else
            EXPECT_EQ(zoravinctl({u"init"_s, dir, u"--demo"_s}).status, 0) << delayMs;
        EXPECT_EQ(contents(dir), expected) << delayMs;
        QDir(dir).removeRecursively();
    }
}

// The program keeps its databases open, with committed changes still in
// the write-ahead logs and perhaps a change under way: the backup holds
// every committed row, nothing uncommitted, and the copy starts.
TEST(Cli, BackupTakenWhileTheDatabasesAreOpenRestoresEveryMenu)
{
    QTemporaryDir tmp;
    const QString dir = tmp.path() + u"/園"_s;
    ASSERT_EQ(zoravinctl({u"init"_s, dir, u"--demo"_s}).status, 0);
    auto live = std::make_unique<store::Session>(dir);
    live->openSettings();
    live->openData();
    exec(live->aaa(), u"PRAGMA wal_autocheckpoint=0"_s);
    exec(live->ahm(), u"PRAGMA wal_autocheckpoint=0"_s);
    exec(live->aaa(), u"UPDATE kondateM2 SET kondateMei = kondateMei || '（改）'"_s);
    exec(live->ahm(), u"UPDATE HeadM SET meisyou = 'さくら保育園'"_s);
    ASSERT_GT(QFileInfo(dir + u"/Data/AAA.sqlite-wal"_s).size(), 0);
    const QString expected = contents(dir);
    auto pending = std::make_unique<store::Transaction>(live->aaa());
    exec(live->aaa(), u"DELETE FROM kondateM3"_s);

    const CtlResult r = zoravinctl({u"backup"_s, dir, tmp.path() + u"/保存"_s});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(u"データのバックアップは終わりました。"_s)) << r.out.toStdString();
    pending.reset();
    live.reset();

    const QString copy = tmp.path() + u"/保存/園"_s;
    EXPECT_FALSE(QFileInfo::exists(copy + u"/Data/AAA.sqlite-wal"_s));
    EXPECT_EQ(contents(copy), expected);
    EXPECT_GT(expected.count(u"（改）"_s), 100);
    // It starts: the start-up upgrade takes it as it is.
    const CtlResult started = zoravinctl({u"upgrade"_s, copy});
    EXPECT_EQ(started.status, 0) << started.err.toStdString();
    EXPECT_EQ(contents(copy), expected);
}

// Nobody is there to ask before a file is replaced: the flags answer, and
// without one the copy stops and says why.
TEST(Cli, BackupOverAnOlderOneFollowsTheFlagsOrStops)
{
    QTemporaryDir tmp;
    const QString dir = tmp.path() + u"/園"_s;
    ASSERT_EQ(zoravinctl({u"init"_s, dir, u"--demo"_s}).status, 0);
    const QString dest = tmp.path() + u"/保存"_s;
    const QString copy = dest + u"/園"_s;
    ASSERT_EQ(zoravinctl({u"backup"_s, dir, dest}).status, 0);
    const QString first = contents(dir);
    {
        store::Session s(dir);
        s.openData();
        exec(s.aaa(), u"DELETE FROM kondateM3"_s);
    }

    const CtlResult asked = zoravinctl({u"backup"_s, dir, dest});
    EXPECT_EQ(asked.status, 1);
    EXPECT_TRUE(asked.err.contains(u"既にあります。置き換えてもよいですか？"_s))
        << asked.err.toStdString();
    EXPECT_TRUE(asked.err.contains(u"--replace か --keep"_s)) << asked.err.toStdString();
    EXPECT_EQ(contents(copy), first);

    EXPECT_EQ(zoravinctl({u"backup"_s, dir, dest, u"--keep"_s}).status, 0);
    EXPECT_EQ(contents(copy), first);
    EXPECT_EQ(zoravinctl({u"backup"_s, dir, dest, u"--replace"_s}).status, 0);
    EXPECT_EQ(contents(copy), contents(dir));

    const CtlResult dated = zoravinctl({u"backup"_s, dir, dest, u"--dated"_s});
    EXPECT_EQ(dated.status, 0) << dated.err.toStdString();
    const QStringList folders =
        QDir(dest).entryList({u"????年??月??日??時??分"_s}, QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_EQ(folders.size(), 1);
    EXPECT_EQ(contents(dest + u'/' + folders.first() + u"/園"_s), contents(dir));

    EXPECT_EQ(zoravinctl({u"backup"_s, dir, dest, u"--keep"_s, u"--replace"_s}).status, 1);
    EXPECT_EQ(zoravinctl({u"backup"_s, tmp.path(), dest}).status, 1); // no installation
}

// The data check without its question: the orphan slot goes, the slot whose
// dish is gone keeps it with an empty name, and the summary says so.
TEST(Cli, CheckRemovesOrphansAndPrintsItsSummary)
{
    TempInstall install;
    {
        auto s = install.openSession();
        store::TableCatalogue::apply(s->ahm(), store::TableScripts::settingsTable());
        store::TableCatalogue::apply(s->aaa(), store::TableScripts::mainTables());
        for (const QString& sql :
             {u"INSERT INTO RyoriM (Ryori_ID, Ryoriemei) VALUES ('0101', 'ごはん')"_s,
              u"INSERT INTO kondateM (Kondate_ID, kijitu) VALUES (1, '2024-04-01')"_s,
              u"INSERT INTO kondateM2 (kondate_ID, K1, K2) VALUES (1, 0, 0), (7, 0, 0)"_s,
              u"INSERT INTO kondateM3 (kondate_ID, K1, K2, Ryori_ID) VALUES (1, 0, 0, '0101'), "
              u"(1, 0, 0, '0150')"_s})
            exec(s->aaa(), sql);
    }
    const CtlResult r = zoravinctl({u"check"_s, install.path()});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith(u"テーブルの修復\n  AveM\t正常\n"_s)) << r.out.toStdString();
    for (const QString& line :
         {u"  kondateQ\tまだ作成されていません\n"_s,
          u"  1 件\tDelete From kondateM2 where kondate_ID Not In (Select kondate_ID From "
          u"kondateM)\n"_s,
          u"  実行できませんでした（無視）\tDelete From kondateQ"_s,
          u"献立名の再構築\t1 件（変更 1 件）\n作業は完了しました。\n"_s})
        EXPECT_TRUE(r.out.contains(line)) << line.toStdString() << "\n" << r.out.toStdString();
    {
        auto s = install.openSession();
        EXPECT_EQ(scalar(s->aaa(), u"SELECT group_concat(kondateMei) FROM kondateM2"_s).toString(),
                  u"ごはん,,"_s);
    }

    QTemporaryDir empty;
    const CtlResult none = zoravinctl({u"check"_s, empty.path()});
    EXPECT_EQ(none.status, 1);
    EXPECT_TRUE(none.err.contains(u"実行できる環境ではありませんので、終了します。"_s));
}
