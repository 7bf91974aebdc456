#pragma once
// The host tables the control works on and the tables of the companions, created from the DDL
// embedded in the library (schema/sqlite.sql, schema/postgresql.sql).

#include <qvtrnsfr/qvtrnsfr_export.h>

#include <QSqlDatabase>

namespace qvtrnsfr {

// Creates every table, index and view that is missing on an open SQLite (QSQLITE) or PostgreSQL
// (QPSQL) connection. Existing objects are left as they are, so applying it twice is harmless.
// Runs in one transaction where the driver allows; logs the failing statement and returns false
// on the first failure, and false for any other driver.
QVTRNSFR_EXPORT bool createHostSchema(QSqlDatabase db);

} // namespace qvtrnsfr
