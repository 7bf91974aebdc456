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

// The scale data: a warehouse's size, for the benchmarks. Twenty locations, location 1 the busy
// one that a fifth of the vouchers leave from; vouchers of LinesPerVoucher lines each.
struct ScaleSize {
    static constexpr int Locations = 20;
    static constexpr int LinesPerVoucher = 20;
    static constexpr int QuantityPerVoucher = 60; // the lines' quantities are 1 to 5, four times
    int items = 100000;
    int vouchers = 50000; // 1,000,000 lines
};

// Writes the scale data into a database that holds the host tables and nothing else, in one
// transaction, with set-based statements; then refreshes the planner's figures. The user
// "scale" may use every location both ways. On failure nothing is written and *error says why.
bool generateScaleData(QSqlDatabase db, const ScaleSize &size, QString *error);
// Adds the vouchers from number first + 1 on to scale data written for fewer vouchers, so that
// size.vouchers are there: a growing history measured at two sizes. Same terms.
bool addScaleVouchers(QSqlDatabase db, const ScaleSize &size, int first, QString *error);
