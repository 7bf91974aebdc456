#pragma once
// The total quantity of the voucher and the requisition buttons that follow it.

namespace qvtrnsfr {

class TransferControl;

// Recomputes txtTotalQty as the plain sum of the stored lines' "Qty." cells, "#,##0.00".
void UpdateTotalQty(TransferControl &ctl);
// Reaction to every change of txtTotalQty: the requisition buttons are offered only while the
// total reads as 0.
void TotalQtyChanged(TransferControl &ctl);

} // namespace qvtrnsfr
