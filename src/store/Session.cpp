#include "store/Session.h"

#include "store/DatabaseError.h"
#include "store/Sql.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <atomic>

using namespace Qt::StringLiterals;

namespace store {

namespace {
std::atomic<int> g_sessions{0};
}

Session::Session(const QString& workDir) : m_workDir(QDir::cleanPath(workDir))
{
    const int n = ++g_sessions;
    m_ahmName = u"AHM#%1"_s.arg(n);
    m_aaaName = u"AAA#%1"_s.arg(n);
    QDir().mkpath(privateFolder());
}

Session::~Session()
{
    for (const QString& name : {m_ahmName, m_aaaName}) {
        if (!QSqlDatabase::contains(name))
            continue;
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
    }
}

QString Session::privateFolder()
{
    return QDir::tempPath() + u"/$$/velk/"_s;
}

QString Session::dataDir() const
{
    return m_workDir + u'/' + dataFolderName() + u'/';
}

QString Session::ahmPath() const
{
    return m_workDir + u'/' + ahmFileName();
}

QString Session::aaaPath() const
{
    return dataDir() + aaaFileName();
}

QSqlDatabase Session::open(const QString& connection, const QString& path)
{
    QSqlDatabase db = QSqlDatabase::contains(connection)
                          ? QSqlDatabase::database(connection, false)
                          : QSqlDatabase::addDatabase(u"QSQLITE"_s, connection);
    if (db.isOpen())
        return db;
    db.setDatabaseName(path);
    // Another program holding the file is waited for, as the old engine
    // retried a lock 15 times 100 ms apart.
    db.setConnectOptions(u"QSQLITE_BUSY_TIMEOUT=1500"_s);
    if (!db.open())
        throw DatabaseError::make(db.lastError(), path, QString());
    try {
        Sql::exec(db, u"PRAGMA journal_mode=WAL"_s);
        Sql::exec(db, u"PRAGMA synchronous=NORMAL"_s);
    } catch (...) {
        // A file that is no database is found here; leave no half-open
        // connection behind for the next attempt.
        db.close();
        throw;
    }
    return db;
}

void Session::openSettings(bool create)
{
    if (!create && !QFileInfo::exists(ahmPath()))
        throw StoreError(u"設定ファイルがありません: "_s + ahmPath());
    open(m_ahmName, ahmPath());
}

void Session::openData(bool create)
{
    if (!QFileInfo(dataDir()).isDir())
        throw StoreError(u"Data フォルダがありません: "_s + QDir::toNativeSeparators(dataDir()));
    if (!create && !dataOpen()) {
        // A database whose changes are still all in its write-ahead log has
        // an empty main file until the log is checkpointed.
        const QFileInfo file(aaaPath());
        const QFileInfo log(aaaPath() + u"-wal"_s);
        if (!file.exists() || (file.size() == 0 && (!log.exists() || log.size() == 0)))
            throw StoreError(missingDataMessage(aaaPath()));
    }
    open(m_aaaName, aaaPath());
}

QString Session::missingDataMessage(const QString& aaaPath)
{
    return u"データのファイル %1 がないか、空になっています。このままではデータを読めないので、"
           u"バックアップコピーから Data フォルダを元に戻してください。"_s.arg(
               QDir::toNativeSeparators(aaaPath));
}

bool Session::settingsOpen() const
{
    return QSqlDatabase::contains(m_ahmName) && QSqlDatabase::database(m_ahmName, false).isOpen();
}

bool Session::dataOpen() const
{
    return QSqlDatabase::contains(m_aaaName) && QSqlDatabase::database(m_aaaName, false).isOpen();
}

QSqlDatabase Session::ahm() const
{
    if (!settingsOpen())
        throw StoreError(u"設定データベースが開かれていません。"_s);
    return QSqlDatabase::database(m_ahmName, false);
}

QSqlDatabase Session::aaa() const
{
    if (!dataOpen())
        throw StoreError(u"データベースが開かれていません。"_s);
    return QSqlDatabase::database(m_aaaName, false);
}

void Session::checkpoint()
{
    if (settingsOpen())
        Sql::exec(ahm(), u"PRAGMA wal_checkpoint(TRUNCATE)"_s);
    if (dataOpen())
        Sql::exec(aaa(), u"PRAGMA wal_checkpoint(TRUNCATE)"_s);
}

} // namespace store
