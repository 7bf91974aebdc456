#include "ctlTransfer.h"

#include "companions/DefaultFactory.h"
#include "control/FormRoutines.h"
#include "control/TransferControl.h"

#include <QEvent>
#include <QResizeEvent>
#include <QShortcut>

using qvtrnsfr::TransferControl;
using qvtrnsfr::twipsToPixels;

namespace {
// The designed size of the form, in twips.
constexpr double DesignedWidth = 11715;
constexpr double DesignedHeight = 7200;
} // namespace

ctlTransfer::ctlTransfer(QWidget *parent) : QWidget(parent), d(new TransferControl(this))
{
    setWindowTitle(tr("Velta Transfers"));
    setFocusPolicy(Qt::NoFocus);
    auto *print = new QShortcut(QKeySequence::Print, this);
    print->setContext(Qt::WidgetWithChildrenShortcut);
    connect(print, &QShortcut::activated, this, qOverload<>(&ctlTransfer::printTransferVoucher));
    resize(minimumSizeHint());
    setMinimumSize(minimumSizeHint());
}

ctlTransfer::~ctlTransfer() = default;

bool ctlTransfer::MergeRepeatedScans() const
{
    return d->mergeRepeatedScans();
}

void ctlTransfer::setMergeRepeatedScans(bool merge)
{
    d->setMergeRepeatedScans(merge);
}

bool ctlTransfer::KeepDrafts() const
{
    return d->keepDrafts();
}

void ctlTransfer::setKeepDrafts(bool keep)
{
    d->setKeepDrafts(keep);
}

void ctlTransfer::printTransferVoucher()
{
    qvtrnsfr::PrintTransferVoucher(*d);
}

bool ctlTransfer::printTransferVoucher(const QString &pdfPath)
{
    return qvtrnsfr::PrintTransferVoucher(*d, pdfPath);
}

QSqlDatabase ctlTransfer::Connection() const
{
    return d->connection();
}

void ctlTransfer::setConnection(const QSqlDatabase &oConn)
{
    d->setConnection(oConn);
}

bool ctlTransfer::AllowEdit() const
{
    return d->allowEdit();
}

void ctlTransfer::setAllowEdit(bool mAE)
{
    d->setAllowEdit(mAE);
}

QString ctlTransfer::User() const
{
    return d->user();
}

void ctlTransfer::setUser(const QString &u)
{
    d->setUser(u);
}

void ctlTransfer::setCompanionFactory(std::shared_ptr<companions::Factory> factory)
{
    d->setFactory(std::move(factory));
}

QSize ctlTransfer::sizeHint() const
{
    return minimumSizeHint();
}

// The minimum size is the size at initialisation: the designed size, grown as the fields are for
// the control's font.
QSize ctlTransfer::minimumSizeHint() const
{
    const QSizeF scale = d->form().scale();
    return {twipsToPixels(DesignedWidth * scale.width()), twipsToPixels(DesignedHeight * scale.height())};
}

// A control made smaller than its designed size sets itself back to at least that size; the
// fields keep their designed places.
void ctlTransfer::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const QSize least = minimumSizeHint();
    if (width() >= least.width() && height() >= least.height())
        return;
    resize(std::max(width(), least.width()), std::max(height(), least.height()));
}

// A language installed or removed while the control is shown: its texts follow. Texts in another
// language, a new font or style (the host's, or the application's) place the fields again, and
// with them the control's least size.
void ctlTransfer::changeEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::LanguageChange:
        setWindowTitle(tr("Velta Transfers"));
        d->form().retranslate();
        setMinimumSize(minimumSizeHint());
        break;
    case QEvent::FontChange:
    case QEvent::StyleChange:
        d->form().arrange();
        setMinimumSize(minimumSizeHint());
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}
