#pragma once
// The real implementations of the companions.

// Beside this header both in the sources and where it is installed.
#include "Companions.h"

namespace companions {

class QVTRNSFR_EXPORT DefaultFactory : public Factory {
public:
    std::unique_ptr<LookupDialog> createLookupDialog() override;
    std::unique_ptr<LocationRights> createLocationRights() override;
    std::unique_ptr<InventoryService> createInventoryService() override;
    std::unique_ptr<LedgerService> createLedgerService() override;
    std::unique_ptr<SettingsStore> createSettingsStore() override;
    std::unique_ptr<ControlAttachment> createControlAttachment() override;

    // When set, printed ledger vouchers are written to this PDF file instead of being shown in
    // a print preview (headless runs and tests).
    void setLedgerPdfPath(const QString &path) { m_ledgerPdfPath = path; }
    QString ledgerPdfPath() const { return m_ledgerPdfPath; }

private:
    QString m_ledgerPdfPath;
};

} // namespace companions
