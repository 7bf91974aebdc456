#include "grid/Totals.h"

#include "control/TransferControl.h"
#include "platform/Numeric.h"

namespace qvtrnsfr {

void UpdateTotalQty(TransferControl &ctl)
{
    const LineArray &lines = ctl.lineArray();
    double total = 0;
    for (int row = lines.LowBound(1); row <= lines.HighBound(1); ++row) {
        // A quantity that is not a number (the empty text included) adds nothing.
        if (const auto qty = localeNumber(lines.cellText(row, ColQty)))
            total += *qty;
    }
    ctl.form.txtTotalQty->setText(formatTotal(total));
}

void TotalQtyChanged(TransferControl &ctl)
{
    ctl.form.cmdRef->setEnabled(numericValue(ctl.form.txtTotalQty->text()) == 0);
    ctl.form.cmdFindPo->setEnabled(numericValue(ctl.form.txtTotalQty->text()) == 0);
}

} // namespace qvtrnsfr
