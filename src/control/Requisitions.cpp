// A voucher filled from the open lines of a requisition of its destination.

#include "control/FormRoutines.h"
#include "control/TransferControl.h"
#include "control/ctlTransfer.h"

#include "companions/PickList.h"
#include "grid/LineGrid.h"
#include "platform/Ui.h"
#include "voucher/Requisitions.h"

namespace qvtrnsfr {

// The requisition lines of the destination as typed; the chosen number goes into txtReqNo.
void cmdFindPo_Click(TransferControl &ctl)
{
    TransferForm &form = ctl.form();
    const companions::PickList requisitions{ctlTransfer::tr("Requisition Slips"),
                                            QStringLiteral("reqstat"),
                                            QStringLiteral("LocID=") + form.txtToLocID->text(),
                                            1,
                                            form.txtReqNo->text(),
                                            1,
                                            companions::PickList::FilterAt::ClearedFirst};
    if (const QString picked =
            showPickList(ctl.lookupDialog(), requisitions, ctl.connection(), ctl.hostWindow());
        !picked.isEmpty())
        form.txtReqNo->setText(picked);
    form.txtReqNo->setFocus();
}

// Does nothing without a requisition number and a destination. The date and narration are taken
// as far as they were read; the lines replace the voucher's only when all were read. A
// requisition unknown for the destination or fully served is reported, a failure shows its own
// description.
void cmdRef_Click(TransferControl &ctl)
{
    TransferForm &form = ctl.form();
    const double requisitionNo = NumberText::read(form.txtReqNo->text()).leading;
    const double destination = NumberText::read(form.txtToLocID->text()).leading;
    if (requisitionNo == 0 || destination == 0)
        return;
    form.grdDetail->setFocus();
    BusyCursor busy;
    const RequisitionImport import = readRequisition(ctl.connection(), requisitionNo, destination);
    if (import.date)
        form.dtpDocDate->setDate(*import.date);
    if (import.narration)
        form.txtNarration->setText(*import.narration);
    switch (import.outcome) {
    case RequisitionImport::NotFound:
        showMessage(ctl.widget(), QMessageBox::Warning,
                    ctlTransfer::tr("Requisition not found or Requisition Completed."),
                    ctlTransfer::tr("PO"));
        break;
    case RequisitionImport::Failed:
        showMessage(ctl.widget(), QMessageBox::Critical, import.failure);
        break;
    case RequisitionImport::Imported:
        ctl.replaceLines(import.lines);
        UpdateTotalQty(ctl);
        break;
    case RequisitionImport::NoLines:
        break;
    }
}

} // namespace qvtrnsfr
