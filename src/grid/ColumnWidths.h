#pragma once
// Each user's widths of the grid's columns, kept by the settings component under
// SOFTWARE\Quorvane\Settings\ICTRNCols as Col0 to Col7, in twips.

namespace companions {
class Factory;
}

namespace qvtrnsfr {

class LineGrid;

// Applies the stored widths: a missing, zero or non-numeric value gives 1000 twips; a settings
// component that cannot be made leaves the widths as they are.
void LoadColumnWidths(LineGrid &grid, companions::Factory &factory);
// Stores the current widths of all eight columns, hidden ones too.
void SaveColumnWidths(const LineGrid &grid, companions::Factory &factory);

} // namespace qvtrnsfr
