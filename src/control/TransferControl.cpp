#include "control/TransferControl.h"

#include "companions/DefaultFactory.h"
#include "ctlTransfer.h"
#include "documents/DocumentEvents.h"
#include "grid/GridSetup.h"
#include "grid/LineEntryEvents.h"
#include "grid/LineGrid.h"
#include "grid/PriceList.h"
#include "grid/Totals.h"
#include "platform/Ui.h"
#include "references/ReferenceEvents.h"

#include <QApplication>

namespace qvtrnsfr {

TransferControl::TransferControl(ctlTransfer *control)
    : QObject(control), m_control(control), m_leaveValidator(std::make_unique<LeaveValidator>())
{
    form.build(control);
    lines = std::make_unique<LineArray>();
    lines->Resize(0, -1, 0, LineColumns - 1);
    form.grdDetail->bind(lines.get());
    wire();
}

TransferControl::~TransferControl()
{
    // The grid is a child of the control and goes after this state: leave it no dangling lines.
    if (form.grdDetail)
        form.grdDetail->bind(nullptr);
}

QWidget *TransferControl::widget() const
{
    return m_control;
}

QWidget *TransferControl::hostWindow() const
{
    return qvtrnsfr::hostWindow(m_control);
}

QString TransferControl::hostCaption() const
{
    return qvtrnsfr::hostCaption(m_control);
}

companions::Factory &TransferControl::factory()
{
    if (!m_factory)
        m_factory = std::make_shared<companions::DefaultFactory>();
    return *m_factory;
}

void TransferControl::setFactory(std::shared_ptr<companions::Factory> factory)
{
    m_factory = std::move(factory);
}

void TransferControl::replaceLines(std::unique_ptr<LineArray> fresh)
{
    form.grdDetail->bind(fresh.get());
    lines = std::move(fresh);
}

companions::LookupDialog *TransferControl::lookupDialog()
{
    if (!LookupDialog)
        LookupDialog = factory().createLookupDialog();
    return LookupDialog.get();
}

companions::InventoryService *TransferControl::inventory()
{
    if (!InventoryService)
        InventoryService = factory().createInventoryService();
    return InventoryService.get();
}

bool TransferControl::editMode() const
{
    return form.txtDocNo->isEnabled();
}

void TransferControl::cmdNew_Click()
{
    ResetForm();
}

void TransferControl::cmdClose_Click()
{
    closeHostWindow(m_control);
}

void TransferControl::wire()
{
    connect(qApp, &QApplication::focusChanged, this, &TransferControl::onFocusChanged);
    connect(form.cmdNew, &QPushButton::clicked, this, &TransferControl::cmdNew_Click);
    connect(form.cmdClose, &QPushButton::clicked, this, &TransferControl::cmdClose_Click);
    connect(form.txtTotalQty, &QLineEdit::textChanged, this, [this] { TotalQtyChanged(*this); });
    connect(form.chkPrice, &QCheckBox::toggled, this, [this] { PriceCheckChanged(*this); });
    connect(form.grdDetail, &LineGrid::rowStored, this, [this] { UpdateTotalQty(*this); });
    connect(form.grdDetail, &LineGrid::rowDeleted, this, [this] { UpdateTotalQty(*this); });
    // Leaving the grid stores the line being edited, with its line check: a line the user typed
    // is never left behind by a click on a button, and a refused line keeps the cursor.
    m_leaveValidator->watch(form.grdDetail, [this] { return form.grdDetail->storeCurrentRow(); });
    wireReferences(*this);
    wireDocuments(*this);
    wireLineEntry(*this);
}

bool TransferControl::contains(const QWidget *w) const
{
    return w && (w == m_control || m_control->isAncestorOf(w));
}

// Focus entering the control from outside runs the first-focus set-up once; focus leaving it for
// another widget of the same window (or the window losing the focus) stores the column widths.
void TransferControl::onFocusChanged(QWidget *old, QWidget *now)
{
    const bool wasInside = contains(old);
    const bool isInside = contains(now);
    if (isInside && !wasInside) {
        // A message box shown during the set-up hands the focus back when it closes: that is no
        // new entry.
        if (!FocusInitialised && !m_initialising) {
            m_initialising = true;
            FirstFocus();
            m_initialising = false;
        }
        return;
    }
    if (wasInside && !isInside && (!now || now->window() == m_control->window()))
        SaveColumnWidths();
}

} // namespace qvtrnsfr
