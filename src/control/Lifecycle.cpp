// First focus: the one-time set-up of the control when the focus first enters it.

#include "control/TransferControl.h"

#include "grid/GridSetup.h"
#include "grid/LineGrid.h"
#include "grid/PriceList.h"

#include <QDate>

namespace qvtrnsfr {

// Every step is skipped when what it needs is missing (no connection, a companion that cannot be
// created or fails); the remaining steps still run and the set-up is not tried again.
void TransferControl::FirstFocus()
{
    SetupGrid(*this);

    inventory();
    if (InventoryService)
        InventoryService->SetConnection(connection);

    if (!LocationRights)
        LocationRights = factory().createLocationRights();
    if (LocationRights) {
        LocationRights->SetConnection(connection);
        LocationRights->SetUser(userName);
        LocationRights->LoadProfile();
        if (const auto profile = LocationRights->ProfileNumber(); profile && InventoryService)
            InventoryService->SetProfileNumber(*profile);
        if (const auto flag = LocationRights->TrackSerialNo())
            TrackSerialNo = *flag;
        if (const auto flag = LocationRights->AllowNegativeInventory())
            AllowNegativeInventory = *flag;
    }

    form.dtpDocDate->setDate(QDate::currentDate());

    if (LocationRights) {
        // A user whose date is fixed cannot reach the date field.
        if (const auto fixed = LocationRights->DateFixed(); fixed && *fixed)
            form.dtpDocDate->setEnabled(false);
        // A user who may not choose the source works from their own location only.
        if (const auto mayChange = LocationRights->MayChangeSource(); mayChange && !*mayChange) {
            if (const auto own = LocationRights->OwnLocation())
                form.txtFromLocID->setText(QString::number(*own));
            form.txtFromLocID->setEnabled(false);
            form.cmdFindCC->setEnabled(false);
        }
    }

    LedgerService = factory().createLedgerService();
    if (LedgerService) {
        LedgerService->SetConnection(connection);
        LedgerService->LoadSetup();
        if (const auto setting = LedgerService->TransactionSetting())
            UseTransaction = *setting != 0;
        LedgerService.reset();
    }

    if (allowEdit)
        form.cmdNew->setVisible(false);

    FillPriceList(*this);
    ResetForm();

    if (!ControlAttachment)
        ControlAttachment = factory().createControlAttachment();
    if (ControlAttachment)
        ControlAttachment->Attach(widget());

    FocusInitialised = true;
}

void TransferControl::SaveColumnWidths()
{
    qvtrnsfr::SaveColumnWidths(*this);
}

} // namespace qvtrnsfr
