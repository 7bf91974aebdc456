#include "ctlTransfer.h"

#include "companions/DefaultFactory.h"
#include "control/TransferControl.h"

#include <QResizeEvent>

using qvtrnsfr::TransferControl;
using qvtrnsfr::twipsToPixels;

namespace {
// The designed size of the form, in twips.
constexpr double DesignedWidth = 11715;
constexpr double DesignedHeight = 7200;
} // namespace

ctlTransfer::ctlTransfer(QWidget *parent) : QWidget(parent), d(std::make_unique<TransferControl>(this))
{
    setWindowTitle(QStringLiteral("Velta Transfers"));
    setFocusPolicy(Qt::NoFocus);
    resize(twipsToPixels(DesignedWidth), twipsToPixels(DesignedHeight));
    // The minimum size is the size at initialisation: the designed size.
    d->MinWidth = width() * qvtrnsfr::TwipsPerPixel;
    d->MinHeight = height() * qvtrnsfr::TwipsPerPixel;
    setMinimumSize(minimumSizeHint());
    d->HeaderTable = QStringLiteral("ICTRANH");
    d->LineTable = QStringLiteral("ICTRAND");
}

ctlTransfer::~ctlTransfer() = default;

QSqlDatabase ctlTransfer::Connection() const
{
    return d->connection;
}

void ctlTransfer::setConnection(const QSqlDatabase &oConn)
{
    d->connection = oConn;
}

bool ctlTransfer::AllowEdit() const
{
    return d->allowEdit;
}

void ctlTransfer::setAllowEdit(bool mAE)
{
    d->allowEdit = mAE;
}

QString ctlTransfer::User() const
{
    return d->userName;
}

void ctlTransfer::setUser(const QString &u)
{
    d->userName = u;
}

void ctlTransfer::setCompanionFactory(std::shared_ptr<companions::Factory> factory)
{
    d->setFactory(std::move(factory));
}

QSize ctlTransfer::sizeHint() const
{
    return minimumSizeHint();
}

QSize ctlTransfer::minimumSizeHint() const
{
    return {twipsToPixels(d->MinWidth), twipsToPixels(d->MinHeight)};
}

// A control made smaller than its designed size sets itself back to at least that size; the
// fields keep their designed places.
void ctlTransfer::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const double widthTwips = width() * qvtrnsfr::TwipsPerPixel;
    const double heightTwips = height() * qvtrnsfr::TwipsPerPixel;
    if (widthTwips >= d->MinWidth - 0.5 && heightTwips >= d->MinHeight - 0.5)
        return;
    resize(twipsToPixels(std::max(widthTwips, d->MinWidth)),
           twipsToPixels(std::max(heightTwips, d->MinHeight)));
}
