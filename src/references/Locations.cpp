// Locations: each identifier typed into txtFromLocID or txtToLocID is looked up in ICLoc, its
// name shown beside it, and the signed-in user's right to use it in that role asked of the
// location rights component. Failures show no message of their own: a location table that cannot
// be read counts as "not found", rights that cannot be asked count as "not allowed".

#include "references/Locations.h"

#include "control/TransferControl.h"
#include "platform/Numeric.h"
#include "platform/Ui.h"

namespace qvtrnsfr {

namespace {

// Direction of a location in a transfer, as the location rights know it.
enum class LocationRole : int { Source = 1, Destination = 2 };

const QString LocationQuery = QStringLiteral("Select * from ICLoc Where LocID=");
const QString LocationNotFound = QStringLiteral("Location not found.");
const QString NotAllowedFrom = QStringLiteral("You are not authorized to tranfer from this location.");
const QString NotAllowedTo = QStringLiteral("You are not authorized to tranfer to this location.");
// Both refusals carry this title.
const QString RightsTitle = QStringLiteral("From Loc");

const QString LocationsTitle = QStringLiteral("Locations");
const QString LocationsSource = QStringLiteral("ICLOC");

// Opens the location's row on WorkRecordset. Without a row (also when the table cannot be read)
// warns "Location not found.", closes the recordset and answers false; otherwise leaves the
// recordset open on the row.
bool findLocation(TransferControl &ctl, double locationId)
{
    ctl.sql = LocationQuery + sqlNumber(locationId);
    ctl.WorkRecordset.open(ctl.connection, ctl.sql); // a failed open leaves it without a row
    if (!ctl.WorkRecordset.eof())
        return true;
    showMessage(ctl.widget(), QMessageBox::Warning, LocationNotFound);
    ctl.WorkRecordset.close();
    return false;
}

// The row's LocName into the name field; a name that cannot be read leaves the field as it was.
void showLocationName(TransferControl &ctl, QLineEdit *nameField)
{
    const QVariant name = ctl.WorkRecordset.value(QStringLiteral("LocName"));
    if (!name.isNull())
        nameField->setText(name.toString());
}

// The user's right to the location in a role; no when the component is missing, the identifier
// does not fit a 32-bit integer or the call fails.
bool locationAllowed(TransferControl &ctl, double locationId, LocationRole role)
{
    if (!ctl.LocationRights)
        return false;
    const auto id = roundToInt32(locationId);
    if (!id)
        return false;
    const auto allowed = ctl.LocationRights->LocationAllowed(ctl.userName, *id, static_cast<int>(role));
    return allowed.value_or(false);
}

// How one of the two location lists is prepared.
struct LocationListSearch {
    QString searchText;
    bool filterFirst; // the source list clears the filter before the title, the destination after
};

// Prepares the shared pick list over the locations and shows it. Empty text when nothing was
// chosen or the list cannot be created.
QString pickLocation(TransferControl &ctl, const LocationListSearch &search)
{
    companions::LookupDialog *list = ctl.lookupDialog();
    if (!list)
        return QString();
    if (search.filterFirst)
        list->SetFilter(QString());
    list->SetTitle(LocationsTitle);
    list->SetConnection(ctl.connection);
    list->SetSource(LocationsSource);
    if (!search.filterFirst)
        list->SetFilter(QString());
    list->SetKeyColumn(0);
    list->SetSearchText(search.searchText);
    list->SetResultColumn(0);
    list->SetOwner(ctl.hostWindow());
    list->ShowList();
    return list->SelectedValue();
}

} // namespace

// Leaving the source: in add mode every departure with a location number other than 0 resets
// the form, refused or not, so that the number proposed is that of the location now entered.
bool txtFromLocID_Validate(TransferControl &ctl)
{
    const double locationId = numericValue(ctl.form.txtFromLocID->text());
    if (locationId == 0)
        return true;

    bool accepted = findLocation(ctl, locationId);
    if (accepted) {
        showLocationName(ctl, ctl.form.txtFromLocName);
        ctl.WorkRecordset.close();
        accepted = locationAllowed(ctl, locationId, LocationRole::Source);
        if (!accepted)
            showMessage(ctl.widget(), QMessageBox::Information, NotAllowedFrom, RightsTitle);
    }
    if (!ctl.allowEdit)
        ctl.ResetForm();
    return accepted;
}

// Leaving the destination: looked up and its right asked; the form is never reset here.
bool txtToLocID_Validate(TransferControl &ctl)
{
    const double locationId = numericValue(ctl.form.txtToLocID->text());
    if (locationId == 0)
        return true;

    if (!findLocation(ctl, locationId))
        return false;
    showLocationName(ctl, ctl.form.txtToLocName);
    const bool accepted = locationAllowed(ctl, locationId, LocationRole::Destination);
    if (!accepted)
        showMessage(ctl.widget(), QMessageBox::Information, NotAllowedTo, RightsTitle);
    ctl.WorkRecordset.close();
    return accepted;
}

// The chosen location is written into the field without checking it: the check runs when the
// user leaves the field, which has the focus afterwards whatever was chosen.
void cmdFindCC_Click(TransferControl &ctl)
{
    const QString chosen = pickLocation(ctl, {ctl.form.txtFromLocID->text(), true});
    if (!chosen.isEmpty())
        ctl.form.txtFromLocID->setText(chosen);
    ctl.form.txtFromLocID->setFocus();
}

// The destination list searches for the field's numeric value ("0" for an empty field).
void cmdFindLoc_Click(TransferControl &ctl)
{
    const QString search = sqlNumber(numericValue(ctl.form.txtToLocID->text()));
    const QString chosen = pickLocation(ctl, {search, false});
    if (!chosen.isEmpty())
        ctl.form.txtToLocID->setText(chosen);
    ctl.form.txtToLocID->setFocus();
}

} // namespace qvtrnsfr
