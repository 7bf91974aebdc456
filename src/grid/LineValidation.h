#pragma once
// The line check asked before a grid row is stored: required cells, the serial number's balance
// and the item's balance net of the voucher's other lines.

#include <QString>

namespace qvtrnsfr {

class TransferControl;

// True when the current grid row may be stored. A refusal shows its reason in a critical message
// box titled with the host window's caption; at most one message per check. Records the figure
// the line was compared against in AvailableBalance.
bool ValidateLine(TransferControl &ctl);

// What the stored lines other than the one at rowIndex take of the item, in base units: the sum
// of "Qty." x "Conversion" over the LineArray rows whose "Item Code" equals itemCode exactly. A
// row whose quantity or factor is not a number adds nothing.
double GetOtherLinesQty(TransferControl &ctl, const QString &itemCode, int rowIndex);

// The document kind of a transfer voucher for the inventory component.
constexpr int TransferDocumentKind = 5;

} // namespace qvtrnsfr
