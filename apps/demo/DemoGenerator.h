#pragma once
// The writer behind generateDemoData: fills the host tables row by row inside the caller's
// transaction, each table through one statement prepared once and reused for all its rows.

#include "DemoCatalog.h"
#include "DemoData.h"

#include <QDate>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QVariantList>
#include <deque>
#include <memory>
#include <vector>

namespace demodata {

// One prepared "INSERT INTO table (columns) VALUES (?, ...)" executed once per row.
class TableWriter {
public:
    TableWriter(const QSqlDatabase &db, const QString &table, const QStringList &columns);
    bool isReady() const { return m_ready; }
    bool insert(const QVariantList &values);
    QString errorText() const;

private:
    QSqlQuery m_query;
    QString m_table;
    bool m_ready = false;
};

// A serial-numbered unit in stock at a location, not yet sent anywhere.
struct SerialUnit {
    int item;
    QString serialNo;
};

// A voucher line as the generator plans it before writing.
struct PlannedLine {
    int item;
    QString unit;
    double conver;
    double qty;
    QString serialNo;
    QString engineNo;
};

class DemoGenerator {
public:
    DemoGenerator(QSqlDatabase db, const DemoSize &size);
    bool run();
    QString error() const { return m_error; }
    // Finishes and frees the prepared statements. Called after a commit or a rollback: on
    // PostgreSQL a statement cannot be freed inside a transaction that failed.
    void release() { m_writers.clear(); }

private:
    // Reference data (DemoMasters.cpp).
    bool writeLocations();
    bool writeItems();
    bool writeAliases();
    bool writeUnits();
    bool writePrices();
    bool writeSetup();
    bool writeUsers();
    // Stock and requisitions (DemoStock.cpp).
    bool writeStockMoves();
    bool writeOpeningStock(TableWriter &moves);
    bool writeSerialUnits(TableWriter &moves);
    bool writeReceiptsAndIssues(TableWriter &moves);
    bool writeMove(TableWriter &moves, int item, const QString &serialNo, int location, const QDate &date,
                   double qty, const QVariant &unitCost, const QString &kind);
    bool writeRequisitions();
    // Vouchers and the ledger (DemoVouchers.cpp).
    bool writeVouchers();
    std::vector<PlannedLine> planVoucherLines(int voucher, int source, int destination);
    bool planPlainLine(int line, int source, PlannedLine *planned);
    bool writeLedger(int detailId, int docNo, const QDate &date, int destination,
                     const std::vector<PlannedLine> &lines);

    // A writer that lives until release().
    TableWriter &openWriter(const QString &table, const QStringList &columns);
    int pickPlainItem();
    int pickStockedItem(int location, double atLeast);
    QString serialNumber(int item, int unitNo) const;
    double &balance(int location, int item);
    bool fail(const QString &what);
    bool fail(const TableWriter &writer) { return fail(writer.errorText()); }

    QSqlDatabase m_db;
    DemoSize m_size;
    std::vector<std::unique_ptr<TableWriter>> m_writers;
    Random m_random;
    std::vector<DemoItem> m_items;
    std::vector<int> m_plainItems;            // items kept in bulk (not by serial number)
    std::vector<std::vector<double>> m_stock; // quantity on hand per location and item
    std::deque<SerialUnit> m_serialsAtMain;   // serial units at location 1, oldest first
    std::vector<int> m_nextSerial;            // next serial unit number per item
    int m_movesWritten = 0;
    QString m_error;
};

// The day the demo's books open; every generated date follows it.
QDate openingDate();

// True when the open database holds no items yet; otherwise false and *error (when given) says
// that `what` is written only into a database without items.
bool refuseUnlessWithoutItems(const QSqlDatabase &db, const QString &what, QString *error);

} // namespace demodata
