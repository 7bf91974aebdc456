// The two modes of the form and document numbering.

#include "control/TransferControl.h"

#include "grid/LineGrid.h"
#include "platform/Numeric.h"

#include <QDate>

namespace qvtrnsfr {

// Puts the form into the empty start state of its mode. The source location, the requisition
// and sales-order numbers, the delete button and the ledger link keep their state.
void TransferControl::ResetForm()
{
    if (allowEdit) {
        form.cmdFindDoc->setVisible(true);
        form.setDocNoEditable(true);
        form.cmdSave->setText(QStringLiteral("&Save"));
        form.cmdSave->setEnabled(false);
        form.cmdPrintGLVoucher->setVisible(true);
    } else {
        form.setDocNoEditable(false);
        form.cmdFindDoc->setVisible(false);
        form.txtDocNo->setText(QString::number(NextDocNo()));
        form.cmdSave->setText(QStringLiteral("&Add"));
        form.cmdSave->setEnabled(true);
        form.cmdPrintGLVoucher->setVisible(false);
    }

    auto fresh = std::make_unique<LineArray>();
    fresh->Resize(0, -1, 0, LineColumnCount - 1);
    replaceLines(std::move(fresh));

    form.txtTotalQty->setText(QStringLiteral("0.00"));
    form.txtToLocID->clear();
    form.dtpDocDate->setDate(QDate::currentDate());
    form.txtNarration->clear();
    form.chkPrice->setChecked(false);
}

// The number to propose for the source location on the form: its highest number plus 1, 1 for
// a location without vouchers, 0 when the query cannot run.
qint32 TransferControl::NextDocNo()
{
    const QString query = QStringLiteral("Select Max(DocNo) as MaxID from ") + HeaderTable +
                          QStringLiteral(" Where FromLocID=") +
                          sqlNumber(numericValue(form.txtFromLocID->text()));
    Snapshot numbers;
    if (!numbers.open(connection, query))
        return 0;
    if (numbers.eof())
        return 1;
    const QVariant highest = numbers.value(QStringLiteral("MaxID"));
    return highest.isNull() ? 1 : highest.toInt() + 1;
}

} // namespace qvtrnsfr
