#pragma once
// The host tables the control works on and the tables of the companions, created from the DDL
// embedded in the library (schema/sqlite.sql, schema/postgresql.sql).

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace qvtrnsfr {

// Creates every table, index and view that is missing on an open SQLite (QSQLITE) or PostgreSQL
// (QPSQL) connection. Existing objects are left as they are, so applying it twice is harmless.
// Runs in one transaction where the driver allows; logs the failing statement and returns false
// on the first failure, and false for any other driver.
bool createHostSchema(QSqlDatabase db);

// The statements of a DDL text whose statements end with a line ending in ";;". Chunks that hold
// only comments and blanks are dropped.
QStringList splitSchemaStatements(const QString &ddl);

} // namespace qvtrnsfr
