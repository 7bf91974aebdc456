#pragma once
// The transfer voucher on paper: the voucher as the form shows it, saved or not, laid out for a
// print preview or a PDF file. Long vouchers break across pages, each page repeating the
// voucher's number and the column captions.

#include "voucher/LineArray.h"

#include <QString>
#include <QTextDocument>
#include <memory>

namespace qvtrnsfr {

struct TransferSlip {
    QString docNo;
    QString date; // as the user's locale writes it
    QString fromLocation, fromName;
    QString toLocation, toName;
    QString narration;
    QString orderNo;
    QString requisition;
    QString total;
    LineArray lines;
};

// Header, a table of the lines (unit, conversion, quantity, serial and engine numbers), the total
// quantity and lines to sign for "Issued by" and "Received by".
std::unique_ptr<QTextDocument> transferSlipDocument(const TransferSlip &slip);

} // namespace qvtrnsfr
