// Writing the voucher lines: one execution of one prepared statement per line, each line with
// its cost from the inventory component.

#include "control/TransferControl.h"
#include "documents/SaveSteps.h"
#include "grid/LineModel.h"
#include "platform/Numeric.h"

#include <cmath>

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

// A cell bound to a numeric column, converted as the database converts a text to a number: the
// whole text (blanks around it aside) in the C notation, "12", "-1.5", "1e3". An empty cell is
// null. A text that is no number fails the save: one database would refuse it, the other keep
// the text in a number column.
std::optional<QVariant> numericCell(const LineArray &lines, int row, int column)
{
    const QString text = lines.cellText(row, column);
    if (text.isEmpty())
        return QVariant();
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
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

// The values of one line's row; false when a numeric cell holds no number.
bool lineValues(SaveRun &run, int row, double cost, QVariantList &values)
{
    const LineArray &lines = run.ctl.lineArray();
    const bool pricesShown = run.ctl.form.chkPrice->isChecked();
    for (const LineColumn column : {ColConversion, ColQty, ColSalePrice}) {
        if ((column != ColSalePrice || pricesShown) && !numericCell(lines, row, column))
            return run.fail(QStringLiteral("Line %1: \"%2\" in %3 is not a number.")
                                .arg(row + 1)
                                .arg(lines.cellText(row, column), LineModel::caption(column)));
    }
    const QVariant qty = *numericCell(lines, row, ColQty);
    const QVariant conver = *numericCell(lines, row, ColConversion);
    const QVariant price = pricesShown ? *numericCell(lines, row, ColSalePrice) : QVariant(0);
    values = {run.docNo,
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
    return true;
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
        QVariantList values;
        if (!lineValues(run, row, *cost, values))
            return false;
        if (!insert.exec(values))
            return run.fail(insert.lastError());
    }
    return true;
}

} // namespace qvtrnsfr
