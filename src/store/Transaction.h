#pragma once

#include <QSqlDatabase>
#include <QString>

namespace store {

// One unit of work on a database: everything done between construction and
// commit() happens whole or not at all. Without commit() the destructor
// rolls back, also when an exception leaves the scope.
//
// The outermost transaction of a connection takes the write lock when it
// starts (BEGIN IMMEDIATE), so that a lock another program holds is waited
// for (the busy timeout) instead of failing at the first write after a
// read. Inner transactions are savepoints inside it, so a routine that needs
// one can be called from inside another.
class Transaction {
public:
    explicit Transaction(const QSqlDatabase& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

    // How many transactions are open on the connection (0: none).
    static int depth(const QSqlDatabase& db);

private:
    void leave();

    QSqlDatabase m_db;
    QString m_name; // the savepoint of an inner transaction; empty for the outermost
    bool m_done = false;
};

} // namespace store
