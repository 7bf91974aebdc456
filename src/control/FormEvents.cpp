// Every field, button and grid notification of the form connected to its routine, each through
// the one guard, so that nothing a routine throws reaches the event loop.

#include "control/FormRoutines.h"
#include "control/TransferControl.h"

#include "ctlTransfer.h"
#include "grid/LineGrid.h"
#include "platform/NoThrow.h"
#include "platform/Ui.h"

#include <QAction>

namespace qvtrnsfr {

namespace {

using Routine = void (*)(TransferControl &);
using Check = bool (*)(TransferControl &);

void onClick(TransferControl &ctl, QAbstractButton *button, const char *name, Routine routine)
{
    TransferControl *c = &ctl;
    QObject::connect(button, &QAbstractButton::clicked, c,
                     [c, name, routine] { runNoThrow(name, [&] { routine(*c); }); });
}

// Field checks run as the field is left; the leave validator guards them (a check that throws
// refuses).
void onLeave(TransferControl &ctl, QWidget *field, Check check)
{
    TransferControl *c = &ctl;
    ctl.leaveValidator().watch(field, [c, check] { return check(*c); });
}

void wireGrid(TransferControl &ctl)
{
    TransferControl *c = &ctl;
    LineGrid *grid = ctl.form().grdDetail;
    QObject::connect(grid, &LineGrid::cellCommitted, c, [c](int column) {
        runNoThrow("cellCommitted", [&] {
            if (column == ColItemCode)
                ResolveItem(*c);
            else if (column == ColUnit)
                GetConversion(*c);
        });
    });
    // A check that cannot finish keeps the row out of the lines.
    QObject::connect(grid, &LineGrid::rowStoring, c, [c](bool &cancel) {
        bool passed = false;
        runNoThrow("rowStoring", [&] { passed = CheckCurrentRow(*c); });
        cancel = cancel || !passed;
    });
    const auto totals = [c] {
        runNoThrow("UpdateTotalQty", [&] { UpdateTotalQty(*c); });
        runNoThrow("WriteDraft", [&] { WriteDraft(*c); });
    };
    QObject::connect(grid, &LineGrid::rowStored, c, totals);
    QObject::connect(grid, &LineGrid::rowDeleted, c, totals);
    QObject::connect(grid, &LineGrid::gridKeyPress, c,
                     [c](int &keyCode) { runNoThrow("gridKeyPress", [&] { GridKeyPress(*c, keyCode); }); });
    // The grid shows no message of its own for a value it cannot take.
    QObject::connect(grid, &LineGrid::gridDataError, c, [](int, int &response) { response = 0; });
    QObject::connect(grid, &LineGrid::cellButtonPressed, c, [c](int column) {
        runNoThrow("cellButtonPressed", [&] { CellButtonPressed(*c, column); });
    });
    // The grid's context menu, and Ctrl+V on the grid itself (a cell editor keeps its own paste).
    auto *paste = new QAction(ctlTransfer::tr("Paste Lines"), grid);
    paste->setShortcut(QKeySequence::Paste);
    paste->setShortcutContext(Qt::WidgetShortcut);
    auto *import = new QAction(ctlTransfer::tr("Import Lines from CSV…"), grid);
    grid->addActions({paste, import});
    grid->setContextMenuPolicy(Qt::ActionsContextMenu);
    QObject::connect(paste, &QAction::triggered, c,
                     [c] { runNoThrow("PasteLines", [&] { PasteLines(*c); }); });
    QObject::connect(import, &QAction::triggered, c,
                     [c] { runNoThrow("ImportLinesFromCsv", [&] { ImportLinesFromCsv(*c); }); });
    // Leaving the grid stores the line being edited, with its check: a line the user typed is
    // never left behind by a click on a button, and a refused line keeps the cursor.
    ctl.leaveValidator().watch(grid, [grid] { return grid->storeCurrentRow(); });
}

} // namespace

void wireForm(TransferControl &ctl)
{
    TransferControl *c = &ctl;
    TransferForm &form = ctl.form();
    onClick(ctl, form.cmdNew, "cmdNew", [](TransferControl &t) { t.ResetForm(); });
    onClick(ctl, form.cmdClose, "cmdClose", [](TransferControl &t) { closeHostWindow(t.widget()); });
    onClick(ctl, form.cmdFindDoc, "cmdFindDoc", cmdFindDoc_Click);
    onClick(ctl, form.cmdSave, "cmdSave", cmdSave_Click);
    onClick(ctl, form.cmdDelete, "cmdDelete", cmdDelete_Click);
    onClick(ctl, form.cmdPrintGLVoucher, "cmdPrintGLVoucher", cmdPrintGLVoucher_Click);
    onClick(ctl, form.cmdFindCC, "cmdFindCC", cmdFindCC_Click);
    onClick(ctl, form.cmdFindLoc, "cmdFindLoc", cmdFindLoc_Click);
    onClick(ctl, form.cmdFindPo, "cmdFindPo", cmdFindPo_Click);
    onClick(ctl, form.cmdRef, "cmdRef", cmdRef_Click);
    onLeave(ctl, form.txtDocNo, txtDocNo_Validate);
    onLeave(ctl, form.txtFromLocID, txtFromLocID_Validate);
    onLeave(ctl, form.txtToLocID, txtToLocID_Validate);
    QObject::connect(form.txtTotalQty, &QLineEdit::textChanged, c,
                     [c] { runNoThrow("TotalQtyChanged", [&] { TotalQtyChanged(*c); }); });
    QObject::connect(form.chkPrice, &QCheckBox::toggled, c,
                     [c] { runNoThrow("PriceCheckChanged", [&] { PriceCheckChanged(*c); }); });
    QObject::connect(form.chkScanMode, &QCheckBox::toggled, c,
                     [c] { runNoThrow("ScanModeChanged", [&] { ScanModeChanged(*c); }); });
    wireGrid(ctl);
}

} // namespace qvtrnsfr
