#include "references/ReferenceEvents.h"

#include "control/TransferControl.h"

namespace qvtrnsfr {

void wireReferences(TransferControl &ctl)
{
    Q_UNUSED(ctl)
}

} // namespace qvtrnsfr
