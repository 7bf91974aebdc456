#pragma once
// The check a line must pass before it is stored among the voucher's lines, and what the other
// lines of the voucher already take of an item.

#include "companions/Companions.h"
#include "voucher/Refusal.h"
#include "voucher/Voucher.h"

#include <optional>

namespace qvtrnsfr {

// The options of the user's profile that stock follows.
struct StockOptions {
    bool trackSerialNo = false;          // every line names a serial number in stock
    bool allowNegativeInventory = false; // lines need not be covered by the stock
};

// The stock figure a line was last compared against, and the refusal when it did not pass.
struct LineCheck {
    std::optional<Refusal> refusal;
    double availableBalance = 0;
};

// Checks, in order: the description (a code that resolved to no item leaves it empty), the
// unit, the quantity, the serial number where serials are tracked; then, where they are, the
// serial's balance at the source; then, where stock may not go negative, the item's balance at
// the source less what the voucher's other lines take of it. Balances come from the inventory
// component as of the voucher's date; a call that cannot be made or fails leaves the figure as
// it was (0, or the serial's figure). Quantities are base quantities. rowIndex is the line's
// place among the voucher's lines (the new line's place is one past the last): that line is not
// counted among the others. Every refusal is critical and names the line.
LineCheck ValidateLine(const VoucherLine &line, int rowIndex, const Voucher &voucher,
                       const StockOptions &options, companions::InventoryService *inventory);

// What the lines other than the one at rowIndex take of the item, in stock units: quantity times
// conversion, read as locale numbers, over the lines whose code equals itemCode exactly; a line
// whose quantity or conversion is no number adds nothing.
double GetOtherLinesQty(const LineArray &lines, const QString &itemCode, int rowIndex);

// The item check leaves out a document that cannot exist, so that every saved voucher counts.
constexpr int NoDocument = 999999999;

} // namespace qvtrnsfr
