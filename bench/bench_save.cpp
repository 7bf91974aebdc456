// Saving vouchers: what one save of a voucher costs through the store's SaveDocument, as the form
// calls it (its own connection, the checks of the locations, the next number, the cost of every
// line from the inventory component, one prepared insert per line, the commit), printed next to
// a baseline measured in the same run: the same rows written with raw prepared INSERT statements
// in one transaction on the same database.
//
//     bench_save [vouchers] [lines]      (defaults 200 and 10)
//
// Runs on a SQLite file in a temporary folder and, when QVT_TEST_PG_URL names a PostgreSQL
// server, on a fresh database created there and dropped afterwards. Both hold the demo data.

#include "BenchDatabases.h"
#include "DemoDatabase.h"
#include "companions/ProfileLocationRights.h"
#include "companions/StockMoveInventory.h"
#include "platform/Db.h"
#include "platform/Numeric.h"
#include "voucher/VoucherStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

using namespace qvtrnsfr;

namespace {

QTextStream out(stdout);

// Saves that did not save, and the last reason.
struct Failures {
    int count = 0;
    QString last;
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

LineArray voucherLines(const Setup &setup, int lines)
{
    LineArray array;
    array.Resize(0, lines - 1, 0, LineColumns - 1);
    for (int row = 0; row < lines; ++row) {
        const int item = row % int(setup.items.size());
        array.SetCell(row, ColItemCode, setup.items.at(item));
        array.SetCell(row, ColUnit, setup.units.at(item));
        array.SetCell(row, ColConversion, QStringLiteral("1"));
        array.SetCell(row, ColQty, QString::number(1 + row % 3));
    }
    return array;
}

// Saves the vouchers through the store, as the form does for the demo user with the real
// companions; answers the milliseconds spent saving.
double saveThroughStore(QSqlDatabase db, const Setup &setup, int vouchers, int lines, Failures &failures)
{
    companions::StockMoveInventory inventory;
    inventory.SetConnection(db);
    companions::ProfileLocationRights rights;
    rights.SetConnection(db);
    rights.SetUser(QStringLiteral("demo"));
    rights.LoadProfile();
    const SaveContext context{QStringLiteral("demo"), true, StockOptions{false, true}, &inventory, &rights};
    const VoucherStore store(db);
    Voucher voucher;
    voucher.fromLocation = NumberText::read(QString::number(setup.locations.at(0)));
    voucher.toLocation = NumberText::read(QString::number(setup.locations.at(1)));
    voucher.date = QDate::currentDate();
    voucher.lines = voucherLines(setup, lines);
    voucher.total = NumberText::read(formatTotal(totalQuantity(voucher.lines)));

    qint64 ns = 0;
    QElapsedTimer timer;
    for (int n = 0; n < vouchers; ++n) {
        voucher.narration = QStringLiteral("Bench voucher %1").arg(n);
        voucher.docNo = NumberText::read(QString::number(store.NextDocNo(voucher.fromLocation.leading)));
        timer.start();
        const SaveResult saved = store.SaveDocument(voucher, context);
        ns += timer.nsecsElapsed();
        if (saved.outcome != SaveResult::Saved) {
            ++failures.count;
            failures.last = saved.refusal ? saved.refusal->text : saved.failure;
        }
    }
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
    const LineArray cells = voucherLines(setup, lines);
    for (int n = 0; n < vouchers; ++n) {
        const int docNo = 1000000 + n;
        if (!header.exec({docNo, source, QDate::currentDate(), setup.locations.at(0),
                          QStringLiteral("Raw voucher %1").arg(n), double(lines * 2), QStringLiteral("bench"),
                          false, 0, 0}))
            return -1;
        for (int row = 0; row < lines; ++row) {
            const double qty = cells.cellText(row, ColQty).toDouble();
            if (!line.exec({docNo, source, cells.GetCell(row, ColItemCode), cells.GetCell(row, ColUnit), 1.0,
                            qty, 2.5, qty * 2.5, QString(), QString(), 0}))
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
    Failures failures;
    const double saved = saveThroughStore(db, setup, vouchers, lines, failures);
    const double raw = saveRaw(db, setup, vouchers, lines);
    if (failures.count > 0)
        out << "  " << failures.count << " saves failed, the last with: " << failures.last << Qt::endl;
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
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int vouchers = args.size() > 1 ? qMax(1, args.at(1).toInt()) : 200;
    const int lines = args.size() > 2 ? qMax(1, args.at(2).toInt()) : 10;

    bench::runOnEngines(out,
                        [&](QSqlDatabase db, const QString &engine) { run(db, engine, vouchers, lines); });
    return 0;
}
