#pragma once
// Item resolution: the code in the current row's "Item Code" cell becomes an item, typed through
// the mask in keyboard mode or scanned as free text (aliases first, dashes ignored) in scanning
// mode.

#include <QString>

namespace qvtrnsfr {

class TransferControl;

// The look-ups of ResolveItem, each with the code as its one bound value. Keyboard mode matches
// the code exactly; scanning mode compares codes with their dashes removed, written exactly as
// the schema's expression indexes are, so that each look-up is an index seek.
extern const QString ItemByCodeSql;
extern const QString AliasByUndashedCodeSql;
extern const QString ItemByUndashedCodeSql;

// Fills "Description", "Unit", "Conversion" and, with prices on, "Sale Price" of the current row
// from the item whose code is in "Item Code"; remembers the item's stock unit in LastStockUnit.
// In scanning mode it also writes the stored code back, puts 1 into an empty "Qty." and moves on
// to the next row as if Down were pressed. A code that matches no item only empties "Description".
void ResolveItem(TransferControl &ctl);

// Reaction to the scan-mode box: scanning mode edits "Item Code" as free text, keyboard mode
// through the mask "##-##-##-####". Codes already in the grid are not changed.
void ScanModeChanged(TransferControl &ctl);

} // namespace qvtrnsfr
