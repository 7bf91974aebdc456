#pragma once
// What a save checks again, inside its own transaction and before it writes, of what the form
// checked while the user entered the voucher (the user may have gone around a field's check, or
// another user may have taken the stock meanwhile), and the locks that keep two savers of one
// source and item from deciding on the same stock at once.

#include "companions/Companions.h"
#include "platform/Db.h"
#include "voucher/LineRules.h"
#include "voucher/Refusal.h"
#include "voucher/Voucher.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <optional>

namespace qvtrnsfr {

// Both locations are found on the save's connection (in one statement) and allowed to the user,
// the source in its direction and the destination in its own; the same refusals as the fields'
// checks, the source's first, and the rights asked as the fields ask them.
std::optional<Refusal> recheckLocations(StatementCache &statements, const Voucher &voucher,
                                        companions::LocationRights *rights, const QString &user);

// Where stock may not go negative: every serial number (where tracked) and every item of the
// voucher is covered at the source by its balance as of the voucher's date, all of the voucher's
// lines of it together, in stock units. ownDocNo leaves the voucher's stored lines out of the
// balances (a recalled voucher replaces them). A balance that cannot be read counts as 0. The
// refusals are the line check's, naming the first line of the serial number or item.
std::optional<Refusal> recheckStock(const Voucher &voucher, const StockOptions &options,
                                    companions::InventoryService *inventory, std::optional<qint32> ownDocNo);

// The stock a save decides on and the stock rows it changes, locked until its transaction ends
// (or, without one, until the lock goes). On PostgreSQL: a transaction-scoped advisory lock per
// location and item of the voucher's lines (at the source and the destination) and of the stored
// voucher a rewrite replaces (at its source and stored destination), and per serial number at the
// source, all taken in one statement in the order of their keys. Two savers that would decide on
// the same stock, or change the same stock rows, so wait for each other before either holds a row
// the other needs, and never deadlock. On SQLite the save's transaction is a write transaction
// from its start, which serialises all savers.
class StockLock {
public:
    // The statements run on the save's connection, kept prepared there.
    StockLock(StatementCache &statements, bool inTransaction)
        : m_statements(statements), m_inTransaction(inTransaction)
    {
    }
    ~StockLock();
    StockLock(const StockLock &) = delete;
    StockLock &operator=(const StockLock &) = delete;

    bool lock(qint32 fromLocation, const Voucher &voucher, const StockOptions &options);
    QSqlError lastError() const { return m_error; }

private:
    StatementCache &m_statements;
    bool m_inTransaction;
    bool m_sessionLocks = false;
    QSqlError m_error;
};

} // namespace qvtrnsfr
