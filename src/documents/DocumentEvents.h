#pragma once
// Connects the form's voucher fields and buttons (document number, save, delete, print) to the
// routines that load, check, save, delete and print vouchers.

namespace qvtrnsfr {

class TransferControl;

void wireDocuments(TransferControl &ctl);

} // namespace qvtrnsfr
