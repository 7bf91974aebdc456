#include "references/ReferenceEvents.h"

#include "control/TransferControl.h"
#include "references/Locations.h"
#include "references/Requisition.h"

#include <QLoggingCategory>
#include <exception>

namespace qvtrnsfr {

namespace {

Q_LOGGING_CATEGORY(lcReferences, "qvtrnsfr.references")

// Connects a button to its routine so that no exception leaves the slot; one is logged.
void connectClick(TransferControl &ctl, QPushButton *button, const char *name,
                  void (*routine)(TransferControl &))
{
    QObject::connect(button, &QPushButton::clicked, &ctl, [&ctl, name, routine] {
        try {
            routine(ctl);
        } catch (const std::exception &error) {
            qCWarning(lcReferences) << name << "failed:" << error.what();
        } catch (...) {
            qCWarning(lcReferences) << name << "failed";
        }
    });
}

} // namespace

void wireReferences(TransferControl &ctl)
{
    // The validator keeps exceptions of a check inside it.
    ctl.leaveValidator().watch(ctl.form.txtFromLocID, [&ctl] { return txtFromLocID_Validate(ctl); });
    ctl.leaveValidator().watch(ctl.form.txtToLocID, [&ctl] { return txtToLocID_Validate(ctl); });
    connectClick(ctl, ctl.form.cmdFindCC, "cmdFindCC", &cmdFindCC_Click);
    connectClick(ctl, ctl.form.cmdFindLoc, "cmdFindLoc", &cmdFindLoc_Click);
    connectClick(ctl, ctl.form.cmdFindPo, "cmdFindPo", &cmdFindPo_Click);
    connectClick(ctl, ctl.form.cmdRef, "cmdRef", &cmdRef_Click);
}

} // namespace qvtrnsfr
