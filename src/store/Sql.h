#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

namespace store {

// Thin helpers over Qt SQL: every statement runs with bound parameters and
// throws StoreError when the engine refuses it, so callers never forget a
// check. Queries are forward-only: the system reads results once, in order.
namespace Sql {

QSqlQuery exec(const QSqlDatabase& db, const QString& sql, const QVariantList& args = {});
// The first column of the first row, or an invalid QVariant when no row.
QVariant scalar(const QSqlDatabase& db, const QString& sql, const QVariantList& args = {});
// A quoted identifier; for table and field names that come from the catalogue.
QString quoted(const QString& identifier);
bool tableExists(const QSqlDatabase& db, const QString& table);
void dropTable(const QSqlDatabase& db, const QString& table);
// Column names of a table in field order (empty when the table is missing).
QStringList fieldNames(const QSqlDatabase& db, const QString& table);
bool hasField(const QSqlDatabase& db, const QString& table, const QString& field);
// Escapes % and _ (and the escape character) so that typed text matches
// literally inside a LIKE pattern written with ESCAPE '\'.
QString escapeLike(const QString& text);

} // namespace Sql
} // namespace store
