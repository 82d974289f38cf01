#include "store/Session.h"

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
        throw StoreError(u"データベースを開けません: "_s + path + u'\n' + db.lastError().text());
    Sql::exec(db, u"PRAGMA journal_mode=WAL"_s);
    Sql::exec(db, u"PRAGMA synchronous=NORMAL"_s);
    return db;
}

void Session::openSettings(bool create)
{
    if (!create && !QFileInfo::exists(ahmPath()))
        throw StoreError(u"設定ファイルがありません: "_s + ahmPath());
    open(m_ahmName, ahmPath());
}

void Session::openData()
{
    if (!QFileInfo(dataDir()).isDir())
        throw StoreError(u"Data フォルダがありません: "_s + dataDir());
    open(m_aaaName, aaaPath());
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
