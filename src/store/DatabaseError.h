#pragma once

#include "store/StoreError.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

namespace store {

// Turns what the database engine reports into a StoreError that tells the
// user, in Japanese, which file is affected and what to do (a full disk, a
// file another program holds, a file that is no database, a folder that
// cannot be written). The engine's text and the statement go into the
// detail only.
namespace DatabaseError {

enum class Kind { Locked, Full, NotADatabase, ReadOnly, CannotOpen, Io, Constraint, Other };

Kind classify(const QSqlError& error);
StoreError make(const QSqlError& error, const QString& databaseFile, const QString& statement);
StoreError make(const QSqlError& error, const QSqlDatabase& db, const QString& statement);

} // namespace DatabaseError
} // namespace store
