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

// The stock a save decides on, locked until its transaction ends (or, without one, until the
// lock goes): on PostgreSQL a transaction-scoped advisory lock per source and item or serial
// number, taken in one statement in the order of their keys, so that two savers wait for each
// other and never deadlock; on SQLite the save's transaction is a write transaction from its
// start, which serialises all savers.
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

    // The key of an item code or serial number within its source: a hash of the text that is the
    // same in every process.
    static qint32 key(const QString &kind, const QString &code);

private:
    StatementCache &m_statements;
    bool m_inTransaction;
    bool m_sessionLocks = false;
    QSqlError m_error;
};

} // namespace qvtrnsfr
