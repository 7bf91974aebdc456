#include "grid/LineEntryEvents.h"

#include "control/TransferControl.h"
#include "grid/CellLookups.h"
#include "grid/ItemResolution.h"
#include "grid/LineGrid.h"
#include "grid/LineValidation.h"
#include "grid/Units.h"
#include "platform/Db.h"

#include <exception>

namespace qvtrnsfr {

namespace {

// Runs a handler so that nothing it throws reaches the event loop; a failure is logged and the
// grid carries on as if the handler had done nothing.
template <typename Handler> void guarded(const char *what, Handler &&handler)
{
    try {
        handler();
    } catch (const std::exception &error) {
        qCWarning(lcDb) << what << "failed:" << error.what();
    } catch (...) {
        qCWarning(lcDb) << what << "failed";
    }
}

void cellCommitted(TransferControl &ctl, int column)
{
    if (column == ColItemCode)
        ResolveItem(ctl);
    else if (column == ColUnit)
        GetConversion(ctl);
}

} // namespace

void wireLineEntry(TransferControl &ctl)
{
    LineGrid *grid = ctl.form.grdDetail;
    TransferControl *c = &ctl;
    QObject::connect(grid, &LineGrid::cellCommitted, &ctl,
                     [c](int column) { guarded("cellCommitted", [&] { cellCommitted(*c, column); }); });
    QObject::connect(grid, &LineGrid::rowStoring, &ctl, [c](bool &cancel) {
        // A check that cannot finish keeps the row out of the LineArray.
        bool refused = true;
        guarded("rowStoring", [&] { refused = !ValidateLine(*c); });
        if (refused)
            cancel = true;
    });
    QObject::connect(grid, &LineGrid::gridKeyPress, &ctl,
                     [c](int &keyCode) { guarded("gridKeyPress", [&] { GridKeyPress(*c, keyCode); }); });
    QObject::connect(grid, &LineGrid::gridDataError, &ctl, [](int, int &response) { response = 0; });
    QObject::connect(grid, &LineGrid::cellButtonPressed, &ctl, [c](int column) {
        guarded("cellButtonPressed", [&] { CellButtonPressed(*c, column); });
    });
    QObject::connect(ctl.form.chkScanMode, &QCheckBox::toggled, &ctl,
                     [c] { guarded("chkScanMode", [&] { ScanModeChanged(*c); }); });
}

} // namespace qvtrnsfr
