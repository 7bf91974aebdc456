#include "grid/LineValidation.h"

#include "control/TransferControl.h"
#include "grid/LineGrid.h"
#include "platform/Numeric.h"
#include "platform/Ui.h"

#include <optional>

namespace qvtrnsfr {

namespace {

// The item check leaves out a document that cannot exist, so every saved voucher counts.
constexpr int NoDocument = 999999999;

bool refuse(TransferControl &ctl, const QString &message)
{
    showMessage(ctl.widget(), QMessageBox::Critical, message);
    return false;
}

// The reason a row lacks a required cell, or an empty text when it has them all.
QString missingCell(TransferControl &ctl)
{
    const LineGrid *grid = ctl.form.grdDetail;
    // A code that did not resolve to an item leaves the description empty.
    if (grid->cellText(ColDescription).isEmpty())
        return QStringLiteral("Item Code code can not be blank.");
    if (grid->cellText(ColUnit).isEmpty())
        return QStringLiteral("Unit can not be blank.");
    if (grid->cellText(ColQty).isEmpty())
        return QStringLiteral("Quantity can not be blank.");
    if (grid->cellText(ColSerialNo).isEmpty() && ctl.TrackSerialNo)
        return QStringLiteral("Serial No. does not exist.");
    return QString();
}

// Asks the inventory component for the balance of an item or serial number at the source
// location on the voucher's date. A call that cannot be made or fails leaves figure unchanged.
void askBalance(TransferControl &ctl, const QString &code, std::optional<qint32> documentNo, bool bySerial,
                double &figure)
{
    const auto location = roundToInt32(numericValue(ctl.form.txtFromLocID->text()));
    companions::InventoryService *inventory = ctl.inventory();
    if (!location || !documentNo || !inventory)
        return;
    const QString date = ctl.form.dtpDocDate->date().toString(QStringLiteral("dd/MM/yyyy"));
    if (const auto balance =
            inventory->StockBalance(code, *location, date, TransferDocumentKind, *documentNo, bySerial))
        figure = *balance;
}

// The line in base units: its quantity times its factor, each the leading number of its text.
double baseQuantity(const LineGrid *grid)
{
    return numericValue(grid->cellText(ColQty)) * numericValue(grid->cellText(ColConversion));
}

} // namespace

bool ValidateLine(TransferControl &ctl)
{
    const LineGrid *grid = ctl.form.grdDetail;
    if (const QString reason = missingCell(ctl); !reason.isEmpty())
        return refuse(ctl, reason);

    const double quantity = baseQuantity(grid);
    double figure = 0; // a failing balance query leaves what the check held before it
    if (ctl.TrackSerialNo) {
        askBalance(ctl, grid->cellText(ColSerialNo), roundToInt32(numericValue(ctl.form.txtDocNo->text())),
                   true, figure);
        ctl.AvailableBalance = figure;
        if (quantity > ctl.AvailableBalance)
            return refuse(ctl, QStringLiteral("This Serialized Item has not in balance."));
    }
    if (!ctl.AllowNegativeInventory) {
        const QString code = grid->cellText(ColItemCode);
        const double others = GetOtherLinesQty(ctl, code, grid->currentRowIndex());
        askBalance(ctl, code, NoDocument, false, figure);
        ctl.AvailableBalance = figure - others;
        if (quantity > ctl.AvailableBalance)
            return refuse(ctl, QStringLiteral("Item has not in balance and Negative Inventory not allowed."));
    }
    return true;
}

double GetOtherLinesQty(TransferControl &ctl, const QString &itemCode, int rowIndex)
{
    const LineArray &lines = ctl.lineArray();
    double total = 0;
    for (int row = lines.LowBound(1); row <= lines.HighBound(1); ++row) {
        if (row == rowIndex || lines.cellText(row, ColItemCode) != itemCode)
            continue;
        const auto qty = localeNumber(lines.cellText(row, ColQty));
        const auto factor = localeNumber(lines.cellText(row, ColConversion));
        if (qty && factor)
            total += *qty * *factor;
    }
    return total;
}

} // namespace qvtrnsfr
