#include "documents/DeleteDocument.h"

#include "control/TransferControl.h"
#include "platform/Db.h"
#include "platform/Numeric.h"
#include "platform/Ui.h"

namespace qvtrnsfr {

namespace {

QString voucherCondition(const TransferControl &ctl)
{
    return QStringLiteral(" Where DocNo=") + sqlNumber(numericValue(ctl.form.txtDocNo->text())) +
           QStringLiteral(" and FromLocID=") + sqlNumber(numericValue(ctl.form.txtFromLocID->text()));
}

// The ledger link of the voucher's header as a whole number: 0 when the header has none.
qint32 ledgerLink(const Snapshot &header)
{
    const QVariant link = header.value(QStringLiteral("LinkDetID"));
    return link.isNull() ? 0 : roundToInt32(link.toDouble()).value_or(0);
}

// Deletes the voucher on the form; false with the error when the database refuses a statement.
bool deleteVoucher(TransferControl &ctl, QSqlError &error)
{
    Snapshot &header = ctl.WorkRecordset;
    header.close();
    ctl.sql = QStringLiteral("Select * from ICTRANH") + voucherCondition(ctl);
    if (!header.open(ctl.connection, ctl.sql)) {
        error = header.lastError();
        return false;
    }
    const bool found = !header.eof();
    const qint32 link = found ? ledgerLink(header) : 0;
    header.close();
    if (!found)
        return true;
    if (link != 0 &&
        !execute(ctl.connection, QStringLiteral("Delete from GLTRH Where DetID=") + QString::number(link), {},
                 &error))
        return false;
    return execute(ctl.connection, QStringLiteral("Delete from ICTRANH") + voucherCondition(ctl), {}, &error);
}

} // namespace

void cmdDelete_Click(TransferControl &ctl)
{
    const auto answer =
        showMessage(ctl.widget(), QMessageBox::Question, QStringLiteral("Are you sure you want to delete?"),
                    QStringLiteral("Delete Transfer"), QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer == QMessageBox::Yes && ctl.form.txtDocNo->isEnabled()) {
        QSqlError error;
        if (!deleteVoucher(ctl, error)) {
            showMessage(ctl.widget(), QMessageBox::Critical, errorText(error),
                        QStringLiteral("Delete Error"));
            return;
        }
    }
    ctl.ResetForm();
    ctl.form.txtDocNo->setFocus();
    ctl.form.cmdDelete->setEnabled(false);
}

} // namespace qvtrnsfr
