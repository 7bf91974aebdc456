// Saving vouchers: what one save of a voucher costs through SaveDocument (its own connection,
// the next number, the cost of every line from the inventory component, one prepared insert per
// line, the commit), printed next to a baseline measured in the same run: the same rows written
// with raw prepared INSERT statements in one transaction on the same database.
//
//     bench_save [vouchers] [lines]      (defaults 200 and 10)
//
// Runs on a SQLite file in a temporary folder and, when QVT_TEST_PG_URL names a PostgreSQL
// server, on a fresh database created there and dropped afterwards. Both hold the demo data.

#include "BenchDatabases.h"
#include "DemoDatabase.h"
#include "control/TransferControl.h"
#include "ctlTransfer.h"
#include "documents/SaveDocument.h"
#include "grid/Totals.h"
#include "platform/Db.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QUrl>

using namespace qvtrnsfr;

namespace {

QTextStream out(stdout);

// Answers every message box at once, counting those that report a failure.
class BoxAnswerer : public QObject {
public:
    int failures = 0;
    QString lastFailure;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *box = qobject_cast<QMessageBox *>(watched);
        if (box && event->type() == QEvent::Show) {
            if (box->icon() != QMessageBox::Information) {
                ++failures;
                lastFailure = box->text();
            }
            QTimer::singleShot(0, box, [box] { box->done(QMessageBox::Ok); });
        }
        return false;
    }
};

struct Setup {
    QStringList items;    // the item codes of the lines
    QStringList units;    // their stock units
    QList<int> locations; // source and destination
};

bool readSetup(const QSqlDatabase &db, int lines, Setup &setup)
{
    ForwardReader items;
    if (!items.exec(db, QStringLiteral("Select ItemID, StockUnit from ICItem Order by ItemID")))
        return false;
    while (items.next() && setup.items.size() < lines) {
        setup.items << items.value(0).toString();
        setup.units << items.value(1).toString();
    }
    ForwardReader locations;
    if (!locations.exec(db, QStringLiteral("Select LocID from ICLoc Order by LocID")))
        return false;
    while (locations.next() && setup.locations.size() < 2)
        setup.locations << locations.value(0).toInt();
    return !setup.items.isEmpty() && setup.locations.size() == 2;
}

std::unique_ptr<LineArray> voucherLines(const Setup &setup, int lines)
{
    auto array = std::make_unique<LineArray>();
    array->Resize(0, lines - 1, 0, LineColumns - 1);
    for (int row = 0; row < lines; ++row) {
        const int item = row % int(setup.items.size());
        array->SetCell(row, ColItemCode, setup.items.at(item));
        array->SetCell(row, ColUnit, setup.units.at(item));
        array->SetCell(row, ColConversion, QStringLiteral("1"));
        array->SetCell(row, ColQty, QString::number(1 + row % 3));
    }
    return array;
}

// Saves the vouchers through the control's SaveDocument; answers the milliseconds spent saving.
double saveThroughControl(QSqlDatabase db, const Setup &setup, int vouchers, int lines, BoxAnswerer &answerer)
{
    QWidget host;
    host.setWindowTitle(QStringLiteral("Bench Host"));
    auto *control = new ctlTransfer(&host);
    control->setConnection(db);
    control->setUser(QStringLiteral("bench"));
    host.show();
    control->findChild<QLineEdit *>(QStringLiteral("txtToLocID"))->setFocus();
    QApplication::processEvents();
    TransferControl &ctl = *control->findChild<TransferControl *>();
    qApp->installEventFilter(&answerer);
    out << "  transaction per save: " << (ctl.UseTransaction ? "yes" : "no") << Qt::endl;

    qint64 ns = 0;
    QElapsedTimer timer;
    for (int n = 0; n < vouchers; ++n) {
        ctl.form.txtFromLocID->setText(QString::number(setup.locations.at(0)));
        ctl.form.txtToLocID->setText(QString::number(setup.locations.at(1)));
        ctl.form.txtNarration->setText(QStringLiteral("Bench voucher %1").arg(n));
        ctl.replaceLines(voucherLines(setup, lines));
        UpdateTotalQty(ctl);
        timer.start();
        SaveDocument(ctl);
        ns += timer.nsecsElapsed();
    }
    qApp->removeEventFilter(&answerer);
    return ns / 1e6;
}

// The same rows with raw prepared inserts in one transaction; answers the milliseconds spent.
double saveRaw(QSqlDatabase db, const Setup &setup, int vouchers, int lines)
{
    const int source = setup.locations.at(1); // numbers of another source, clear of the saves above
    QElapsedTimer timer;
    timer.start();
    TransactionGuard transaction(db, true);
    PreparedStatement header;
    PreparedStatement line;
    if (!transaction.begin() ||
        !header.prepare(db,
                        QStringLiteral("Insert into ICTRANH (DocNo, FromLocID, DocDate, ToLocID, Narration,"
                                       " TotalQty, AuditUser, Posted, ShowPrice, ReqNo)"
                                       " Values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")) ||
        !line.prepare(
            db, QStringLiteral("Insert into ICTRAND (DocNo, FromLocID, ItemID, Unit, Conver, Qty, Cost,"
                               " Amount, SrNo, EngNo, Price) Values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")))
        return -1;
    const std::unique_ptr<LineArray> cells = voucherLines(setup, lines);
    for (int n = 0; n < vouchers; ++n) {
        const int docNo = 1000000 + n;
        if (!header.exec({docNo, source, QDate::currentDate(), setup.locations.at(0),
                          QStringLiteral("Raw voucher %1").arg(n), double(lines * 2), QStringLiteral("bench"),
                          false, 0, 0}))
            return -1;
        for (int row = 0; row < lines; ++row) {
            const double qty = cells->cellText(row, ColQty).toDouble();
            if (!line.exec({docNo, source, cells->GetCell(row, ColItemCode), cells->GetCell(row, ColUnit),
                            1.0, qty, 2.5, qty * 2.5, QString(), QString(), 0}))
                return -1;
        }
    }
    if (!transaction.commit())
        return -1;
    return timer.nsecsElapsed() / 1e6;
}

void report(const QString &label, double msPerVoucher)
{
    out << "  " << label.leftJustified(50) << QString::number(msPerVoucher, 'f', 3).rightJustified(10)
        << " ms per voucher" << Qt::endl;
}

void run(QSqlDatabase db, const QString &engine, int vouchers, int lines)
{
    out << engine << ": " << vouchers << " vouchers of " << lines << " lines" << Qt::endl;
    QString error;
    DemoSize size;
    Setup setup;
    if (!prepareDemoDatabase(db, size, &error) || !readSetup(db, lines, setup)) {
        out << "  cannot prepare the demo database: " << error << Qt::endl;
        return;
    }
    BoxAnswerer answerer;
    const double saved = saveThroughControl(db, setup, vouchers, lines, answerer);
    const double raw = saveRaw(db, setup, vouchers, lines);
    if (answerer.failures > 0)
        out << "  " << answerer.failures << " saves failed, the last with: " << answerer.lastFailure
            << Qt::endl;
    report(QStringLiteral("SaveDocument"), saved / vouchers);
    if (raw < 0) {
        out << "  baseline failed: " << errorText(db.lastError()) << Qt::endl;
        return;
    }
    report(QStringLiteral("baseline (raw prepared inserts, one transaction)"), raw / vouchers);
    if (raw > 0)
        out << "  SaveDocument / baseline: " << QString::number(saved / raw, 'f', 1) << Qt::endl;
}

} // namespace

int main(int argc, char **argv)
{
    // The control is shown only to receive its first focus; nothing needs a screen, and the
    // column widths it stores on leaving go to a folder of this run, not to the user's settings.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settingsHome;
    qputenv("XDG_CONFIG_HOME", settingsHome.path().toLocal8Bit());
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int vouchers = args.size() > 1 ? qMax(1, args.at(1).toInt()) : 200;
    const int lines = args.size() > 2 ? qMax(1, args.at(2).toInt()) : 10;

    bench::runOnEngines(out,
                        [&](QSqlDatabase db, const QString &engine) { run(db, engine, vouchers, lines); });
    return 0;
}
