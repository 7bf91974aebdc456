// The total quantity with the requisition buttons that follow it, and the price lists.

#include "control/FormRoutines.h"
#include "control/TransferControl.h"
#include "control/ctlTransfer.h"

#include "grid/LineGrid.h"
#include "platform/Numeric.h"
#include "platform/Ui.h"
#include "voucher/Catalog.h"

namespace qvtrnsfr {

// "#,##0.00" of the plain sum of the stored lines' quantities.
void UpdateTotalQty(TransferControl &ctl)
{
    ctl.form().txtTotalQty->setText(formatTotal(totalQuantity(ctl.lines())));
}

// The requisition buttons are offered only while the total reads as 0.
void TotalQtyChanged(TransferControl &ctl)
{
    TransferForm &form = ctl.form();
    form.cmdRef->setEnabled(numericValue(form.txtTotalQty->text()) == 0);
    form.cmdFindPo->setEnabled(numericValue(form.txtTotalQty->text()) == 0);
}

// Fills the price-list choice and shows chkPrice only when there is a list; the last list is
// chosen. A failure ends it with a message titled "Error", the lists read before it kept.
void FillPriceList(TransferControl &ctl)
{
    QComboBox *lists = ctl.form().cboPriceList;
    lists->clear();
    const PriceLists read = readPriceLists(ctl.connection());
    lists->addItems(read.names);
    if (read.failed) {
        showMessage(ctl.widget(), QMessageBox::Critical,
                    ctlTransfer::tr("Error %1 (%2) in procedure FillPriceList of User Control ctlTransfer")
                        .arg(QString::number(read.errorNumber), read.errorText),
                    ctlTransfer::tr("Error"));
        return;
    }
    ctl.form().chkPrice->setVisible(lists->count() > 0);
    lists->setCurrentIndex(lists->count() - 1);
}

// Every change of chkPrice shows or hides the "Sale Price" column and the price-list choice.
void PriceCheckChanged(TransferControl &ctl)
{
    const bool shown = ctl.form().chkPrice->isChecked();
    ctl.form().grdDetail->setColumnHidden(ColSalePrice, !shown);
    ctl.form().cboPriceList->setVisible(shown);
}

} // namespace qvtrnsfr
