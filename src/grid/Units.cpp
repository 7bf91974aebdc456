#include "grid/Units.h"

#include "control/TransferControl.h"
#include "grid/LineGrid.h"
#include "platform/Numeric.h"

namespace qvtrnsfr {

const QString UnitOfItemSql = QStringLiteral("Select * from ICUnit Where ItemID=? And Unit=?");

void GetConversion(TransferControl &ctl)
{
    LineGrid *grid = ctl.form.grdDetail;
    const QString unit = grid->cellText(ColUnit);
    if (unit.isEmpty())
        return;
    if (ctl.WorkRecordset.isOpen())
        ctl.WorkRecordset.close();
    ctl.sql = UnitOfItemSql;
    // When the query cannot run, "Unit" and "Conversion" keep what they hold.
    if (ctl.WorkRecordset.open(ctl.connection, UnitOfItemSql, {grid->cellText(ColItemCode), unit})) {
        if (ctl.WorkRecordset.eof()) {
            grid->setCell(ColUnit, ctl.LastStockUnit);
            grid->setCell(ColConversion, QStringLiteral("1"));
        } else {
            const QVariant factor = ctl.WorkRecordset.value(QStringLiteral("Conver"));
            grid->setCell(ColConversion, sqlNumber(factor.toDouble()));
        }
    }
    ctl.WorkRecordset.close();
}

} // namespace qvtrnsfr
