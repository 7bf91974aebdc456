#include "control/TransferControl.h"

#include "companions/DefaultFactory.h"
#include "control/FormRoutines.h"
#include "control/Translations.h"
#include "ctlTransfer.h"
#include "grid/LineGrid.h"
#include "platform/Ui.h"

#include <QApplication>

namespace qvtrnsfr {

TransferControl::TransferControl(ctlTransfer *control)
    : QObject(control), m_control(control), m_lines(std::make_unique<LineArray>())
{
    installTranslations(); // before the first control builds its form, in the user's language
    m_form.build(control);
    m_lines->Resize(0, -1, 0, LineColumns - 1);
    m_form.grdDetail->bind(m_lines.get());
    wire();
}

TransferControl::~TransferControl()
{
    // The control's first child, this state goes before the form's fields: leave the grid no
    // dangling lines.
    if (m_form.grdDetail)
        m_form.grdDetail->bind(nullptr);
}

void TransferControl::setConnection(const QSqlDatabase &db)
{
    m_connection = db;
    m_store = VoucherStore(db);
}

companions::Factory &TransferControl::factory()
{
    if (!m_factory)
        m_factory = std::make_shared<companions::DefaultFactory>();
    return *m_factory;
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

void TransferControl::replaceLines(LineArray lines)
{
    auto fresh = std::make_unique<LineArray>(std::move(lines));
    m_form.grdDetail->bind(fresh.get());
    m_lines = std::move(fresh);
}

companions::LookupDialog *TransferControl::lookupDialog()
{
    if (!m_lookupDialog)
        m_lookupDialog = factory().createLookupDialog();
    return m_lookupDialog.get();
}

companions::InventoryService *TransferControl::inventory()
{
    if (!m_inventory)
        m_inventory = factory().createInventoryService();
    return m_inventory.get();
}

void TransferControl::wire()
{
    connect(qApp, &QApplication::focusChanged, this, &TransferControl::onFocusChanged);
    wireForm(*this);
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
        if (!m_focusInitialised && !m_initialising) {
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
