#include "documents/DocumentEvents.h"

#include "control/TransferControl.h"
#include "documents/DeleteDocument.h"
#include "documents/LoadDocument.h"
#include "documents/PrintVoucher.h"
#include "documents/SaveDocument.h"

#include <exception>

namespace qvtrnsfr {

namespace {

// Runs a handler so that nothing it throws reaches the event loop; a failure is logged and the
// form stays as the handler left it. Answers the handler's result, or the fallback.
template <typename Handler>
auto guarded(const char *what, Handler &&handler, decltype(handler()) fallback = {})
{
    try {
        return handler();
    } catch (const std::exception &error) {
        qCWarning(lcDb) << what << "failed:" << error.what();
    } catch (...) {
        qCWarning(lcDb) << what << "failed";
    }
    return fallback;
}

template <typename Routine>
void onClick(TransferControl &ctl, QPushButton *button, const char *what, Routine routine)
{
    TransferControl *c = &ctl;
    QObject::connect(button, &QPushButton::clicked, &ctl, [c, what, routine] {
        guarded(what, [&] {
            routine(*c);
            return true;
        });
    });
}

} // namespace

void wireDocuments(TransferControl &ctl)
{
    TransferControl *c = &ctl;
    // A refused number keeps the focus in the field; a check that throws lets the user go on.
    ctl.leaveValidator().watch(ctl.form.txtDocNo, [c] {
        return guarded(
            "txtDocNo_Validate", [c] { return txtDocNo_Validate(*c); }, true);
    });
    onClick(ctl, ctl.form.cmdFindDoc, "cmdFindDoc_Click", cmdFindDoc_Click);
    onClick(ctl, ctl.form.cmdSave, "cmdSave_Click", cmdSave_Click);
    onClick(ctl, ctl.form.cmdDelete, "cmdDelete_Click", cmdDelete_Click);
    onClick(ctl, ctl.form.cmdPrintGLVoucher, "cmdPrintGLVoucher_Click", cmdPrintGLVoucher_Click);
}

} // namespace qvtrnsfr
