#pragma once
// Reading the open lines of a requisition recorded for a voucher's destination: the requisition's
// date and narration, and one line for each of its lines that still has an open quantity
// (requested less already served).

#include "voucher/LineArray.h"

#include <QDate>
#include <QSqlDatabase>
#include <optional>

namespace qvtrnsfr {

// The statements, with the numbers written bare: the header joined to its open lines, and the
// open lines joined to their items.
QString requisitionHeaderSql(double requisitionNo, double toLocation);
QString requisitionLinesSql(qint32 requisitionNo, double toLocation);

struct RequisitionImport {
    enum Outcome { Imported, NoLines, NotFound, Failed };
    Outcome outcome = Failed;
    // What was read of the header before anything failed, in the order it is read: the form
    // takes these whatever happens after.
    std::optional<QDate> date;
    std::optional<QString> narration;
    LineArray lines; // Imported: item, description, unit, conversion, open quantity, serial number
    QString failure; // Failed: the description the user reads
};

// Reads the requisition under one trap: the first failure (a statement the database refuses, a
// null where a value is needed, a number beyond 32 bits) ends it. NotFound when the number has no
// requisition of the destination with an open line; NoLines when none of its open lines names a
// known item.
RequisitionImport readRequisition(const QSqlDatabase &db, double requisitionNo, double toLocation);

} // namespace qvtrnsfr
