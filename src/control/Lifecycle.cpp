// First focus: the one-time set-up of the control when the focus first enters it.

#include "control/FormRoutines.h"
#include "control/TransferControl.h"

#include "grid/ColumnWidths.h"
#include "grid/LineGrid.h"
#include "platform/NoThrow.h"

#include <QDate>

namespace qvtrnsfr {

// Every step is skipped when what it needs is missing (no connection, a companion that cannot be
// created or fails); the remaining steps still run and the set-up is not tried again.
void TransferControl::FirstFocus()
{
    SetupGrid();

    if (inventory())
        m_inventory->SetConnection(m_connection);

    if (!m_locationRights)
        m_locationRights = factory().createLocationRights();
    if (m_locationRights) {
        m_locationRights->SetConnection(m_connection);
        m_locationRights->SetUser(m_user);
        m_locationRights->LoadProfile();
        if (const auto profile = m_locationRights->ProfileNumber(); profile && m_inventory)
            m_inventory->SetProfileNumber(*profile);
        if (const auto flag = m_locationRights->TrackSerialNo())
            m_stockOptions.trackSerialNo = *flag;
        if (const auto flag = m_locationRights->AllowNegativeInventory())
            m_stockOptions.allowNegativeInventory = *flag;
    }

    m_form.dtpDocDate->setDate(QDate::currentDate());

    if (m_locationRights) {
        // A user whose date is fixed cannot reach the date field.
        if (const auto fixed = m_locationRights->DateFixed(); fixed && *fixed)
            m_form.dtpDocDate->setEnabled(false);
        // A user who may not choose the source works from their own location only.
        if (const auto mayChange = m_locationRights->MayChangeSource(); mayChange && !*mayChange) {
            if (const auto own = m_locationRights->OwnLocation())
                m_form.txtFromLocID->setText(QString::number(*own));
            m_form.txtFromLocID->setEnabled(false);
            m_form.cmdFindCC->setEnabled(false);
        }
    }

    // The ledger component is made for this step only.
    if (const auto ledger = factory().createLedgerService()) {
        ledger->SetConnection(m_connection);
        ledger->LoadSetup();
        if (const auto setting = ledger->TransactionSetting())
            m_useTransaction = *setting != 0;
    }

    if (m_allowEdit)
        m_form.cmdNew->setVisible(false);

    FillPriceList(*this);
    ResetForm();

    if (!m_attachment)
        m_attachment = factory().createControlAttachment();
    if (m_attachment)
        m_attachment->Attach(widget());

    m_focusInitialised = true;
    // A draft left behind is offered once the focus has settled.
    QMetaObject::invokeMethod(
        this, [this] { runNoThrow("OfferDraft", [this] { OfferDraft(*this); }); }, Qt::QueuedConnection);
}

// Builds the grid's eight columns, restores the user's widths and resets the form.
void TransferControl::SetupGrid()
{
    m_form.grdDetail->setupColumns();
    LoadColumnWidths(*m_form.grdDetail, factory());
    ResetForm();
}

void TransferControl::SaveColumnWidths()
{
    qvtrnsfr::SaveColumnWidths(*m_form.grdDetail, factory());
}

} // namespace qvtrnsfr
