#pragma once
// The statements on the voucher tables, each as the store sends it: numbers written bare into the
// text (in their shortest form, or as whole numbers where the voucher's key is one), every text
// value bound. The save's writing statements bind every value, their keys too, so that they stay
// prepared from one save to the next. Tests and tools build the same texts through these functions.

#include <QString>
#include <optional>

namespace qvtrnsfr::VoucherSql {

inline const QString HeaderTable = QStringLiteral("ICTRANH");
// The header's version: every save of the voucher adds 1.
inline const QString VersionColumn = QStringLiteral("RowVersion");
inline const QString LineTable = QStringLiteral("ICTRAND");

// The condition on one voucher's key, " Where DocNo=<number><and>FromLocID=<source>": every
// statement on one voucher names both. Deleting writes its "and" in lower case.
QString keyCondition(const QString &docNo, const QString &fromLocation, const QString &conjunction = " And ");

QString nextNumber(double fromLocation);           // the highest number of a source, as MaxID
QString header(double docNo, qint32 fromLocation); // one header: recalling, and finding it to save
QString lines(qint32 docNo, qint32 fromLocation);  // its lines with their items' descriptions
QString deleteLines(qint32 docNo, qint32 fromLocation);
QString
updateHeader(); // the columns saving sets, then DocNo, FromLocID and the version expected, bound in order
// The key, then those columns; a key already there inserts nothing (no row affected) instead of
// failing, so that a transaction stays usable when another user took the number first.
QString insertHeader();
QString insertLines(int rows); // that many lines, 11 values each
QString headerToDelete(double docNo, double fromLocation);
QString deleteLedger(qint32 ledgerDetailId);
// With a version, only the header still of that version goes.
QString deleteHeader(double docNo, double fromLocation, std::optional<qint64> version = std::nullopt);

} // namespace qvtrnsfr::VoucherSql
