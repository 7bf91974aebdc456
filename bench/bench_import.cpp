// Lines pasted or imported at a warehouse's size: 1,000 rows resolved and checked as typed lines
// (item, unit, line check with the stock as of today, the rows before each counted) against the
// floor of the same look-ups done raw: the item by its code and the balance statement of the
// inventory component, each a prepared statement on the open connection.
//
//     bench_import [vouchers]      (default 5000 vouchers of 20 lines over 100,000 items)

#include "BenchDatabases.h"
#include "DemoData.h"
#include "companions/StockMoveInventory.h"
#include "platform/Numeric.h"
#include "schema/HostSchema.h"
#include "voucher/LineImport.h"
#include "voucher/LineRules.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTextStream>
#include <algorithm>
#include <vector>

using namespace qvtrnsfr;

namespace {

QTextStream out(stdout);
constexpr int Rows = 1000;
constexpr int Runs = 5;

double median(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

void run(QSqlDatabase db, const QString &engine, int vouchers)
{
    ScaleSize size;
    size.vouchers = vouchers;
    QString error;
    if (!createHostSchema(db) || !generateScaleData(db, size, &error)) {
        out << engine << ": the data cannot be made: " << error << Qt::endl;
        return;
    }
    companions::StockMoveInventory inventory;
    inventory.SetConnection(db);
    Voucher voucher;
    voucher.fromLocation = NumberText::read(QStringLiteral("1"));
    voucher.date = QDate::currentDate();
    voucher.lines.Resize(0, -1, 0, LineColumns - 1);
    std::vector<std::vector<ImportRow>> texts;
    std::vector<double> product;
    std::vector<double> floor;
    for (int n = 0; n < Runs; ++n) {
        QString pasted;
        QStringList codes;
        for (int row = 0; row < Rows; ++row) {
            const QString code =
                QStringLiteral("S%1").arg(1 + (n * Rows + row * 37) % size.items, 6, 10, QLatin1Char('0'));
            codes << code;
            pasted += code + QStringLiteral("\tPCS\t1\n");
        }
        QElapsedTimer timer;
        timer.start();
        const ImportResult result =
            resolveImportRows(db, parsePastedRows(pasted), voucher, {false, false}, &inventory);
        product.push_back(timer.nsecsElapsed() / 1e6);
        if (!result.refusals.isEmpty())
            out << "  " << result.refusals.size() << " rows refused, the first: " << result.refusals.first()
                << Qt::endl;

        QSqlQuery item(db);
        item.setForwardOnly(true);
        item.prepare(QStringLiteral("Select * from ICItem Where ItemID=?"));
        QSqlQuery balance(db);
        balance.setForwardOnly(true);
        balance.prepare(companions::StockMoveInventory::balanceStatement(codes.first(), 1, voucher.date, true,
                                                                         NoDocument, false)
                            .sql);
        timer.start();
        for (const QString &code : std::as_const(codes)) {
            item.addBindValue(code);
            item.exec();
            item.next();
            item.finish();
            const auto statement = companions::StockMoveInventory::balanceStatement(code, 1, voucher.date,
                                                                                    true, NoDocument, false);
            for (int i = 0; i < statement.binds.size(); ++i)
                balance.bindValue(i, statement.binds.at(i));
            balance.exec();
            balance.next();
            balance.finish();
        }
        floor.push_back(timer.nsecsElapsed() / 1e6);
    }
    const double p = median(product);
    const double f = median(floor);
    out << engine << ": " << Rows << " pasted rows, median of " << Runs
        << " runs: " << QString::number(p, 'f', 1) << " ms, raw look-ups " << QString::number(f, 'f', 1)
        << " ms, ratio " << QString::number(p / f, 'f', 2) << Qt::endl;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int vouchers = args.size() > 1 ? qMax(1, args.at(1).toInt()) : 5000;
    bench::runOnEngines(out, [&](QSqlDatabase db, const QString &engine) { run(db, engine, vouchers); });
    return 0;
}
