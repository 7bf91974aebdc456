#pragma once
// Units of a line: the factor from the line's unit to the item's stock unit.

#include <QString>

namespace qvtrnsfr {

class TransferControl;

// The unit of an item, with the item code and the unit as its bound values.
extern const QString UnitOfItemSql;

// Writes the factor of the current row's unit into "Conversion". A unit not defined for the item
// falls back to LastStockUnit (the stock unit of the item resolved last) with factor 1. An empty
// unit changes nothing.
void GetConversion(TransferControl &ctl);

} // namespace qvtrnsfr
