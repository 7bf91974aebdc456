#pragma once
// The header checks a voucher must pass before it is saved.

namespace qvtrnsfr {

class TransferControl;

// Tries the rules in order (source location given, destination given, the two differ, the total
// is not 0); the first that fails shows its warning, moves the focus where the user must act and
// answers false. Changes nothing but the focus.
bool ValidateDocument(TransferControl &ctl);

} // namespace qvtrnsfr
