// Entering lines in the grid: an item code typed through the mask or scanned, a unit converted,
// the check of a row before the grid stores it, the pick lists behind the in-cell buttons and
// the keys of the quantity cell.

#include "control/FormRoutines.h"
#include "control/TransferControl.h"
#include "control/ctlTransfer.h"

#include "companions/PickList.h"
#include "grid/LineGrid.h"
#include "platform/Numeric.h"
#include "platform/Ui.h"
#include "voucher/Catalog.h"
#include "voucher/Gs1.h"
#include "voucher/LineImport.h"

#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>

#include <QLocale>
#include <QPointer>

namespace qvtrnsfr {

namespace {

// Writes the found item into the current row: description, stock unit, factor 1 and, while
// prices are shown, the item's price in the chosen list.
void fillFromItem(TransferControl &ctl, const Item &item)
{
    LineGrid *grid = ctl.form().grdDetail;
    grid->setCell(ColDescription, item.description);
    ctl.setLastStockUnit(item.stockUnit);
    grid->setCell(ColUnit, item.stockUnit);
    grid->setCell(ColConversion, QStringLiteral("1"));
    if (ctl.form().chkPrice->isChecked()) {
        const double price =
            GetItemPrice(ctl.connection(), item.code, ctl.form().cboPriceList->currentText().trimmed());
        grid->setCell(ColSalePrice, sqlNumber(price));
    }
}

// The row being edited, as the grid holds it.
VoucherLine currentLine(const LineGrid *grid)
{
    LineArray row;
    row.Resize(0, 0, 0, LineColumns - 1);
    for (int column = 0; column < LineColumns; ++column)
        row.SetCell(0, column, grid->cellText(column));
    return VoucherLine::fromRow(row, 0);
}

bool isQuantityKey(int keyCode)
{
    return keyCode == 8 || keyCode == '+' || keyCode == '-' || keyCode == '.' ||
           (keyCode >= '0' && keyCode <= '9');
}

// With repeated scans merged: a scan on the new line of an item already on a stored line in the
// same unit, neither with a serial number, adds its quantity to that line instead. Once the scan's
// key has been handled, the new line is dropped and the cursor goes to that line, which is stored
// (and checked against the stock) like any changed line. False when the scan opens a line of its
// own.
bool mergeScan(TransferControl &ctl)
{
    LineGrid *grid = ctl.form().grdDetail;
    if (!ctl.mergeRepeatedScans() || !grid->isNewRow() || !grid->cellText(ColSerialNo).isEmpty())
        return false;
    const LineArray &lines = ctl.lines();
    const QString item = grid->cellText(ColItemCode);
    const QString unit = grid->cellText(ColUnit);
    const QLocale locale;
    bool scannedOk = false;
    const double scanned = locale.toDouble(grid->cellText(ColQty), &scannedOk);
    for (int row = 0; scannedOk && row < lines.rowCount(); ++row) {
        if (lines.cellText(row, ColItemCode) != item || lines.cellText(row, ColUnit) != unit ||
            !lines.cellText(row, ColSerialNo).isEmpty())
            continue;
        bool ok = false;
        const double stored = locale.toDouble(lines.cellText(row, ColQty), &ok);
        if (!ok)
            continue;
        const QString sum = locale.toString(stored + scanned, 'f', QLocale::FloatingPointShortest);
        QMetaObject::invokeMethod(
            grid,
            [grid = QPointer<LineGrid>(grid), row, sum] {
                if (!grid)
                    return;
                grid->cancelRowEdit();
                if (!grid->goToRow(row, ColQty))
                    return;
                grid->setCell(ColQty, sum);
                grid->storeCurrentRow();
            },
            Qt::QueuedConnection);
        return true;
    }
    return false;
}

} // namespace

// The code in "Item Code" becomes an item: typed, it must match exactly; scanned, aliases come
// first and dashes are ignored, the stored code is written back, an empty quantity becomes 1 and
// the row is stored as if Down were pressed. A code that matches no item only empties
// "Description"; a query that cannot run changes nothing. A scanned GS1 element string finds its
// item by the GTIN and fills the serial number (21), the engine number with the lot (10) and the
// quantity (30 or 37); one that cannot be read is named in a message and changes no line.
void ResolveItem(TransferControl &ctl)
{
    LineGrid *grid = ctl.form().grdDetail;
    const QString code = grid->cellText(ColItemCode);
    if (code.isEmpty()) {
        grid->setCell(ColDescription, QString());
        return;
    }
    const bool scanning = ctl.form().chkScanMode->isChecked();
    const std::optional<Gs1Scan> gs1 = scanning ? parseGs1(code) : std::nullopt;
    if (gs1 && !gs1->problem.isEmpty()) {
        const int row = grid->currentRowIndex();
        grid->setCell(ColItemCode,
                      row < ctl.lines().rowCount() ? ctl.lines().cellText(row, ColItemCode) : QString());
        const QString text = ctlTransfer::tr("The scanned GS1 code cannot be used: %1.").arg(gs1->problem);
        QMetaObject::invokeMethod(
            ctl.widget(),
            [widget = QPointer<QWidget>(ctl.widget()), text] {
                if (widget)
                    showMessage(widget, QMessageBox::Critical, text);
            },
            Qt::QueuedConnection);
        return;
    }
    const Found<Item> found = scanning ? findScannedItem(ctl.connection(), gs1 ? gs1->gtin : code)
                                       : findTypedItem(ctl.connection(), code);
    if (!found.ran)
        return;
    if (!found.value) {
        grid->setCell(ColDescription, QString());
        return;
    }
    fillFromItem(ctl, *found.value);
    if (!scanning)
        return;
    if (gs1) {
        if (!gs1->serial.isEmpty())
            grid->setCell(ColSerialNo, gs1->serial);
        if (!gs1->lot.isEmpty())
            grid->setCell(ColEngineNo, gs1->lot);
        if (gs1->quantity)
            grid->setCell(ColQty, QLocale().toString(*gs1->quantity));
    }
    if (grid->cellText(ColQty).isEmpty())
        grid->setCell(ColQty, QStringLiteral("1"));
    grid->setCell(ColItemCode, found.value->code);
    if (mergeScan(ctl))
        return;
    // The scanner goes on with the next line: the row is stored (with its check) and the cursor
    // lands on the next row.
    grid->moveDown();
}

namespace {

void addImportedLines(TransferControl &ctl, const QList<ImportRow> &rows)
{
    LineGrid *grid = ctl.form().grdDetail;
    if (!grid->storeCurrentRow())
        return; // the line being edited is refused: it stays, and nothing is added
    if (rows.isEmpty()) {
        showMessage(ctl.widget(), QMessageBox::Information, ctlTransfer::tr("There are no lines to add."));
        return;
    }
    const ImportResult result =
        resolveImportRows(ctl.connection(), rows, ctl.voucher(), ctl.stockOptions(), ctl.inventory(),
                          ctl.form().cboPriceList->currentText().trimmed());
    if (!result.refusals.isEmpty()) {
        showMessage(ctl.widget(), QMessageBox::Warning,
                    ctlTransfer::tr("No line was added. These rows cannot be used:") +
                        QStringLiteral("\n\n") + result.refusals.join(QLatin1Char('\n')));
        return;
    }
    LineArray lines = ctl.lines();
    for (int row = 0; row < result.lines.rowCount(); ++row) {
        LineArray::Row cells(LineColumns);
        for (int column = 0; column < LineColumns; ++column)
            cells[column] = result.lines.GetCell(row, column);
        lines.appendRow(cells);
    }
    ctl.replaceLines(lines);
    UpdateTotalQty(ctl);
}

} // namespace

void PasteLines(TransferControl &ctl)
{
    addImportedLines(ctl, parsePastedRows(QGuiApplication::clipboard()->text()));
}

void ImportLinesFromCsv(TransferControl &ctl)
{
    const QString path =
        QFileDialog::getOpenFileName(ctl.widget(), ctlTransfer::tr("Import Lines from CSV"), QString(),
                                     ctlTransfer::tr("CSV files (*.csv);;All files (*)"));
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        showMessage(ctl.widget(), QMessageBox::Critical,
                    ctlTransfer::tr("%1 cannot be read: %2").arg(path, file.errorString()));
        return;
    }
    addImportedLines(ctl, parseCsvRows(file.readAll()));
}

// The factor of the row's unit into "Conversion"; a unit the item does not have falls back to the
// stock unit of the item resolved last, with factor 1. An empty unit changes nothing.
void GetConversion(TransferControl &ctl)
{
    LineGrid *grid = ctl.form().grdDetail;
    const QString unit = grid->cellText(ColUnit);
    if (unit.isEmpty())
        return;
    const Found<double> found = findUnit(ctl.connection(), grid->cellText(ColItemCode), unit);
    if (!found.ran)
        return;
    if (found.value) {
        grid->setCell(ColConversion, sqlNumber(*found.value));
        return;
    }
    grid->setCell(ColUnit, ctl.lastStockUnit());
    grid->setCell(ColConversion, QStringLiteral("1"));
}

// The grid asks before it stores a row: the row as the grid holds it, against the stored lines.
bool CheckCurrentRow(TransferControl &ctl)
{
    const LineGrid *grid = ctl.form().grdDetail;
    const LineCheck check = ValidateLine(currentLine(grid), grid->currentRowIndex(), ctl.voucher(),
                                         ctl.stockOptions(), ctl.inventory());
    if (check.refusal)
        showRefusal(ctl, *check.refusal, false);
    return !check.refusal;
}

// "Item Code" lists the source location's stock, "Unit" the units of the row's item; a picked value
// goes into the cell and is resolved or converted as if typed. The grid has the focus again after,
// on the pressed column.
void CellButtonPressed(TransferControl &ctl, int column)
{
    LineGrid *grid = ctl.form().grdDetail;
    using companions::PickList;
    if (column == ColItemCode) {
        const PickList items{ctlTransfer::tr("Items"),
                             QStringLiteral("CurrentStock"),
                             QStringLiteral("LocID=") + ctl.form().txtFromLocID->text(),
                             0,
                             grid->cellText(ColItemCode),
                             0,
                             PickList::FilterAt::First};
        if (const QString picked =
                showPickList(ctl.lookupDialog(), items, ctl.connection(), ctl.hostWindow());
            !picked.isEmpty()) {
            grid->setCell(ColItemCode, picked);
            ResolveItem(ctl);
        }
    } else if (column == ColUnit) {
        const PickList units{ctlTransfer::tr("Units"),
                             QStringLiteral("ICUnit"),
                             QStringLiteral("ItemID='") + grid->cellText(ColItemCode) + QStringLiteral("'"),
                             1,
                             grid->cellText(ColUnit),
                             1,
                             PickList::FilterAt::AfterSource};
        if (const QString picked =
                showPickList(ctl.lookupDialog(), units, ctl.connection(), ctl.hostWindow());
            !picked.isEmpty()) {
            grid->setCell(ColUnit, picked);
            GetConversion(ctl);
        }
    }
    grid->setFocus(Qt::OtherFocusReason);
    grid->setCurrentColumn(column);
}

// In "Qty." only backspace, "+", "-", "." and digits pass; any other character becomes 0
// (discarded). Other columns take every character.
void GridKeyPress(TransferControl &ctl, int &keyCode)
{
    if (ctl.form().grdDetail->currentColumn() == ColQty && !isQuantityKey(keyCode))
        keyCode = 0;
}

// Scanning mode edits "Item Code" as free text, keyboard mode through the mask "##-##-##-####".
void ScanModeChanged(TransferControl &ctl)
{
    ctl.form().grdDetail->setItemCodeMasked(!ctl.form().chkScanMode->isChecked());
}

} // namespace qvtrnsfr
