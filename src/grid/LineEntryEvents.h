#pragma once
// Connects the line grid's notifications and the scan-mode switch to the line-entry routines.

namespace qvtrnsfr {

class TransferControl;

void wireLineEntry(TransferControl &ctl);

} // namespace qvtrnsfr
