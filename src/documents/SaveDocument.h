#pragma once
// Saving the voucher on the form: a new voucher in add mode, the recalled one in edit mode.

namespace qvtrnsfr {

class TransferControl;

// The click of cmdSave: saves, and after a save resets the form and puts the focus where the
// next voucher starts. cmdSave is enabled again whatever the outcome.
void cmdSave_Click(TransferControl &ctl);

// Writes the header and all lines on a connection of its own, in one transaction when the ledger
// settings ask for one. True when the voucher was written (and committed). A failure is shown
// with its description and undone as far as the transaction reaches; the form keeps what the
// user entered. In edit mode a voucher that is not found answers false without a message.
bool SaveDocument(TransferControl &ctl);

} // namespace qvtrnsfr
