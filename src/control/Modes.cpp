// The two modes of the form and document numbering.

#include "control/FormRoutines.h"
#include "control/TransferControl.h"

#include <QDate>

namespace qvtrnsfr {

// Puts the form into the empty start state of its mode. The source location, the requisition
// and sales-order numbers, the delete button and the ledger link keep their state.
void TransferControl::ResetForm()
{
    m_recalled.reset();
    if (m_allowEdit) {
        m_form.cmdFindDoc->setVisible(true);
        m_form.setDocNoEditable(true);
        m_form.setSaveCaption(true);
        m_form.cmdSave->setEnabled(false);
        m_form.cmdPrintGLVoucher->setVisible(true);
    } else {
        m_form.setDocNoEditable(false);
        m_form.cmdFindDoc->setVisible(false);
        m_form.txtDocNo->setText(QString::number(NextDocNo()));
        m_form.setSaveCaption(false);
        m_form.cmdSave->setEnabled(true);
        m_form.cmdPrintGLVoucher->setVisible(false);
    }

    LineArray empty;
    empty.Resize(0, -1, 0, LineColumns - 1);
    replaceLines(std::move(empty));

    m_form.txtTotalQty->setText(QStringLiteral("0.00"));
    m_form.txtToLocID->clear();
    m_form.dtpDocDate->setDate(QDate::currentDate());
    m_form.txtNarration->clear();
    m_form.chkPrice->setChecked(false);
}

// The number to propose for the source location on the form.
qint32 TransferControl::NextDocNo()
{
    return store().NextDocNo(NumberText::read(m_form.txtFromLocID->text()).leading);
}

} // namespace qvtrnsfr
