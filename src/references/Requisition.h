#pragma once
// Filling a voucher from the open lines of a requisition of the destination location.

namespace qvtrnsfr {

class TransferControl;

// Pick list of requisitions of the destination location; the chosen number goes into txtReqNo.
void cmdFindPo_Click(TransferControl &ctl);
// Takes the date, narration and open lines of the requisition numbered in txtReqNo.
void cmdRef_Click(TransferControl &ctl);

} // namespace qvtrnsfr
