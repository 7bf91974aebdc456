#pragma once
// Connects the location fields, their pick lists and the requisition buttons to their routines.

namespace qvtrnsfr {

class TransferControl;

void wireReferences(TransferControl &ctl);

} // namespace qvtrnsfr
