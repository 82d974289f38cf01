#pragma once

#include <QSqlDatabase>
#include <QString>

namespace store {

// One unit of work on a database: everything done between construction and
// commit() happens whole or not at all. Without commit() the destructor
// rolls back, also when an exception leaves the scope. Transactions nest
// (each is a savepoint), so a routine that needs one can be called from
// inside another.
class Transaction {
public:
    explicit Transaction(const QSqlDatabase& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    QSqlDatabase m_db;
    QString m_name;
    bool m_done = false;
};

} // namespace store
