#pragma once
// Building the line grid and keeping each user's column widths.

namespace qvtrnsfr {

class TransferControl;

// Builds the eight columns, restores the stored widths and resets the form.
void SetupGrid(TransferControl &ctl);
// Applies the stored widths: a missing, zero or non-numeric value gives 1000 twips.
void LoadColumnWidths(TransferControl &ctl);
// Stores the current widths as Col0 to Col7.
void SaveColumnWidths(TransferControl &ctl);

} // namespace qvtrnsfr
