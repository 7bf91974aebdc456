#include "grid/CellLookups.h"

#include "control/TransferControl.h"
#include "grid/ItemResolution.h"
#include "grid/LineGrid.h"
#include "grid/Units.h"

namespace qvtrnsfr {

namespace {

// Lists the items in stock at the source location.
void pickItem(TransferControl &ctl)
{
    companions::LookupDialog *list = ctl.lookupDialog();
    if (!list)
        return;
    LineGrid *grid = ctl.form.grdDetail;
    list->SetFilter(QStringLiteral("LocID=") + ctl.form.txtFromLocID->text());
    list->SetTitle(QStringLiteral("Items"));
    list->SetConnection(ctl.connection);
    list->SetSource(QStringLiteral("CurrentStock"));
    list->SetKeyColumn(0);
    list->SetSearchText(grid->cellText(ColItemCode));
    list->SetResultColumn(0);
    list->SetOwner(ctl.hostWindow());
    list->ShowList();
    const QString picked = list->SelectedValue();
    if (picked.isEmpty())
        return;
    grid->setCell(ColItemCode, picked);
    ResolveItem(ctl);
}

// Lists the units defined for the row's item.
void pickUnit(TransferControl &ctl)
{
    companions::LookupDialog *list = ctl.lookupDialog();
    if (!list)
        return;
    LineGrid *grid = ctl.form.grdDetail;
    list->SetTitle(QStringLiteral("Units"));
    list->SetConnection(ctl.connection);
    list->SetSource(QStringLiteral("ICUnit"));
    list->SetFilter(QStringLiteral("ItemID='") + grid->cellText(ColItemCode) + QStringLiteral("'"));
    list->SetKeyColumn(1);
    list->SetSearchText(grid->cellText(ColUnit));
    list->SetResultColumn(1);
    list->SetOwner(ctl.hostWindow());
    list->ShowList();
    const QString picked = list->SelectedValue();
    if (picked.isEmpty())
        return;
    grid->setCell(ColUnit, picked);
    GetConversion(ctl);
}

bool isQuantityKey(int keyCode)
{
    return keyCode == 8 || keyCode == '+' || keyCode == '-' || keyCode == '.' ||
           (keyCode >= '0' && keyCode <= '9');
}

} // namespace

void CellButtonPressed(TransferControl &ctl, int column)
{
    if (column == ColItemCode)
        pickItem(ctl);
    else if (column == ColUnit)
        pickUnit(ctl);
    LineGrid *grid = ctl.form.grdDetail;
    grid->setFocus(Qt::OtherFocusReason);
    grid->setCurrentColumn(column);
}

void GridKeyPress(TransferControl &ctl, int &keyCode)
{
    if (ctl.form.grdDetail->currentColumn() != ColQty)
        return;
    if (!isQuantityKey(keyCode))
        keyCode = 0;
}

} // namespace qvtrnsfr
