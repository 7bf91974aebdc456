// A host built against an installed library alone, with the flags pkg-config gives. It uses every
// public header: its own factory over the default one, the control with its properties and
// signals, the host schema and the version. It exits 0 when each works, and otherwise says which
// did not.

#include <qvtrnsfr/companions/DefaultFactory.h>
#include <qvtrnsfr/ctlTransfer.h>
#include <qvtrnsfr/qvtrnsfr_version.h>
#include <qvtrnsfr/schema/HostSchema.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <cstdio>

namespace {

// The default companions, except that the host attaches nothing to the control and counts the asks.
class HostFactory : public companions::DefaultFactory {
public:
    std::unique_ptr<companions::ControlAttachment> createControlAttachment() override
    {
        ++attachmentsAsked;
        return nullptr;
    }
    int attachmentsAsked = 0;
};

int fail(const char *what)
{
    std::fprintf(stderr, "host: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString version = QString("%1.%2.%3")
                                .arg(QVTRNSFR_VERSION_MAJOR)
                                .arg(QVTRNSFR_VERSION_MINOR)
                                .arg(QVTRNSFR_VERSION_PATCH);
    if (version != QVTRNSFR_VERSION_STRING)
        return fail("the version numbers do not make the version string");

    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE");
    db.setDatabaseName(":memory:");
    QSqlQuery vouchers(db);
    if (!db.open() || !qvtrnsfr::createHostSchema(db) || !vouchers.exec("Select count(*) from ICTRANH"))
        return fail("the host schema was not created");

    QWidget window;
    window.setWindowTitle("Host");
    auto factory = std::make_shared<HostFactory>();
    auto *transfer = new ctlTransfer(&window);
    transfer->setCompanionFactory(factory);
    transfer->setConnection(db);
    transfer->setUser("clerk");
    transfer->setProperty("AllowEdit", true);
    if (!transfer->AllowEdit() || transfer->property("User").toString() != "clerk")
        return fail("the control's properties do not work");

    int heard = 0;
    QObject::connect(transfer, &ctlTransfer::voucherSaved, &window,
                     [&heard](int documentNo, int fromLocation) { heard += documentNo * fromLocation; });
    emit transfer->voucherSaved(3, 2);
    if (heard != 6)
        return fail("the control's signal did not arrive");

    // The first focus of the form asks the host's factory for its companions.
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    QWidget *first = transfer->nextInFocusChain();
    while (first != transfer &&
           (!transfer->isAncestorOf(first) || !first->isEnabled() || !(first->focusPolicy() & Qt::TabFocus)))
        first = first->nextInFocusChain();
    first->setFocus(Qt::OtherFocusReason);
    QElapsedTimer waited;
    waited.start();
    while (factory->attachmentsAsked == 0 && waited.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    if (factory->attachmentsAsked != 1)
        return fail("the control did not ask the host's factory");
    std::printf("host: qvtrnsfr %s works\n", QVTRNSFR_VERSION_STRING);
    return 0;
}
