#pragma once

#include "store/Sql.h"

#include <QSqlDatabase>
#include <QString>
#include <chrono>
#include <future>
#include <thread>

// Another program's connection, in a thread of its own, that holds the write
// lock of a database file for a while and then commits: the constructor
// returns once the lock is held.
class LockHolder {
public:
    LockHolder(const QString& path, int holdMs)
    {
        std::promise<void> locked;
        std::future<void> isLocked = locked.get_future();
        m_thread = std::thread([path, holdMs, p = std::move(locked)]() mutable {
            const QString name = QStringLiteral("lock-holder-%1").arg(quintptr(&p));
            {
                QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
                db.setDatabaseName(path);
                db.open();
                store::Sql::exec(db, QStringLiteral("BEGIN IMMEDIATE"));
                p.set_value();
                std::this_thread::sleep_for(std::chrono::milliseconds(holdMs));
                store::Sql::exec(db, QStringLiteral("COMMIT"));
                db.close();
            }
            QSqlDatabase::removeDatabase(name);
        });
        isLocked.wait();
    }
    ~LockHolder() { m_thread.join(); }
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;

private:
    std::thread m_thread;
};
