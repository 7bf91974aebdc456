#pragma once
// Lines brought in from elsewhere: rows pasted from a spreadsheet (tab-separated) or read from a
// CSV file (comma or semicolon, quoted fields, UTF-8), each "item code, unit, quantity" and
// optionally "serial number, engine number". A first row of column captions is skipped. Each row
// is resolved, converted and checked as a typed line would be, the stock check counting the rows
// before it; either every row passes and all are added, or none is.

#include "companions/Companions.h"
#include "voucher/LineRules.h"
#include "voucher/Voucher.h"

#include <QByteArray>
#include <QList>
#include <QSqlDatabase>
#include <QStringList>

namespace qvtrnsfr {

struct ImportRow {
    int number = 0; // the row's number in the text, from 1, captions counted
    QStringList cells;
};

// Tab-separated rows of pasted text; empty lines are left out.
QList<ImportRow> parsePastedRows(const QString &text);
// CSV rows: the separator is the one of comma and semicolon that the first row holds more of;
// fields may be quoted ("" inside quotes is one quote, and a quoted field may hold line breaks).
QList<ImportRow> parseCsvRows(const QByteArray &utf8);

struct ImportResult {
    LineArray lines;      // the rows as lines, when every row passed
    QStringList refusals; // "Row n: reason" for every row that did not
};

// The rows as lines after the voucher's own, each checked as typed: its item found by its code,
// its unit one of the item's (empty: the stock unit), its price from priceList while prices are
// shown (else 0), and the line check of the form.
ImportResult resolveImportRows(const QSqlDatabase &db, const QList<ImportRow> &rows, const Voucher &voucher,
                               const StockOptions &options, companions::InventoryService *inventory,
                               const QString &priceList = QString());

} // namespace qvtrnsfr
