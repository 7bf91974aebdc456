// The source and destination fields: each location checked as the field is left (found, and
// allowed to the user in its role) with its name shown beside it, and their pick lists.

#include "control/FormRoutines.h"
#include "control/TransferControl.h"
#include "control/ctlTransfer.h"

#include "companions/PickList.h"
#include "platform/Numeric.h"
#include "voucher/Locations.h"

namespace qvtrnsfr {

namespace {

// The check of a location field as it is left; a number 0 (none typed) is not looked up.
bool checkField(TransferControl &ctl, const QLineEdit *field, QLineEdit *nameField, Direction direction)
{
    const double locationId = NumberText::read(field->text()).leading;
    if (locationId == 0)
        return true;
    const LocationCheck check =
        checkLocation(ctl.connection(), locationId, direction, ctl.locationRights(), ctl.user());
    if (check.found && !check.name.isNull())
        nameField->setText(check.name.toString());
    if (check.refusal)
        showRefusal(ctl, *check.refusal, false); // the field keeps the focus as its check refuses
    return !check.refusal;
}

companions::PickList locations(const QString &search, companions::PickList::FilterAt filterAt)
{
    return {ctlTransfer::tr("Locations"), QStringLiteral("ICLOC"), QString(), 0, search, 0, filterAt};
}

} // namespace

// In add mode every departure with a location number other than 0 resets the form, refused or
// not, so that the number proposed is that of the location now entered.
bool txtFromLocID_Validate(TransferControl &ctl)
{
    TransferForm &form = ctl.form();
    if (NumberText::read(form.txtFromLocID->text()).leading == 0)
        return true;
    const bool accepted = checkField(ctl, form.txtFromLocID, form.txtFromLocName, Direction::Source);
    if (!ctl.allowEdit())
        ctl.ResetForm();
    return accepted;
}

bool txtToLocID_Validate(TransferControl &ctl)
{
    return checkField(ctl, ctl.form().txtToLocID, ctl.form().txtToLocName, Direction::Destination);
}

// The chosen location is written into the field without checking it: the check runs when the
// user leaves the field, which has the focus afterwards whatever was chosen.
void cmdFindCC_Click(TransferControl &ctl)
{
    QLineEdit *field = ctl.form().txtFromLocID;
    const auto pick = locations(field->text(), companions::PickList::FilterAt::First);
    if (const QString chosen = showPickList(ctl.lookupDialog(), pick, ctl.connection(), ctl.hostWindow());
        !chosen.isEmpty())
        field->setText(chosen);
    field->setFocus();
}

// The destination list searches for the field's leading number ("0" for an empty field).
void cmdFindLoc_Click(TransferControl &ctl)
{
    QLineEdit *field = ctl.form().txtToLocID;
    const auto pick = locations(sqlNumber(NumberText::read(field->text()).leading),
                                companions::PickList::FilterAt::AfterSource);
    if (const QString chosen = showPickList(ctl.lookupDialog(), pick, ctl.connection(), ctl.hostWindow());
        !chosen.isEmpty())
        field->setText(chosen);
    field->setFocus();
}

} // namespace qvtrnsfr
