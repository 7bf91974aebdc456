#include "documents/PrintVoucher.h"

#include "control/TransferControl.h"

namespace qvtrnsfr {

void cmdPrintGLVoucher_Click(TransferControl &ctl)
{
    const std::unique_ptr<companions::LedgerService> ledger = ctl.factory().createLedgerService();
    if (!ledger) {
        qCWarning(lcDb) << "Printing the ledger voucher skipped: the ledger component cannot be created";
        return;
    }
    ledger->SetConnection(ctl.connection);
    ledger->LoadSetup();
    ledger->PrintVoucher(ctl.LedgerLinkId, ctl.hostCaption());
}

} // namespace qvtrnsfr
