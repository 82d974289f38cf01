#include "store/Transaction.h"

#include "store/Sql.h"

#include <QHash>
#include <atomic>
#include <mutex>

using namespace Qt::StringLiterals;

namespace store {

namespace {

std::atomic<int> g_counter{0};

// Open transactions per connection. Connections are named uniquely by the
// session, and a connection is used by one thread at a time.
std::mutex g_depthMutex;
QHash<QString, int>& depths()
{
    static QHash<QString, int> map;
    return map;
}

int changeDepth(const QString& connection, int delta)
{
    std::lock_guard lock(g_depthMutex);
    int& d = depths()[connection];
    d += delta;
    const int now = d;
    if (now <= 0)
        depths().remove(connection);
    return now;
}

} // namespace

int Transaction::depth(const QSqlDatabase& db)
{
    std::lock_guard lock(g_depthMutex);
    return depths().value(db.connectionName(), 0);
}

Transaction::Transaction(const QSqlDatabase& db) : m_db(db)
{
    if (depth(m_db) == 0) {
        Sql::exec(m_db, u"BEGIN IMMEDIATE"_s);
    } else {
        m_name = u"zv_tx_%1"_s.arg(++g_counter);
        Sql::exec(m_db, u"SAVEPOINT "_s + m_name);
    }
    changeDepth(m_db.connectionName(), +1);
}

Transaction::~Transaction()
{
    if (m_done)
        return;
    try {
        if (m_name.isEmpty()) {
            Sql::exec(m_db, u"ROLLBACK"_s);
        } else {
            Sql::exec(m_db, u"ROLLBACK TO "_s + m_name);
            Sql::exec(m_db, u"RELEASE "_s + m_name);
        }
    } catch (...) {
        // The connection is gone, or the engine has rolled back already
        // (as it does after some errors, a full disk among them).
    }
    leave();
}

void Transaction::commit()
{
    Sql::exec(m_db, m_name.isEmpty() ? u"COMMIT"_s : u"RELEASE "_s + m_name);
    m_done = true;
    leave();
}

void Transaction::leave()
{
    changeDepth(m_db.connectionName(), -1);
}

} // namespace store
