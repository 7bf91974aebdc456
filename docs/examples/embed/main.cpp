#include <QApplication>
#include <QMainWindow>
#include <QSqlDatabase>
#include <QStatusBar>
#include <qvtrnsfr/ctlTransfer.h> // from Qvtrnsfr::qvtrnsfr

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL");
    db.setHostName("dbserver");
    db.setDatabaseName("stores");
    db.setUserName("clerk");
    if (!db.open())
        return 1;

    QMainWindow window;
    window.setWindowTitle("Stock Transfers"); // titles the form's message boxes
    auto *transfer = new ctlTransfer(&window);
    transfer->setConnection(db); // borrowed, never closed by the control
    transfer->setUser("clerk");
    transfer->setAllowEdit(false); // add mode: new vouchers
    window.setCentralWidget(transfer);

    // Each signal comes once the database holds the change (a save: after its commit).
    const auto tell = [&window](const char *what) {
        return [&window, what](int documentNo, int fromLocation) {
            window.statusBar()->showMessage(
                QString("Voucher %1 of location %2 %3").arg(documentNo).arg(fromLocation).arg(what));
        };
    };
    QObject::connect(transfer, &ctlTransfer::voucherSaved, &window, tell("saved"));
    QObject::connect(transfer, &ctlTransfer::voucherLoaded, &window, tell("recalled"));
    QObject::connect(transfer, &ctlTransfer::voucherDeleted, &window, tell("deleted"));

    window.show();
    return app.exec();
}
