// The voucher on the form as values, and the core's refusals as the form shows them.

#include "control/FormRoutines.h"
#include "control/TransferControl.h"

#include "platform/Ui.h"

namespace qvtrnsfr {

Voucher TransferControl::voucher() const
{
    Voucher voucher;
    voucher.docNo = NumberText::read(m_form.txtDocNo->text());
    voucher.fromLocation = NumberText::read(m_form.txtFromLocID->text());
    voucher.toLocation = NumberText::read(m_form.txtToLocID->text());
    voucher.date = m_form.dtpDocDate->date();
    voucher.narration = m_form.txtNarration->text();
    voucher.orderNo = NumberText::read(m_form.txtOrdNo->text());
    voucher.requisition = m_form.txtReqNo->text();
    voucher.total = NumberText::read(m_form.txtTotalQty->text());
    voucher.showPrices = m_form.chkPrice->isChecked();
    voucher.editMode = editMode();
    voucher.lines = *m_lines;
    voucher.recalled = m_recalled;
    return voucher;
}

void showRefusal(TransferControl &ctl, const Refusal &refusal, bool moveFocus)
{
    static const QMessageBox::Icon icons[] = {QMessageBox::Warning, QMessageBox::Information,
                                              QMessageBox::Critical};
    showMessage(ctl.widget(), icons[static_cast<int>(refusal.severity)], refusal.text, refusal.title);
    if (!moveFocus)
        return;
    TransferForm &form = ctl.form();
    switch (refusal.field) {
    case VoucherField::DocNo:
        form.txtDocNo->setFocus();
        break;
    case VoucherField::FromLocation:
        form.txtFromLocID->setFocus();
        break;
    case VoucherField::ToLocation:
        form.txtToLocID->setFocus();
        break;
    case VoucherField::Lines:
    case VoucherField::None:
        break;
    }
}

} // namespace qvtrnsfr
