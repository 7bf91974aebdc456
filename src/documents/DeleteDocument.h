#pragma once
// Deleting the recalled voucher.

namespace qvtrnsfr {

class TransferControl;

// Asks for confirmation; on Yes in edit mode deletes the voucher's ledger rows (when it is linked
// to the ledger) and its header on the host's connection. Whatever the answer, the form is reset,
// the focus goes to txtDocNo and cmdDelete is disabled. A failure is shown titled "Delete Error"
// and leaves the form as it was.
void cmdDelete_Click(TransferControl &ctl);

} // namespace qvtrnsfr
