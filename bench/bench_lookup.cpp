// Scanning look-ups on a large item table: what a bar-code scan costs (the alias look-up, then the
// item by its code with dashes removed, both on the shared recordset as the grid runs them),
// printed next to a baseline measured in the same run: the item fetched by its exact primary key
// through one raw prepared statement.
//
//     bench_lookup [items] [lookups]      (defaults 200000 and 20000)
//
// Runs on a SQLite file in a temporary folder and, when QVT_TEST_PG_URL names a PostgreSQL
// server, on a fresh database created there and dropped afterwards.

#include "BenchDatabases.h"
#include "platform/Db.h"
#include "schema/HostSchema.h"
#include "voucher/Catalog.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUrl>
#include <cstdio>
#include <functional>

using namespace qvtrnsfr;

namespace {

QTextStream out(stdout);

// Item i: its code "NN-NN-NN-NNNN" and, for every other item, a bar code stored with a dash.
QString itemCode(int i)
{
    const QString digits = QStringLiteral("%1").arg(i, 10, 10, QLatin1Char('0'));
    return digits.left(2) + QLatin1Char('-') + digits.mid(2, 2) + QLatin1Char('-') + digits.mid(4, 2) +
           QLatin1Char('-') + digits.mid(6);
}

QString aliasCode(int i)
{
    return QStringLiteral("BC-%1").arg(i, 9, 10, QLatin1Char('0'));
}

bool hasAlias(int i)
{
    return i % 2 == 0;
}

bool fail(const QString &what, const QSqlError &error)
{
    out << "  failed: " << what << ": " << error.text() << Qt::endl;
    return false;
}

bool generate(QSqlDatabase db, int items)
{
    if (!createHostSchema(db))
        return fail(QStringLiteral("schema"), db.lastError());
    TransactionGuard transaction(db, true);
    if (!transaction.begin())
        return fail(QStringLiteral("begin"), transaction.lastError());
    PreparedStatement item;
    PreparedStatement alias;
    if (!item.prepare(db, QStringLiteral("insert into ICItem (ItemID, Descp, StockUnit) values (?, ?, ?)")))
        return fail(QStringLiteral("prepare items"), item.lastError());
    if (!alias.prepare(db, QStringLiteral("insert into ICItemL (item, itemid) values (?, ?)")))
        return fail(QStringLiteral("prepare aliases"), alias.lastError());
    for (int i = 1; i <= items; ++i) {
        const QString code = itemCode(i);
        if (!item.exec({code, QStringLiteral("Item %1").arg(i), QStringLiteral("PCS")}))
            return fail(QStringLiteral("insert item"), item.lastError());
        if (hasAlias(i) && !alias.exec({aliasCode(i), code}))
            return fail(QStringLiteral("insert alias"), alias.lastError());
    }
    if (!transaction.commit())
        return fail(QStringLiteral("commit"), transaction.lastError());
    if (isPostgres(db) && !execute(db, QStringLiteral("analyze")))
        return fail(QStringLiteral("analyze"), db.lastError());
    return true;
}

// A scan as the grid resolves it: the alias first, then the item by its undashed code.
bool scan(const QSqlDatabase &db, Snapshot &work, const QString &scanned)
{
    QString key = QString(scanned).remove(QLatin1Char('-'));
    if (!work.open(db, AliasByUndashedCodeSql, {key}))
        return false;
    if (!work.eof())
        key = work.value(QStringLiteral("itemid")).toString().remove(QLatin1Char('-'));
    work.close();
    if (!work.open(db, ItemByUndashedCodeSql, {key}))
        return false;
    const bool found = !work.eof() && !work.value(QStringLiteral("Descp")).toString().isEmpty();
    work.close();
    return found;
}

struct Figure {
    double perSecond = 0;
    int found = 0;
};

Figure measure(int lookups, const std::function<bool(int)> &lookup)
{
    Figure figure;
    QElapsedTimer timer;
    timer.start();
    for (int n = 0; n < lookups; ++n)
        figure.found += lookup(n) ? 1 : 0;
    const qint64 ns = qMax<qint64>(timer.nsecsElapsed(), 1);
    figure.perSecond = lookups * 1e9 / double(ns);
    return figure;
}

void report(const QString &label, const Figure &figure, int lookups)
{
    out << "  " << label.leftJustified(46) << QString::number(figure.perSecond, 'f', 0).rightJustified(10)
        << " look-ups/s  (" << figure.found << " of " << lookups << " found)" << Qt::endl;
}

void run(QSqlDatabase db, const QString &engine, int items, int lookups)
{
    out << engine << ": " << items << " items, " << items / 2 << " aliases" << Qt::endl;
    QElapsedTimer filling;
    filling.start();
    if (!generate(db, items))
        return;
    out << "  generated in " << filling.elapsed() << " ms" << Qt::endl;

    // The same random items for both figures; a scan reads either the item's bar code or its
    // code with the dashes left out, as scanners deliver them.
    QVector<int> picks(lookups);
    auto *random = QRandomGenerator::global();
    for (int &pick : picks)
        pick = 1 + int(random->bounded(quint32(items)));

    Snapshot work;
    const Figure scans = measure(lookups, [&](int n) {
        const int i = picks[n];
        return scan(db, work, hasAlias(i) ? aliasCode(i) : itemCode(i).remove(QLatin1Char('-')));
    });

    QSqlQuery byKey(db);
    byKey.setForwardOnly(true);
    if (!byKey.prepare(QStringLiteral("select * from ICItem where ItemID=?"))) {
        fail(QStringLiteral("prepare baseline"), byKey.lastError());
        return;
    }
    const Figure baseline = measure(lookups, [&](int n) {
        byKey.bindValue(0, itemCode(picks[n]));
        const bool found = byKey.exec() && byKey.next();
        byKey.finish();
        return found;
    });

    report(QStringLiteral("scan (alias, then item by undashed code)"), scans, lookups);
    report(QStringLiteral("baseline (item by primary key, prepared)"), baseline, lookups);
    if (scans.perSecond > 0)
        out << "  baseline / scan: " << QString::number(baseline.perSecond / scans.perSecond, 'f', 2)
            << Qt::endl;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int items = args.size() > 1 ? qMax(1, args.at(1).toInt()) : 200000;
    const int lookups = args.size() > 2 ? qMax(1, args.at(2).toInt()) : 20000;

    bench::runOnEngines(out,
                        [&](QSqlDatabase db, const QString &engine) { run(db, engine, items, lookups); });
    return 0;
}
