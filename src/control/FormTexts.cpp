// The texts of the form, in the user's language: every caption, tooltip and accessible name is
// set here, from the catalogue of the ctlTransfer context, when the form is built and again when
// the application's language changes. The English texts are the catalogue's source texts.

#include "control/TransferForm.h"
#include "control/ctlTransfer.h"

#include "grid/LineGrid.h"

#include <QAbstractItemView>
#include <QLocale>

namespace qvtrnsfr {

namespace {

void setTip(QPushButton *button, const QString &tip)
{
    button->setToolTip(tip);
    button->setAccessibleName(tip);
}

// The locale's short date with the year in four digits; the date is stored as a date, never as
// this text.
QString dateFormat()
{
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

} // namespace

void TransferForm::retranslate()
{
    lblSegID->setText(ctlTransfer::tr("From Location:"));
    Label24->setText(ctlTransfer::tr("From Req. No.:"));
    Label1->setText(ctlTransfer::tr("Document No.:"));
    Label5->setText(ctlTransfer::tr("To Location:"));
    Label2->setText(ctlTransfer::tr("Documnt Date:"));
    Label3->setText(ctlTransfer::tr("Narration:"));
    Label6->setText(ctlTransfer::tr("Sales Order No.:"));
    Label9->setText(ctlTransfer::tr("Total Qty.:"));
    chkScanMode->setText(ctlTransfer::tr("Enable Scanning Mode"));
    chkPrice->setText(ctlTransfer::tr("Show item pricing using price list"));
    setTip(cmdFindCC, ctlTransfer::tr("Choose the source location"));
    setTip(cmdRef, ctlTransfer::tr("Fill the lines from the requisition"));
    setTip(cmdFindPo, ctlTransfer::tr("Choose a requisition of the destination location"));
    setTip(cmdNew, ctlTransfer::tr("Start a new voucher"));
    setTip(cmdFindDoc, ctlTransfer::tr("Find a saved voucher"));
    setTip(cmdFindLoc, ctlTransfer::tr("Choose the destination location"));
    cmdPrintGLVoucher->setText(ctlTransfer::tr("Print Voucher"));
    setSaveCaption(m_saveEdits);
    cmdDelete->setText(ctlTransfer::tr("&Delete"));
    cmdClose->setText(ctlTransfer::tr("&Close"));
    dtpDocDate->setDisplayFormat(dateFormat());
    // Fields that no caption names.
    txtFromLocName->setAccessibleName(ctlTransfer::tr("From location name"));
    txtToLocName->setAccessibleName(ctlTransfer::tr("To location name"));
    cboPriceList->setAccessibleName(ctlTransfer::tr("Price list"));
    cboPriceList->view()->setAccessibleName(ctlTransfer::tr("Price lists"));
    grdDetail->setAccessibleName(ctlTransfer::tr("Lines"));
    arrange(); // the texts of another language may need more room
}

void TransferForm::setSaveCaption(bool editMode)
{
    m_saveEdits = editMode;
    cmdSave->setText(editMode ? ctlTransfer::tr("&Save") : ctlTransfer::tr("&Add"));
}

} // namespace qvtrnsfr
