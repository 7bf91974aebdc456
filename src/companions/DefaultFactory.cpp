#include "companions/DefaultFactory.h"

#include "companions/CompanionsLog.h"
#include "companions/ContextAttachment.h"
#include "companions/GLLedgerService.h"
#include "companions/NativeSettingsStore.h"
#include "companions/ProfileLocationRights.h"
#include "companions/SqlLookupDialog.h"
#include "companions/StockMoveInventory.h"

namespace companions {

std::unique_ptr<LookupDialog> DefaultFactory::createLookupDialog()
{
    return std::make_unique<SqlLookupDialog>();
}

std::unique_ptr<LocationRights> DefaultFactory::createLocationRights()
{
    return std::make_unique<ProfileLocationRights>();
}

std::unique_ptr<InventoryService> DefaultFactory::createInventoryService()
{
    return std::make_unique<StockMoveInventory>();
}

std::unique_ptr<LedgerService> DefaultFactory::createLedgerService()
{
    auto ledger = std::make_unique<GLLedgerService>();
    ledger->setPdfPath(m_ledgerPdfPath);
    return ledger;
}

std::unique_ptr<SettingsStore> DefaultFactory::createSettingsStore()
{
    return std::make_unique<NativeSettingsStore>();
}

std::unique_ptr<ControlAttachment> DefaultFactory::createControlAttachment()
{
    return std::make_unique<ContextAttachment>();
}

} // namespace companions
