#include "grid/LineEntryEvents.h"

#include "control/TransferControl.h"

namespace qvtrnsfr {

void wireLineEntry(TransferControl &ctl)
{
    Q_UNUSED(ctl)
}

} // namespace qvtrnsfr
