#pragma once
// The steps of one save, shared by the routines that write the header and the lines.

#include "platform/Db.h"

#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

namespace qvtrnsfr {

class TransferControl;

// The code with which transfer vouchers are named to the inventory component.
constexpr int TransferDocumentKind = 5;

// One save in progress: the save connection, the voucher's key and the failure that ended it.
struct SaveRun {
    SaveRun(TransferControl &control, const QSqlDatabase &saveConnection) : ctl(control), db(saveConnection)
    {
    }

    TransferControl &ctl;
    QSqlDatabase db;            // the save connection
    bool inTransaction = false; // a transaction is open on db
    qint32 fromLocId = 0;
    qint32 docNo = 0; // the number of the header as stored
    QString failure;  // the description shown to the user

    bool fail(const QString &text);
    bool fail(const QSqlError &error) { return fail(errorText(error)); }
};

enum class HeaderOutcome { Written, NotFound, Failed };

// Edit mode: finds the voucher on the save connection, deletes its lines and rewrites the
// header in place (its DocNo, FromLocID and LinkDetID stay).
HeaderOutcome RewriteHeader(SaveRun &run);
// Add mode: inserts a new header with the number current at the moment of writing, taking the
// next number again when another user stored that one meanwhile.
bool AddHeader(SaveRun &run);
// Inserts every line of the line table with its cost.
bool WriteLines(SaveRun &run);

} // namespace qvtrnsfr
