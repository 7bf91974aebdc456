#include "voucher/LineRules.h"

#include <QCoreApplication>

namespace qvtrnsfr {

namespace {

// The texts are marked for translation where they stand and translated here.
Refusal refused(const char *text, int row)
{
    return {Refusal::Severity::Critical, QCoreApplication::translate("qvtrnsfr::LineRules", text), QString(),
            VoucherField::Lines, row};
}

// The reason a line lacks a required cell.
std::optional<Refusal> missingCell(const VoucherLine &line, int row, bool trackSerialNo)
{
    if (line.description.isEmpty())
        return refused(QT_TRANSLATE_NOOP("qvtrnsfr::LineRules", "Item Code code can not be blank."), row);
    if (line.unit.isEmpty())
        return refused(QT_TRANSLATE_NOOP("qvtrnsfr::LineRules", "Unit can not be blank."), row);
    if (line.quantity.isEmpty())
        return refused(QT_TRANSLATE_NOOP("qvtrnsfr::LineRules", "Quantity can not be blank."), row);
    if (line.serialNo.isEmpty() && trackSerialNo)
        return refused(QT_TRANSLATE_NOOP("qvtrnsfr::LineRules", "Serial No. does not exist."), row);
    return std::nullopt;
}

// Asks the balance of an item or a serial number at the voucher's source; a call that cannot be
// made or fails leaves figure as it was.
void askBalance(companions::InventoryService *inventory, const Voucher &voucher, const QString &code,
                std::optional<qint32> documentNo, bool bySerial, double &figure)
{
    const auto location = voucher.fromLocation.leadingRounded();
    if (!inventory || !location || !documentNo)
        return;
    if (const auto balance = inventory->StockBalance(code, *location, voucher.dateText(),
                                                     companions::TransferDocumentKind, *documentNo, bySerial))
        figure = *balance;
}

} // namespace

LineCheck ValidateLine(const VoucherLine &line, int rowIndex, const Voucher &voucher,
                       const StockOptions &options, companions::InventoryService *inventory)
{
    LineCheck check;
    if ((check.refusal = missingCell(line, rowIndex, options.trackSerialNo)))
        return check;
    const double quantity = line.baseQuantity();
    double figure = 0;
    if (options.trackSerialNo) {
        askBalance(inventory, voucher, line.serialNo, voucher.docNo.leadingRounded(), true, figure);
        check.availableBalance = figure;
        if (quantity > check.availableBalance) {
            check.refusal =
                refused(QT_TRANSLATE_NOOP("qvtrnsfr::LineRules", "This Serialized Item has not in balance."),
                        rowIndex);
            return check;
        }
    }
    if (!options.allowNegativeInventory) {
        const double others = GetOtherLinesQty(voucher.lines, line.itemCode, rowIndex);
        askBalance(inventory, voucher, line.itemCode, NoDocument, false, figure);
        check.availableBalance = figure - others;
        if (quantity > check.availableBalance)
            check.refusal =
                refused(QT_TRANSLATE_NOOP("qvtrnsfr::LineRules",
                                          "Item has not in balance and Negative Inventory not allowed."),
                        rowIndex);
    }
    return check;
}

double GetOtherLinesQty(const LineArray &lines, const QString &itemCode, int rowIndex)
{
    double total = 0;
    for (int row = lines.LowBound(1); row <= lines.HighBound(1); ++row) {
        if (row == rowIndex || lines.cellText(row, ColItemCode) != itemCode)
            continue;
        if (const auto quantity = VoucherLine::fromRow(lines, row).otherLineQuantity())
            total += *quantity;
    }
    return total;
}

} // namespace qvtrnsfr
