// Recalling a saved voucher by its number, saving the voucher on the form, deleting it, and
// printing its ledger voucher.

#include "control/FormRoutines.h"
#include "control/TransferControl.h"
#include "ctlTransfer.h"

#include "companions/PickList.h"
#include "platform/NoThrow.h"
#include "platform/Ui.h"
#include "voucher/VoucherSql.h"

namespace qvtrnsfr {

namespace {

// Enables cmdSave again when the click is done, however it ends.
class SaveButtonRestorer {
public:
    explicit SaveButtonRestorer(QPushButton *button) : m_button(button) { m_button->setEnabled(false); }
    ~SaveButtonRestorer() { m_button->setEnabled(true); }
    SaveButtonRestorer(const SaveButtonRestorer &) = delete;
    SaveButtonRestorer &operator=(const SaveButtonRestorer &) = delete;

private:
    QPushButton *m_button;
};

QString savedMessage(qint32 docNo)
{
    return ctlTransfer::tr("Document Number  %1  Is Saved Successfully ").arg(QString::number(docNo));
}

} // namespace

// Fills the form with the voucher whose number and source the form shows; false (the form as the
// preceding reset left it) when there is none.
bool LoadDocument(TransferControl &ctl)
{
    const Voucher voucher = ctl.voucher();
    const auto loaded = ctl.store().LoadDocument(voucher);
    if (!loaded)
        return false;
    if (const auto fromLocation = ctl.voucher().fromLocation.whole)
        ctl.setRecalled(RecalledVersion{loaded->docNo, *fromLocation, loaded->version});
    TransferForm &form = ctl.form();
    if (loaded->date.isValid())
        form.dtpDocDate->setDate(loaded->date);
    form.txtToLocID->setText(loaded->toLocation);
    form.txtNarration->setText(loaded->narration);
    form.txtOrdNo->setText(loaded->orderNo);
    if (loaded->showPrices)
        form.chkPrice->setChecked(true);
    form.txtReqNo->setText(loaded->requisition);
    form.cmdPrintGLVoucher->setEnabled(loaded->ledgerLink > 0);
    if (loaded->ledgerLink > 0)
        ctl.setLedgerLinkId(loaded->ledgerLink);
    if (loaded->lines) {
        ctl.replaceLines(*loaded->lines);
        UpdateTotalQty(ctl);
    }
    form.cmdSave->setEnabled(true);
    form.cmdDelete->setEnabled(true);
    emit ctl.control()->voucherLoaded(loaded->docNo, voucher.fromLocation.whole.value_or(0));
    return true;
}

// Leaving the number in edit mode: a number other than 0 resets the form and recalls the voucher.
bool txtDocNo_Validate(TransferControl &ctl)
{
    if (!ctl.form().txtDocNo->isEnabled() || ctl.voucher().docNo.leading == 0)
        return true;
    ctl.ResetForm();
    if (LoadDocument(ctl))
        return true;
    showMessage(ctl.widget(), QMessageBox::Critical, ctlTransfer::tr("Document not found."));
    return false;
}

// The pick list of saved vouchers; the picked number goes into txtDocNo and the focus follows.
void cmdFindDoc_Click(TransferControl &ctl)
{
    QLineEdit *number = ctl.form().txtDocNo;
    const companions::PickList vouchers{
        ctlTransfer::tr("Transfers"), VoucherSql::HeaderTable, QString(), 1, number->text(), 1};
    if (const QString picked = showPickList(ctl.lookupDialog(), vouchers, ctl.connection(), ctl.hostWindow());
        !picked.isEmpty())
        number->setText(picked);
    number->setFocus();
}

// Saves the voucher on the form, tells the host once the database holds it and the user the
// number it got; a refusal or a failure is shown, and the form keeps everything entered.
bool SaveDocument(TransferControl &ctl)
{
    const SaveContext context{ctl.user(), ctl.useTransaction(), ctl.stockOptions(), ctl.inventory(),
                              ctl.locationRights()};
    const Voucher voucher = ctl.voucher();
    const SaveResult result = ctl.store().SaveDocument(voucher, context);
    switch (result.outcome) {
    case SaveResult::Refused:
        showRefusal(ctl, *result.refusal);
        return false;
    case SaveResult::NotFound:
        return false;
    case SaveResult::Failed:
        showMessage(ctl.widget(), QMessageBox::Critical, result.failure);
        return false;
    case SaveResult::Saved:
        break;
    }
    DiscardDraft(ctl);
    emit ctl.control()->voucherSaved(result.docNo, voucher.fromLocation.whole.value_or(0));
    showMessage(ctl.widget(), QMessageBox::Information, savedMessage(result.docNo),
                ctlTransfer::tr("Save Document"));
    ctl.form().cmdSave->setEnabled(false);
    return true;
}

// After a save the form starts the next voucher, the focus where it starts.
void cmdSave_Click(TransferControl &ctl)
{
    SaveButtonRestorer restorer(ctl.form().cmdSave);
    if (!SaveDocument(ctl))
        return;
    ctl.ResetForm();
    if (ctl.form().txtDocNo->isEnabled())
        ctl.form().txtDocNo->setFocus();
    else
        ctl.form().txtToLocID->setFocus();
}

// Asks first; whatever the answer, the form is reset, the focus goes to txtDocNo and cmdDelete is
// disabled. A failure is shown titled "Delete Error" and leaves the form as it was.
void cmdDelete_Click(TransferControl &ctl)
{
    const auto answer =
        showMessage(ctl.widget(), QMessageBox::Question, ctlTransfer::tr("Are you sure you want to delete?"),
                    ctlTransfer::tr("Delete Transfer"), QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer == QMessageBox::Yes && ctl.form().txtDocNo->isEnabled()) {
        const Voucher voucher = ctl.voucher();
        const DeleteResult deleted = ctl.store().DeleteDocument(voucher);
        if (!deleted.done) {
            showMessage(ctl.widget(), QMessageBox::Critical, deleted.failure,
                        ctlTransfer::tr("Delete Error"));
            return;
        }
        DiscardDraft(ctl);
        if (deleted.deleted)
            emit ctl.control()->voucherDeleted(voucher.docNo.leadingRounded().value_or(0),
                                               voucher.fromLocation.leadingRounded().value_or(0));
    }
    ctl.ResetForm();
    ctl.form().txtDocNo->setFocus();
    ctl.form().cmdDelete->setEnabled(false);
}

// Hands the recalled voucher's ledger link and the host window's caption to a ledger component
// made for this click, which prints the voucher.
void cmdPrintGLVoucher_Click(TransferControl &ctl)
{
    const std::unique_ptr<companions::LedgerService> ledger = ctl.factory().createLedgerService();
    if (!ledger) {
        qCWarning(lcUi) << "Printing the ledger voucher skipped: the ledger component cannot be created";
        return;
    }
    ledger->SetConnection(ctl.connection());
    ledger->LoadSetup();
    ledger->PrintVoucher(ctl.ledgerLinkId(), ctl.hostCaption());
}

} // namespace qvtrnsfr
