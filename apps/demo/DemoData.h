#pragma once
// The demo database: a deterministic set of locations, items, stock, requisitions, transfer
// vouchers, ledger rows and users that exercises every part of the transfer form. Used by the
// demo host, the benchmarks and the tests.

#include <QSqlDatabase>
#include <QString>

// How many rows of the growing tables to write. Locations, price lists, the ledger setup and
// the users are always the same.
struct DemoSize {
    int items = 40;       // ICItem rows; aliases, units and prices follow from them
    int vouchers = 12;    // ICTRANH rows, two to five lines each
    int movements = 400;  // StockMove rows: opening stock, receipts and issues
    int requisitions = 4; // ReqH rows, three to six lines each
};

// Writes the demo data into a database that holds the host tables but no items yet, in one
// transaction. Refuses a database that already has items. On failure nothing is written and
// *error (when given) says why.
bool generateDemoData(QSqlDatabase db, const DemoSize &size, QString *error);
