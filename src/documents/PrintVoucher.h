#pragma once
// Printing the ledger voucher of a transfer carried to the general ledger.

namespace qvtrnsfr {

class TransferControl;

// Hands the loaded voucher's ledger link and the host window's caption to a fresh ledger
// component, which prints the voucher. Steps that fail are skipped; no message of its own.
void cmdPrintGLVoucher_Click(TransferControl &ctl);

} // namespace qvtrnsfr
