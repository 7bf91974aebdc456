#pragma once
// The source and destination locations of a voucher: their checks when the user leaves the field
// and their pick lists.

namespace qvtrnsfr {

class TransferControl;

// Checks of txtFromLocID and txtToLocID on leaving: true when the field may be left.
bool txtFromLocID_Validate(TransferControl &ctl);
bool txtToLocID_Validate(TransferControl &ctl);

// Pick lists of source and destination locations.
void cmdFindCC_Click(TransferControl &ctl);
void cmdFindLoc_Click(TransferControl &ctl);

} // namespace qvtrnsfr
