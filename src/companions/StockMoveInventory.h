#pragma once
// InventoryService on the host's stock movements (StockMove) and its saved transfers
// (ICTRANH/ICTRAND). Quantities are in base units: StockMove.Qty as it stands, a transfer line
// as Qty * Conver (Conver 1 when null).
//
// StockBalance(code, location, "dd/MM/yyyy", kind, docNo, bySerial): the movements of the item
// (ItemID = code), or of the serial number (SrNo = code) when bySerial, at the location up to
// and including the date, less the lines of saved transfers out of the location, plus the lines
// of saved transfers into it (ICTRANH.ToLocID), each transfer counted by its DocDate. With kind 5
// (a transfer voucher) the transfer (docNo, location) itself is left out, so that a voucher
// being edited is not counted against itself. One statement; empty when the date text is not a
// date or the query fails.
//
// ItemCost(date, item, location, kind, docNo): the weighted average UnitCost of the receipts of
// the item at the location up to the date (StockMove rows with Qty > 0 and a UnitCost). When
// there is none, the item's standard cost ICItem.StdCost; when that is null or the item is
// unknown, 0. Kind and document number do not change the cost. One statement; empty when the
// date is invalid or the query fails.
//
// StockBalances and ItemCosts answer the same for many codes with one statement, the codes bound
// as one array. Statements stay prepared on the connection between calls. Balances and costs as
// of a day after everything counted in them read one row of the tables the schema keeps
// (ICStock, ICCost), so that they do not grow with the history.
//
// The profile number is kept but does not change balances or costs.

#include "companions/Companions.h"
#include "platform/Db.h"

namespace companions {

class StockMoveInventory : public InventoryService {
public:
    void SetConnection(const QSqlDatabase &db) override
    {
        m_db = db;
        m_statements.setDatabase(db);
    }
    void SetProfileNumber(int profile) override { m_profile = profile; }
    std::optional<double> StockBalance(const QString &code, int locationId, const QString &date,
                                       int documentKind, int documentNo, bool bySerial) override;
    std::optional<double> ItemCost(const QDate &date, const QString &itemCode, int locationId,
                                   int documentKind, int documentNo) override;
    QHash<QString, double> StockBalances(const QStringList &codes, int locationId, const QString &date,
                                         int documentKind, int documentNo, bool bySerial) override;
    QHash<QString, double> ItemCosts(const QDate &date, const QStringList &itemCodes, int locationId,
                                     int documentKind, int documentNo) override;

    int profileNumber() const { return m_profile; }

    // The statements with their bound values in order, for callers that explain or test them.
    struct Statement {
        QString sql;
        QVariantList binds;
    };
    static Statement balanceStatement(const QString &code, int locationId, const QDate &date,
                                      bool excludeDocument, int documentNo, bool bySerial);
    static Statement costStatement(const QString &itemCode, int locationId, const QDate &date);
    // The same for many codes: one row of code and figure for each, in PostgreSQL's or SQLite's
    // words for a list of values.
    static Statement balancesStatement(const QStringList &codes, int locationId, const QDate &date,
                                       bool excludeDocument, int documentNo, bool bySerial, bool postgres);
    static Statement costsStatement(const QStringList &itemCodes, int locationId, const QDate &date,
                                    bool postgres);

private:
    std::optional<double> runScalar(const Statement &statement) const;
    bool runPairs(const Statement &statement, QHash<QString, double> &answers) const;

    QSqlDatabase m_db;
    mutable qvtrnsfr::StatementCache m_statements;
    int m_profile = 0;
};

} // namespace companions
