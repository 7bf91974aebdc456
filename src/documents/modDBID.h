#pragma once
// The database identity number that every saved voucher header carries.

#include <QSqlDatabase>

namespace qvtrnsfr {

// The DbID of the first row of GLSetup on the given connection; 0 when the table has no row, the
// value is null or cannot be read.
qint32 GetDbID(const QSqlDatabase &connection);

} // namespace qvtrnsfr
