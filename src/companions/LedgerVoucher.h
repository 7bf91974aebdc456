#pragma once
// The general-ledger voucher of one ledger detail id: its GLTRH rows, read in LineNo order, and
// their layout as a printable document.

#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QTextDocument>
#include <memory>
#include <optional>

namespace companions {

struct LedgerVoucherLine {
    QString accountId;
    QString accountName;
    QString narration;
    double debit = 0;
    double credit = 0;
};

struct LedgerVoucher {
    QString voucherNo; // of the first row
    QDate voucherDate; // of the first row
    QList<LedgerVoucherLine> lines;
};

// The rows of DetID = detailId; empty when the query fails, a voucher without lines when there
// are no rows.
std::optional<LedgerVoucher> readLedgerVoucher(const QSqlDatabase &db, int detailId);

// The voucher laid out under a title: voucher number and date, a table of account id, account
// name, narration, debit and credit, then the totals of debit and credit.
std::unique_ptr<QTextDocument> ledgerVoucherDocument(const LedgerVoucher &voucher, const QString &title);

} // namespace companions
