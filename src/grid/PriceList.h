#pragma once
// Price lists: the choice of list, the sale-price column, and an item's price in a list.

#include <QString>

namespace qvtrnsfr {

class TransferControl;

// Fills cboPriceList from the price-list table and shows chkPrice only when there is a list.
// A failure ends it with a message titled "Error".
void FillPriceList(TransferControl &ctl);
// The item's price in the list; 0 when there is none or the query fails.
double GetItemPrice(TransferControl &ctl, const QString &itemCode, const QString &priceList);
// Reaction to every change of chkPrice: shows or hides the "Sale Price" column and cboPriceList.
void PriceCheckChanged(TransferControl &ctl);

} // namespace qvtrnsfr
