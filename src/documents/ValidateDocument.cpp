#include "documents/ValidateDocument.h"

#include "control/TransferControl.h"
#include "platform/Numeric.h"
#include "platform/Ui.h"

namespace qvtrnsfr {

namespace {

bool refuse(TransferControl &ctl, const QString &message, QWidget *focus)
{
    showMessage(ctl.widget(), QMessageBox::Warning, message);
    if (focus)
        focus->setFocus();
    return false;
}

// Two location texts name the same location unless both are whole numbers that differ; a text
// that is no number cannot be told apart from the other.
bool sameLocation(const QString &from, const QString &to)
{
    const auto fromId = wholeNumberValue(from);
    const auto toId = wholeNumberValue(to);
    return !fromId || !toId || *fromId == *toId;
}

} // namespace

bool ValidateDocument(TransferControl &ctl)
{
    const QString from = ctl.form.txtFromLocID->text();
    const QString to = ctl.form.txtToLocID->text();
    if (from.isEmpty())
        return refuse(ctl, QStringLiteral("Empty from location can not be allowed."), ctl.form.txtFromLocID);
    if (to.isEmpty())
        return refuse(ctl, QStringLiteral("Empty to location can not be allowed."), ctl.form.txtToLocID);
    if (sameLocation(from, to))
        return refuse(ctl, QStringLiteral("Transfer from location and to location are same."),
                      ctl.form.txtToLocID);
    if (numericValue(ctl.form.txtTotalQty->text()) == 0)
        return refuse(ctl, QStringLiteral("Empty voucher can not be saved."), nullptr);
    return true;
}

} // namespace qvtrnsfr
