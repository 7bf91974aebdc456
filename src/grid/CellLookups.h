#pragma once
// The pick lists behind the in-cell buttons of "Item Code" and "Unit", and the quantity keys.

namespace qvtrnsfr {

class TransferControl;

// The in-cell button of a column was pressed: "Item Code" lists the source location's stock,
// "Unit" the units defined for the row's item; a picked value goes into the cell and is resolved
// or converted as if typed. Afterwards the grid has the focus again, on the pressed column.
void CellButtonPressed(TransferControl &ctl, int column);

// A character typed into the grid: in "Qty." only backspace, "+", "-", "." and digits pass; any
// other character code becomes 0 (discarded). Other columns take every character.
void GridKeyPress(TransferControl &ctl, int &keyCode);

} // namespace qvtrnsfr
