#pragma once
// Recalling a saved voucher in edit mode: the check of the document number field, the loading
// of the voucher and the pick list of saved vouchers.

namespace qvtrnsfr {

class TransferControl;

// Reads the voucher whose number is in txtDocNo and whose source location is in txtFromLocID
// into the form and the line grid. False when there is no such header (the form is left as the
// preceding reset made it). Steps that fail are skipped.
bool LoadDocument(TransferControl &ctl);

// The check run when the focus leaves txtDocNo in edit mode: a number other than 0 resets the
// form and loads the voucher; false (keep the focus) after "Document not found.".
bool txtDocNo_Validate(TransferControl &ctl);

// The pick list of saved vouchers; the picked number goes into txtDocNo and the focus follows.
void cmdFindDoc_Click(TransferControl &ctl);

} // namespace qvtrnsfr
