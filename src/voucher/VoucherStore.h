#pragma once
// The transfer vouchers in the database: the next number of a source, recalling a voucher,
// saving it (a new one under the number current at that moment, a recalled one rewritten in
// place), deleting it. The host's connection is borrowed. Saves write on a connection of the
// store's own, opened by the first save and kept for the next ones (no transaction is held between
// saves); it closes with the store, or after a save that failed, to be opened anew. Errors are
// returned, never shown.

#include "companions/Companions.h"
#include "voucher/LineRules.h"
#include "voucher/Refusal.h"
#include "voucher/Voucher.h"

#include <QSqlDatabase>
#include <memory>
#include <optional>

namespace qvtrnsfr {

// A recalled voucher as the form shows it.
struct LoadedVoucher {
    qint32 docNo = 0;
    QDate date;         // invalid when none is stored
    QString toLocation; // a null is the empty text
    QString narration;  // a null is the empty text
    QString orderNo;    // a null is the empty text
    bool showPrices = false;
    QString requisition;            // a null is "0"
    qint32 ledgerLink = 0;          // the ledger detail of a voucher carried to the ledger; 0 for none
    qint64 version = 0;             // changed by every save of the voucher
    std::optional<LineArray> lines; // none when the voucher has no line with a known item
};

// What a save needs besides the voucher.
struct SaveContext {
    QString user;                // stamped on the header, and whose location rights count
    bool useTransaction = false; // the ledger setting: one transaction for the whole voucher
    StockOptions stock;
    companions::InventoryService *inventory = nullptr; // costs and stock balances
    companions::LocationRights *rights = nullptr;
};

struct SaveResult {
    enum Outcome { Saved, NotFound, Refused, Failed };
    Outcome outcome = Failed;
    qint32 docNo = 0;               // Saved: the number the header received
    std::optional<Refusal> refusal; // Refused: why
    QString failure;                // Failed: the description the user reads
};

struct DeleteResult {
    bool done = false; // false: the database refused a statement
    QString failure;
};

class ClonedConnection;
class Snapshot;

// What a user reads when the recalled voucher, whose current header `header` holds, was saved by
// someone else since: who and when, and that the save (or the delete) did not happen.
QString changedSinceRecalled(const Snapshot &header, bool saving);

class VoucherStore {
public:
    explicit VoucherStore(const QSqlDatabase &host);
    ~VoucherStore();
    VoucherStore(VoucherStore &&) noexcept;
    VoucherStore &operator=(VoucherStore &&) noexcept;

    // The number to propose for a source: its highest number plus 1, 1 for a source without
    // vouchers, 0 when the query cannot run.
    qint32 NextDocNo(double fromLocation) const;

    // The voucher whose number is the leading number of voucher.docNo and whose source is the
    // whole-number value of voucher.fromLocation; none when there is no such header (or the
    // source is no number). A value that cannot be read leaves its field as the form has it.
    std::optional<LoadedVoucher> LoadDocument(const Voucher &voucher) const;

    // Checks the header again, then, inside the save's transaction and before anything is
    // written, what the user could have gone around in the form: both locations exist and the
    // user may use each in its direction, and where stock may not go negative, the balance of
    // every item (and tracked serial number) at the source covers the whole voucher. Savers of
    // one source and item wait for each other there. Then writes the header (a recalled voucher
    // in place, its lines replaced; a new one under the next number, taking the one after when
    // another user took it meanwhile) and the lines with their costs. What the save reads on other
    // connections (the costs, the database's identity) it reads before its transaction begins, so
    // that no reader waits for its writing. With the transaction setting on, a failure or refusal
    // leaves the database as it was, and the lines are written a few hundred to a statement; with
    // it off, each line is written as it comes.
    SaveResult SaveDocument(const Voucher &voucher, const SaveContext &context);

    // Deletes the header of the voucher named by the leading numbers of voucher.docNo and
    // voucher.fromLocation, and its ledger rows when it has a ledger link, on the host's
    // connection without a transaction. A voucher not found deletes nothing and is no failure.
    DeleteResult DeleteDocument(const Voucher &voucher) const;

private:
    QSqlDatabase saveConnection();

    QSqlDatabase m_host;
    std::unique_ptr<ClonedConnection> m_save;
};

} // namespace qvtrnsfr
