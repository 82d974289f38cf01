#include "store/Transaction.h"

#include "store/Sql.h"

#include <atomic>

using namespace Qt::StringLiterals;

namespace store {

namespace {
std::atomic<int> g_counter{0};
}

Transaction::Transaction(const QSqlDatabase& db) : m_db(db), m_name(u"zv_tx_%1"_s.arg(++g_counter))
{
    Sql::exec(m_db, u"SAVEPOINT "_s + m_name);
}

Transaction::~Transaction()
{
    if (m_done)
        return;
    try {
        Sql::exec(m_db, u"ROLLBACK TO "_s + m_name);
        Sql::exec(m_db, u"RELEASE "_s + m_name);
    } catch (...) {
        // The connection is gone; the engine has rolled back already.
    }
}

void Transaction::commit()
{
    Sql::exec(m_db, u"RELEASE "_s + m_name);
    m_done = true;
}

} // namespace store
