#include "control/TransferSlip.h"

#include "companions/DocumentOutput.h"
#include "control/FormRoutines.h"
#include "control/TransferControl.h"
#include "ctlTransfer.h"

#include <QLocale>

namespace qvtrnsfr {

namespace {

QString cell(const QString &text, const QString &attributes = QString())
{
    return QStringLiteral("<td%1>%2</td>").arg(attributes, text.toHtmlEscaped());
}

// "Caption: value" for a header field.
QString field(const QString &caption, const QString &value)
{
    return QStringLiteral("<b>%1</b> %2").arg(caption.toHtmlEscaped(), value.toHtmlEscaped());
}

QString place(const QString &number, const QString &name)
{
    return name.isEmpty() ? number : number + QStringLiteral(" ") + name;
}

} // namespace

std::unique_ptr<QTextDocument> transferSlipDocument(const TransferSlip &slip)
{
    static const LineColumn printed[] = {ColItemCode, ColDescription, ColUnit,    ColConversion,
                                         ColQty,      ColSerialNo,    ColEngineNo};
    const int columns = int(std::size(printed)) + 1;
    const QString title = ctlTransfer::tr("Transfer Voucher");

    QString html = QStringLiteral("<html><body style=\"font-size: 9pt\">");
    html += QStringLiteral("<h2>%1</h2>").arg(title.toHtmlEscaped());
    html += QStringLiteral("<p>") + field(ctlTransfer::tr("From:"), place(slip.fromLocation, slip.fromName)) +
            QStringLiteral("<br>") + field(ctlTransfer::tr("To:"), place(slip.toLocation, slip.toName)) +
            QStringLiteral("<br>") + field(ctlTransfer::tr("Narration:"), slip.narration) +
            QStringLiteral("<br>") + field(ctlTransfer::tr("Order No.:"), slip.orderNo) +
            QStringLiteral("&nbsp;&nbsp;&nbsp;") +
            field(ctlTransfer::tr("Requisition No.:"), slip.requisition) + QStringLiteral("</p>");

    // The header rows repeat on every page of a long voucher.
    html += QStringLiteral("<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\"><thead>");
    html += QStringLiteral("<tr><td colspan=\"%1\">").arg(columns) +
            field(ctlTransfer::tr("Voucher No.:"), slip.docNo) + QStringLiteral("&nbsp;&nbsp;&nbsp;") +
            field(ctlTransfer::tr("Date:"), slip.date) + QStringLiteral("</td></tr><tr>");
    html += QStringLiteral("<th>#</th>");
    for (const LineColumn column : printed)
        html += QStringLiteral("<th>%1</th>").arg(LineArray::caption(column).toHtmlEscaped());
    html += QStringLiteral("</tr></thead><tbody>");
    for (int row = 0; row < slip.lines.rowCount(); ++row) {
        html += QStringLiteral("<tr>") + cell(QString::number(row + 1));
        for (const LineColumn column : printed) {
            const bool number = column == ColConversion || column == ColQty;
            html += cell(slip.lines.cellText(row, column),
                         number ? QStringLiteral(" align=\"right\"") : QString());
        }
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</tbody></table>");
    html += QStringLiteral("<p align=\"right\">") + field(ctlTransfer::tr("Total Quantity:"), slip.total) +
            QStringLiteral("</p>");
    html += QStringLiteral("<br><br><table width=\"100%\"><tr><td>%1 ____________________</td>"
                           "<td align=\"right\">%2 ____________________</td></tr></table>")
                .arg(ctlTransfer::tr("Issued by").toHtmlEscaped(),
                     ctlTransfer::tr("Received by").toHtmlEscaped());
    html += QStringLiteral("</body></html>");

    auto document = std::make_unique<QTextDocument>();
    document->setMetaInformation(QTextDocument::DocumentTitle, title + QStringLiteral(" ") + slip.docNo);
    document->setHtml(html);
    return document;
}

bool PrintTransferVoucher(TransferControl &ctl, const QString &pdfPath)
{
    const TransferForm &form = ctl.form();
    TransferSlip slip;
    slip.docNo = form.txtDocNo->text();
    slip.date = QLocale().toString(form.dtpDocDate->date(), QLocale::ShortFormat);
    slip.fromLocation = form.txtFromLocID->text();
    slip.fromName = form.txtFromLocName->text();
    slip.toLocation = form.txtToLocID->text();
    slip.toName = form.txtToLocName->text();
    slip.narration = form.txtNarration->text();
    slip.orderNo = form.txtOrdNo->text();
    slip.requisition = form.txtReqNo->text();
    slip.total = form.txtTotalQty->text();
    slip.lines = ctl.lines();
    const std::unique_ptr<QTextDocument> document = transferSlipDocument(slip);
    if (!pdfPath.isEmpty())
        return companions::writePdf(*document, pdfPath);
    companions::showPrintPreview(*document, ctl.widget());
    return true;
}

} // namespace qvtrnsfr
