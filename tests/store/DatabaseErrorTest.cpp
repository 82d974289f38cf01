#include "store/DatabaseError.h"
#include "store/Session.h"
#include "store/Sql.h"
#include "store/StoreError.h"
#include "store/Transaction.h"
#include "support/LockHolder.h"
#include "support/TempInstall.h"

#include <QFile>
#include <QSqlDatabase>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using store::Sql::exec;
using store::Sql::scalar;

namespace {

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class StoreErrors : public ::testing::Test {
protected:
    void SetUp() override
    {
        session = install.openSession();
        exec(session->aaa(), u"CREATE TABLE t (a INTEGER)"_s);
    }
    QString aaa() const { return session->aaaPath(); }
    TempInstall install;
    std::unique_ptr<store::Session> session;
};

} // namespace

TEST_F(StoreErrors, TransactionsNestAndTheOutermostDecides)
{
    const auto db = session->aaa();
    {
        store::Transaction outer(db);
        exec(db, u"INSERT INTO t VALUES (1)"_s);
        {
            store::Transaction kept(db);
            exec(db, u"INSERT INTO t VALUES (2)"_s);
            kept.commit();
        }
        {
            store::Transaction dropped(db);
            exec(db, u"INSERT INTO t VALUES (3)"_s);
        }
        EXPECT_EQ(store::Transaction::depth(db), 1);
        outer.commit();
    }
    EXPECT_EQ(store::Transaction::depth(db), 0);
    EXPECT_EQ(scalar(db, u"SELECT group_concat(a) FROM t"_s).toString(), u"1,2"_s);
    {
        store::Transaction outer(db);
        store::Transaction inner(db);
        exec(db, u"INSERT INTO t VALUES (4)"_s);
        inner.commit();
    } // the outer one rolls back what the inner one committed
    EXPECT_EQ(scalar(db, u"SELECT COUNT(*) FROM t"_s).toInt(), 2);
}

// A transaction that reads before it writes waits for another program's
// lock from its start, as the busy timeout (1500 ms) allows.
TEST_F(StoreErrors, ATransactionWaitsForALockHeldBriefly)
{
    const auto db = session->aaa();
    LockHolder holder(aaa(), 800);
    store::Transaction tx(db);
    const int before = scalar(db, u"SELECT COUNT(*) FROM t"_s).toInt();
    exec(db, u"INSERT INTO t VALUES (?)"_s, {before + 10});
    tx.commit();
    EXPECT_EQ(scalar(db, u"SELECT a FROM t"_s).toInt(), 10);
}

TEST_F(StoreErrors, ALockHeldTooLongIsReportedInJapaneseNamingTheFile)
{
    const auto db = session->aaa();
    LockHolder holder(aaa(), 2200); // beyond the 1500 ms busy timeout
    try {
        store::Transaction tx(db);
        ADD_FAILURE() << "the lock was taken while another program held it";
    } catch (const store::StoreError& e) {
        EXPECT_TRUE(e.message().contains(u"他のプログラムが使用中"_s)) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(u"AAA.sqlite"_s));
        EXPECT_FALSE(e.message().contains(u"BEGIN"_s)); // the statement is detail only
        EXPECT_TRUE(e.detail().contains(u"locked"_s)) << e.detail().toStdString();
        EXPECT_TRUE(e.detail().contains(u"BEGIN IMMEDIATE"_s));
    }
    EXPECT_EQ(store::Transaction::depth(db), 0);
}

TEST_F(StoreErrors, EngineFailuresSayWhatHappenedAndWhatToDo)
{
    const auto db = session->aaa();
    struct Case {
        const char* what;
        std::function<void()> run;
        QString says;
        QString detail;
    };
    const Case cases[] = {
        {"full disk",
         [&] {
             exec(db, u"PRAGMA max_page_count="_s +
                          QString::number(scalar(db, u"PRAGMA page_count"_s).toInt() + 2));
             store::Transaction tx(db);
             exec(db, u"CREATE TABLE big (b BLOB)"_s);
             for (int i = 0; i < 20; ++i)
                 exec(db, u"INSERT INTO big VALUES (zeroblob(4000))"_s);
             tx.commit();
         },
         u"ディスクに空きがないため"_s, u"full"_s},
        {"read-only",
         [&] {
             exec(db, u"PRAGMA query_only=1"_s);
             struct Restore {
                 QSqlDatabase db;
                 ~Restore() { exec(db, u"PRAGMA query_only=0"_s); }
             } restore{db};
             exec(db, u"INSERT INTO t VALUES (1)"_s);
         },
         u"に書き込めません"_s, u"readonly"_s},
        {"key twice",
         [&] {
             exec(db, u"CREATE TABLE k (a INTEGER PRIMARY KEY)"_s);
             exec(db, u"INSERT INTO k VALUES (1), (1)"_s);
         },
         u"同じコードのデータが既にある"_s, u"UNIQUE"_s},
    };
    for (const Case& c : cases) {
        try {
            c.run();
            ADD_FAILURE() << c.what << ": no error";
        } catch (const store::StoreError& e) {
            EXPECT_TRUE(e.message().contains(c.says))
                << c.what << ": " << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(u"AAA.sqlite"_s)) << c.what;
            EXPECT_TRUE(e.detail().contains(c.detail))
                << c.what << ": " << e.detail().toStdString();
        }
    }
    EXPECT_EQ(store::Transaction::depth(db), 0);
}

TEST(StoreErrorsOnOpen, AFileThatIsNoDatabaseIsNamedWithTheRemedy)
{
    TempInstall install;
    writeAll(install.file(u"Data/AAA.sqlite"_s), QByteArray(8192, 'x'));
    store::Session s(install.path());
    try {
        s.openData();
        ADD_FAILURE() << "opened";
    } catch (const store::StoreError& e) {
        EXPECT_EQ(
            e.message(),
            QDir::toNativeSeparators(s.aaaPath()) +
                u" はデータベースのファイルではないか、壊れています。バックアップコピーから元に戻してください。"_s);
        EXPECT_TRUE(e.detail().contains(u"not a database"_s)) << e.detail().toStdString();
    }
    EXPECT_FALSE(s.dataOpen());
}

// Only a new installation creates AAA.sqlite; an existing one whose file is
// gone or empty is refused, so that no empty tables hide the loss.
TEST(StoreErrorsOnOpen, AMissingOrEmptyDataFileIsRefusedUnlessCreated)
{
    for (bool emptyFile : {false, true}) {
        TempInstall install;
        if (emptyFile)
            writeAll(install.file(u"Data/AAA.sqlite"_s), QByteArray());
        store::Session s(install.path());
        try {
            s.openData();
            ADD_FAILURE() << "opened";
        } catch (const store::StoreError& e) {
            EXPECT_EQ(e.message(), store::Session::missingDataMessage(s.aaaPath()));
            EXPECT_TRUE(
                e.message().contains(u"バックアップコピーから Data フォルダを元に戻して"_s));
        }
        EXPECT_EQ(QFileInfo(s.aaaPath()).exists(), emptyFile);
        s.openData(true);
        EXPECT_TRUE(s.dataOpen());
    }
}
