#include "grid/ItemResolution.h"

#include "control/TransferControl.h"
#include "grid/LineGrid.h"
#include "grid/PriceList.h"
#include "platform/Numeric.h"

namespace qvtrnsfr {

const QString ItemByCodeSql = QStringLiteral("Select * from ICItem Where ItemID=?");
const QString AliasByUndashedCodeSql = QStringLiteral("Select * from ICItemL Where replace(item,'-','')=?");
const QString ItemByUndashedCodeSql = QStringLiteral("select * from icitem where replace(itemid,'-','')=?");

namespace {

QString undashed(QString code)
{
    return code.remove(QLatin1Char('-'));
}

// Opens a look-up on the shared recordset, closing what it still holds first.
bool openLookup(TransferControl &ctl, const QString &sql, const QString &key)
{
    if (ctl.WorkRecordset.isOpen())
        ctl.WorkRecordset.close();
    ctl.sql = sql;
    return ctl.WorkRecordset.open(ctl.connection, sql, {key});
}

// Writes the found item into the current row: description, stock unit, factor 1 and, while
// prices are shown, the item's price in the chosen list.
void fillFromItem(TransferControl &ctl)
{
    LineGrid *grid = ctl.form.grdDetail;
    const Snapshot &item = ctl.WorkRecordset;
    grid->setCell(ColDescription, item.value(QStringLiteral("Descp")).toString());
    ctl.LastStockUnit = item.value(QStringLiteral("StockUnit")).toString();
    grid->setCell(ColUnit, ctl.LastStockUnit);
    grid->setCell(ColConversion, QStringLiteral("1"));
    if (ctl.form.chkPrice->isChecked()) {
        const double price = GetItemPrice(ctl, item.value(QStringLiteral("ItemID")).toString(),
                                          ctl.form.cboPriceList->currentText().trimmed());
        grid->setCell(ColSalePrice, sqlNumber(price));
    }
}

void resolveTyped(TransferControl &ctl, const QString &code)
{
    if (openLookup(ctl, ItemByCodeSql, code)) {
        if (ctl.WorkRecordset.eof())
            ctl.form.grdDetail->setCell(ColDescription, QString());
        else
            fillFromItem(ctl);
    }
    ctl.WorkRecordset.close();
}

// The alias table is asked first: an alias names its item, whatever item may carry the scanned
// text as its own code.
QString scannedKey(TransferControl &ctl, const QString &code)
{
    QString key = undashed(code);
    if (openLookup(ctl, AliasByUndashedCodeSql, key) && !ctl.WorkRecordset.eof())
        key = undashed(ctl.WorkRecordset.value(QStringLiteral("itemid")).toString());
    ctl.WorkRecordset.close();
    return key;
}

void resolveScanned(TransferControl &ctl, const QString &code)
{
    const QString key = scannedKey(ctl, code);
    LineGrid *grid = ctl.form.grdDetail;
    if (openLookup(ctl, ItemByUndashedCodeSql, key)) {
        if (ctl.WorkRecordset.eof()) {
            grid->setCell(ColDescription, QString());
        } else {
            fillFromItem(ctl);
            if (grid->cellText(ColQty).isEmpty())
                grid->setCell(ColQty, QStringLiteral("1"));
            grid->setCell(ColItemCode, ctl.WorkRecordset.value(QStringLiteral("itemid")).toString());
            ctl.WorkRecordset.close();
            // The scanner goes on with the next line: the row is stored (with its line check)
            // and the cursor lands on the next row.
            grid->moveDown();
        }
    }
    ctl.WorkRecordset.close();
}

} // namespace

void ResolveItem(TransferControl &ctl)
{
    LineGrid *grid = ctl.form.grdDetail;
    const QString code = grid->cellText(ColItemCode);
    if (code.isEmpty()) {
        grid->setCell(ColDescription, QString());
        return;
    }
    if (ctl.form.chkScanMode->isChecked())
        resolveScanned(ctl, code);
    else
        resolveTyped(ctl, code);
}

void ScanModeChanged(TransferControl &ctl)
{
    ctl.form.grdDetail->setItemCodeMasked(!ctl.form.chkScanMode->isChecked());
}

} // namespace qvtrnsfr
