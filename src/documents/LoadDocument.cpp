#include "documents/LoadDocument.h"

#include "control/TransferControl.h"
#include "grid/Totals.h"
#include "platform/Db.h"
#include "platform/Numeric.h"
#include "platform/Ui.h"

#include <QDate>

namespace qvtrnsfr {

namespace {

// The source location as spliced into the voucher's statements; empty when it is no number, so
// that no voucher is found.
std::optional<qint32> sourceLocation(const TransferControl &ctl)
{
    return wholeNumberValue(ctl.form.txtFromLocID->text());
}

QString headerQuery(const TransferControl &ctl, qint32 fromLocId)
{
    return QStringLiteral("Select * from ") + ctl.HeaderTable + QStringLiteral(" Where DocNo=") +
           sqlNumber(numericValue(ctl.form.txtDocNo->text())) + QStringLiteral(" And FromLocID=") +
           QString::number(fromLocId);
}

QString lineQuery(const TransferControl &ctl, qint32 docNo, qint32 fromLocId)
{
    const QString &lines = ctl.LineTable;
    return QStringLiteral("Select ") + lines + QStringLiteral(".*, IcItem.Descp from ") + lines +
           QStringLiteral(" Inner join ICItem on ") + lines + QStringLiteral(".ItemID=ICItem.ItemID ") +
           QStringLiteral("Where DocNo=") + QString::number(docNo) + QStringLiteral(" And FromLocID=") +
           QString::number(fromLocId);
}

// The text form of a value; null stays the empty text.
QString textOf(const QVariant &value)
{
    return value.isNull() ? QString() : value.toString();
}

// Copies the current header row into the form; answers the header's DocNo.
qint32 showHeader(TransferControl &ctl, const Snapshot &header)
{
    TransferForm &form = ctl.form;
    if (const QDate date = header.value(QStringLiteral("DocDate")).toDate(); date.isValid())
        form.dtpDocDate->setDate(date);
    form.txtToLocID->setText(textOf(header.value(QStringLiteral("ToLocID"))));
    form.txtNarration->setText(textOf(header.value(QStringLiteral("Narration"))));
    form.txtOrdNo->setText(textOf(header.value(QStringLiteral("OrdNo"))));
    const qint32 docNo = header.value(QStringLiteral("DocNo")).toInt();
    if (header.value(QStringLiteral("ShowPrice")).toInt() == 1)
        form.chkPrice->setChecked(true);
    const QVariant reqNo = header.value(QStringLiteral("ReqNo"));
    form.txtReqNo->setText(reqNo.isNull() ? QStringLiteral("0") : reqNo.toString());
    const qint32 link = header.value(QStringLiteral("LinkDetID")).toInt();
    form.cmdPrintGLVoucher->setEnabled(link > 0);
    if (link > 0)
        ctl.LedgerLinkId = link;
    return docNo;
}

// Fills one row of the line table from the current line of the result.
void fillLine(LineArray &lines, int row, const Snapshot &line)
{
    static const struct {
        LineColumn column;
        const char *field;
    } mapping[] = {{ColItemCode, "ItemID"},   {ColDescription, "Descp"}, {ColUnit, "Unit"},
                   {ColConversion, "Conver"}, {ColQty, "Qty"},           {ColSerialNo, "SrNo"},
                   {ColEngineNo, "EngNo"}};
    for (const auto &cell : mapping) {
        const QVariant value = line.value(QLatin1String(cell.field));
        if (!value.isNull())
            lines.SetCell(row, cell.column, value.toString());
    }
    const QVariant price = line.value(QStringLiteral("Price"));
    lines.SetCell(row, ColSalePrice, price.isNull() ? QStringLiteral("0") : price.toString());
}

// Reads the voucher's lines; the form keeps its empty line set when there are none.
void showLines(TransferControl &ctl, qint32 docNo, qint32 fromLocId)
{
    Snapshot &lines = ctl.WorkRecordset;
    ctl.sql = lineQuery(ctl, docNo, fromLocId);
    if (!lines.open(ctl.connection, ctl.sql) || lines.eof())
        return;
    auto fresh = std::make_unique<LineArray>();
    fresh->Resize(0, lines.recordCount() - 1, 0, ctl.LineColumnCount - 1);
    for (int row = 0; !lines.eof(); ++row, lines.next())
        fillLine(*fresh, row, lines);
    lines.close();
    ctl.replaceLines(std::move(fresh));
    UpdateTotalQty(ctl);
}

} // namespace

bool LoadDocument(TransferControl &ctl)
{
    ctl.WorkRecordset.close();
    const auto fromLocId = sourceLocation(ctl);
    if (!fromLocId)
        return false;
    Snapshot &header = ctl.WorkRecordset;
    ctl.sql = headerQuery(ctl, *fromLocId);
    if (!header.open(ctl.connection, ctl.sql) || header.eof()) {
        header.close();
        return false;
    }
    const qint32 docNo = showHeader(ctl, header);
    header.close();
    showLines(ctl, docNo, *fromLocId);
    ctl.WorkRecordset.close();
    ctl.form.cmdSave->setEnabled(true);
    ctl.form.cmdDelete->setEnabled(true);
    return true;
}

bool txtDocNo_Validate(TransferControl &ctl)
{
    if (!ctl.form.txtDocNo->isEnabled())
        return true;
    if (numericValue(ctl.form.txtDocNo->text()) == 0)
        return true;
    ctl.ResetForm();
    if (LoadDocument(ctl))
        return true;
    showMessage(ctl.widget(), QMessageBox::Critical, QStringLiteral("Document not found."));
    return false;
}

void cmdFindDoc_Click(TransferControl &ctl)
{
    if (companions::LookupDialog *list = ctl.lookupDialog()) {
        list->SetFilter(QString());
        list->SetTitle(QStringLiteral("Transfers"));
        list->SetConnection(ctl.connection);
        list->SetSource(ctl.HeaderTable);
        list->SetKeyColumn(1);
        list->SetSearchText(ctl.form.txtDocNo->text());
        list->SetResultColumn(1);
        list->SetOwner(ctl.hostWindow());
        list->ShowList();
        if (const QString picked = list->SelectedValue(); !picked.isEmpty())
            ctl.form.txtDocNo->setText(picked);
    }
    ctl.form.txtDocNo->setFocus();
}

} // namespace qvtrnsfr
