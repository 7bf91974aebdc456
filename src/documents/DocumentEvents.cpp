#include "documents/DocumentEvents.h"

#include "control/TransferControl.h"

namespace qvtrnsfr {

void wireDocuments(TransferControl &ctl)
{
    Q_UNUSED(ctl)
}

} // namespace qvtrnsfr
