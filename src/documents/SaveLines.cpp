// Writing the voucher lines: one execution of one prepared statement per line, each line with
// its cost from the inventory component.

#include "control/TransferControl.h"
#include "documents/SaveSteps.h"
#include "platform/Numeric.h"

namespace qvtrnsfr {

namespace {

// Amount is Qty x Conver x Cost as the new row holds them: the cell texts converted to the
// columns' type by the database, as it converts the values stored in Qty and Conver.
QString insertLineSql(const TransferControl &ctl)
{
    return QStringLiteral("Insert into ") + ctl.LineTable +
           QStringLiteral(" (DocNo, FromLocID, ItemID, Unit, Conver, Qty, Cost, Amount, SrNo, EngNo, Price)"
                          " Values (?, ?, ?, ?, ?, ?, ?,"
                          " CAST(? AS double precision) * CAST(? AS double precision) * ?, ?, ?, ?)");
}

// A cell bound to a numeric column: its value unchanged, except that an empty cell is null (no
// database reads the empty text as a number).
QVariant numericCell(const LineArray &lines, int row, int column)
{
    const QVariant value = lines.GetCell(row, column);
    return lines.cellText(row, column).isEmpty() ? QVariant() : value;
}

// What the cost query names besides the item: the document date, the source location and the
// document as the form shows them.
struct CostQuery {
    QDate date;
    qint32 locationId = 0;
    qint32 documentNo = 0;
};

bool costQuery(SaveRun &run, CostQuery &query)
{
    const TransferForm &form = run.ctl.form;
    const auto location = roundToInt32(numericValue(form.txtFromLocID->text()));
    const auto document = roundToInt32(numericValue(form.txtDocNo->text()));
    if (!location || !document)
        return run.fail(QStringLiteral("The source location or the document number is out of range."));
    query = {form.dtpDocDate->date(), *location, *document};
    return true;
}

QVariantList lineValues(const SaveRun &run, int row, double cost)
{
    const LineArray &lines = run.ctl.lineArray();
    const QVariant qty = numericCell(lines, row, ColQty);
    const QVariant conver = numericCell(lines, row, ColConversion);
    const QVariant price =
        run.ctl.form.chkPrice->isChecked() ? numericCell(lines, row, ColSalePrice) : QVariant(0);
    return {run.docNo,
            run.fromLocId,
            lines.GetCell(row, ColItemCode),
            lines.GetCell(row, ColUnit),
            conver,
            qty,
            cost,
            qty,
            conver,
            cost,
            lines.GetCell(row, ColSerialNo),
            lines.GetCell(row, ColEngineNo),
            price};
}

} // namespace

bool WriteLines(SaveRun &run)
{
    const LineArray &lines = run.ctl.lineArray();
    PreparedStatement insert;
    if (!insert.prepare(run.db, insertLineSql(run.ctl)))
        return run.fail(insert.lastError());
    CostQuery query;
    if (lines.HighBound(1) >= lines.LowBound(1) && !costQuery(run, query))
        return false;
    companions::InventoryService *inventory = run.ctl.InventoryService.get();
    for (int row = lines.LowBound(1); row <= lines.HighBound(1); ++row) {
        const QString item = lines.cellText(row, ColItemCode);
        if (!inventory)
            return run.fail(QStringLiteral("The inventory component is not available."));
        const auto cost =
            inventory->ItemCost(query.date, item, query.locationId, TransferDocumentKind, query.documentNo);
        if (!cost)
            return run.fail(QStringLiteral("The cost of item %1 could not be read.").arg(item));
        if (!insert.exec(lineValues(run, row, *cost)))
            return run.fail(insert.lastError());
    }
    return true;
}

} // namespace qvtrnsfr
