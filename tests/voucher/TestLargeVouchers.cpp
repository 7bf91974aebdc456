// Vouchers at a warehouse's size, without a window: a voucher of a thousand lines saved and
// rewritten while the writer's page cache spills, the stock per location and item that the
// database keeps agreeing with the summed history whatever changes it, and a save whose number
// of statements does not grow with its lines.

#include "companions/ProfileLocationRights.h"
#include "companions/StockMoveInventory.h"
#include "support/TestDatabase.h"
#include "voucher/VoucherStore.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

using namespace qvtrnsfr;
using Engine = TestDatabase::Engine;

namespace {

// Locations 1 to 3 and, generated, the items I-0001 ... with receipts at location 1 (10 each, at
// a cost of their number) and rights of user "clerk" everywhere.
const QString Numbers = "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) ";
const QString Code = "'I-' || substr(CAST(10000 + i AS text), 2)";

QStringList seed(int items)
{
    const QString n = Numbers.arg(items);
    return {
        "INSERT INTO ICLoc (LocID, LocName) VALUES (1, 'One'), (2, 'Two'), (3, 'Three')",
        n + "INSERT INTO ICItem (ItemID, Descp, StockUnit) SELECT " + Code + ", 'Item', 'PCS' FROM n",
        n + "INSERT INTO StockMove (ItemID, LocID, MoveDate, Qty, UnitCost) SELECT " + Code +
            ", 1, '2024-01-01', 10, i FROM n",
        "INSERT INTO UserLocRight (UserName, LocID, Direction) SELECT 'clerk', l, d FROM"
        " (SELECT 1 AS l UNION ALL SELECT 2 UNION ALL SELECT 3) ls, (SELECT 1 AS d UNION ALL SELECT 2) ds",
        "INSERT INTO GLSetup (DbID, UseTransaction) VALUES (1, 1)"};
}

// A voucher from location 1 to `to` of `lines` lines, item i taking i % 7 + 1 units.
Voucher voucherOf(int lines, const QString &to, const QString &docNo = "1", bool editMode = false)
{
    Voucher voucher;
    voucher.docNo = NumberText::read(docNo);
    voucher.fromLocation = NumberText::read("1");
    voucher.toLocation = NumberText::read(to);
    voucher.date = QDate(2024, 3, 5);
    voucher.editMode = editMode;
    voucher.lines.Resize(0, lines - 1, 0, LineColumns - 1);
    for (int row = 0; row < lines; ++row) {
        voucher.lines.SetCell(row, ColItemCode, QString("I-%1").arg(row + 1, 4, 10, QChar('0')));
        voucher.lines.SetCell(row, ColUnit, "PCS");
        voucher.lines.SetCell(row, ColConversion, "1");
        voucher.lines.SetCell(row, ColQty, QString::number(row % 7 + 1));
    }
    voucher.total = NumberText::read(QString::number(totalQuantity(voucher.lines)));
    return voucher;
}

struct Saver {
    explicit Saver(TestDatabase &db) : store(db.connection())
    {
        inventory.SetConnection(db.connection());
        rights.SetConnection(db.connection());
    }
    SaveResult save(const Voucher &voucher)
    {
        return store.SaveDocument(voucher, {"clerk", true, {false, false}, &inventory, &rights});
    }
    VoucherStore store;
    companions::StockMoveInventory inventory;
    companions::ProfileLocationRights rights;
};

QString scalar(TestDatabase &db, const QString &sql)
{
    const QVariant value = db.scalar(sql);
    return value.isValid() ? value.toString() : db.errorText();
}

// The stock kept per location and item, and the same summed over the whole history, as
// "location item quantity" rows in key order, quantities of 0 left out.
QString stockRows(TestDatabase &db, bool fromHistory)
{
    const QString history =
        "SELECT LocID, ItemID, SUM(q) AS q FROM ("
        " SELECT LocID, ItemID, Qty AS q FROM StockMove"
        " UNION ALL SELECT FromLocID, ItemID, -(Qty * COALESCE(Conver, 1)) FROM ICTRAND"
        " UNION ALL SELECT h.ToLocID, d.ItemID, d.Qty * COALESCE(d.Conver, 1) FROM ICTRANH h"
        " JOIN ICTRAND d ON d.FromLocID = h.FromLocID AND d.DocNo = h.DocNo) x GROUP BY LocID, ItemID";
    QSqlQuery query(db.connection());
    if (!query.exec("SELECT LocID, ItemID, q FROM (" +
                    (fromHistory ? history : "SELECT LocID, ItemID, QtyOnHand AS q FROM ICStock") +
                    ") s WHERE q <> 0 ORDER BY LocID, ItemID"))
        return query.lastError().text();
    QStringList rows;
    while (query.next())
        rows << query.value(0).toString() + ' ' + query.value(1).toString() + ' ' +
                    QString::number(query.value(2).toDouble());
    return rows.join(", ");
}

// The first items of the seed.
QStringList seedCodes(int items)
{
    QStringList codes;
    for (int item = 1; item <= items; ++item)
        codes << QString("I-%1").arg(item, 4, 10, QChar('0'));
    return codes;
}

// "what: one and all, not expected" where the figure asked for one code, or the code's among all
// asked at once, is missing or not the expected one; empty where both agree.
QString disagreement(const QString &what, const std::optional<double> &one, const QHash<QString, double> &all,
                     const QString &code, double expected)
{
    if (one && qAbs(*one - expected) <= 1e-9 && all.contains(code) &&
        qAbs(all.value(code) - expected) <= 1e-9)
        return {};
    return QString("%1: %2 and %3, not %4")
        .arg(what, one ? QString::number(*one) : "none",
             all.contains(code) ? QString::number(all.value(code)) : "none")
        .arg(expected);
}

// What the inventory component answers for every item and location of the seed, as of each day
// of a few, with and without the voucher numbered `excluded` of the location asked, one code at a
// time and all codes at once, against the same figures summed here from the rows themselves; the
// rows that differ, or nothing.
QStringList balanceMismatches(TestDatabase &db, int excluded)
{
    struct Move {
        QString item;
        int location;
        QDate date;
        double qty;
        int outOf = 0; // a transfer line: its source and number
        int docNo = 0;
    };
    QList<Move> moves;
    QSqlQuery query(db.connection());
    if (!query.exec("SELECT ItemID, LocID, MoveDate, Qty FROM StockMove"))
        return {query.lastError().text()};
    while (query.next())
        moves.append({query.value(0).toString(), query.value(1).toInt(), query.value(2).toDate(),
                      query.value(3).toDouble()});
    if (!query.exec(
            "SELECT d.ItemID, h.FromLocID, h.ToLocID, h.DocDate, d.Qty * COALESCE(d.Conver, 1), h.DocNo"
            " FROM ICTRAND d JOIN ICTRANH h ON h.FromLocID = d.FromLocID AND h.DocNo = d.DocNo"))
        return {query.lastError().text()};
    while (query.next()) {
        const int from = query.value(1).toInt();
        const int docNo = query.value(5).toInt();
        const QDate date = query.value(3).toDate();
        const double qty = query.value(4).toDouble();
        moves.append({query.value(0).toString(), from, date, -qty, from, docNo});
        moves.append({query.value(0).toString(), query.value(2).toInt(), date, qty, from, docNo});
    }
    companions::StockMoveInventory inventory;
    inventory.SetConnection(db.connection());
    QStringList mismatches;
    for (const QDate &day : {QDate(2023, 12, 31), QDate(2024, 1, 1), QDate(2024, 3, 5), QDate(2024, 4, 30),
                             QDate(2024, 5, 1), QDate(2030, 1, 1)}) {
        const QStringList codes = seedCodes(6);
        for (int location = 1; location <= 3; ++location) {
            for (const int docNo : {0, excluded}) {
                const QString date = day.toString("dd/MM/yyyy");
                const QHash<QString, double> all =
                    inventory.StockBalances(codes, location, date, docNo ? 5 : 0, docNo, false);
                for (const QString &code : std::as_const(codes)) {
                    double expected = 0;
                    for (const Move &move : std::as_const(moves)) {
                        const bool leftOut = docNo != 0 && move.outOf == location && move.docNo == docNo;
                        if (move.item == code && move.location == location && move.date <= day && !leftOut)
                            expected += move.qty;
                    }
                    const QString wrong = disagreement(
                        QString("%1 at %2 on %3 without %4")
                            .arg(code)
                            .arg(location)
                            .arg(day.toString(Qt::ISODate))
                            .arg(docNo),
                        inventory.StockBalance(code, location, date, docNo ? 5 : 0, docNo, false), all, code,
                        expected);
                    if (!wrong.isEmpty())
                        mismatches << wrong;
                }
            }
        }
    }
    return mismatches;
}

// What the inventory component answers for the cost of every item of the seed at every location,
// as of each day of a few, one code at a time and all at once, against the weighted average of
// the receipts (Qty > 0 with a UnitCost) summed here, or the item's standard cost, or 0.
QStringList costMismatches(TestDatabase &db)
{
    struct Receipt {
        QString item;
        int location;
        QDate date;
        double qty;
        double cost;
    };
    QList<Receipt> receipts;
    QHash<QString, double> standard;
    QSqlQuery query(db.connection());
    if (!query.exec("SELECT ItemID, LocID, MoveDate, Qty, UnitCost FROM StockMove"
                    " WHERE Qty > 0 AND UnitCost IS NOT NULL"))
        return {query.lastError().text()};
    while (query.next())
        receipts.append({query.value(0).toString(), query.value(1).toInt(), query.value(2).toDate(),
                         query.value(3).toDouble(), query.value(4).toDouble()});
    if (!query.exec("SELECT ItemID, StdCost FROM ICItem WHERE StdCost IS NOT NULL"))
        return {query.lastError().text()};
    while (query.next())
        standard.insert(query.value(0).toString(), query.value(1).toDouble());
    companions::StockMoveInventory inventory;
    inventory.SetConnection(db.connection());
    const QStringList codes = seedCodes(6);
    QStringList mismatches;
    for (const QDate &day : {QDate(2023, 12, 31), QDate(2024, 1, 1), QDate(2024, 4, 30), QDate(2030, 1, 1)}) {
        for (int location = 1; location <= 3; ++location) {
            const QHash<QString, double> all = inventory.ItemCosts(day, codes, location, 5, 2);
            for (const QString &code : std::as_const(codes)) {
                double qty = 0;
                double value = 0;
                for (const Receipt &receipt : std::as_const(receipts)) {
                    if (receipt.item == code && receipt.location == location && receipt.date <= day) {
                        qty += receipt.qty;
                        value += receipt.qty * receipt.cost;
                    }
                }
                const double expected = qty > 0 ? value / qty : standard.value(code, 0);
                const QString wrong = disagreement(
                    QString("cost of %1 at %2 on %3").arg(code).arg(location).arg(day.toString(Qt::ISODate)),
                    inventory.ItemCost(day, code, location, 5, 2), all, code, expected);
                if (!wrong.isEmpty())
                    mismatches << wrong;
            }
        }
    }
    return mismatches;
}

} // namespace

class TestLargeVouchers : public QObject {
    Q_OBJECT
private slots:
    // The save connection takes the host's page cache of ten pages: writing a thousand lines spills
    // it. Nothing the save needs is read on the host's connection meanwhile, so no reader is
    // refused, on the new voucher nor on its rewrite.
    void thousandLinesWhileTheCacheSpills()
    {
        QVT_OPEN_DATABASE(db, TestDatabase::Sqlite);
        for (const QString &sql : seed(1000))
            QVERIFY2(db.exec(sql), qPrintable(db.errorText()));
        QVERIFY(db.exec("PRAGMA cache_size = 10"));
        Saver saver(db);
        QCOMPARE(saver.save(voucherOf(1000, "2")).outcome, SaveResult::Saved);
        QCOMPARE(saver.save(voucherOf(1000, "3", "1", true)).outcome, SaveResult::Saved);
        const auto loaded = saver.store.LoadDocument(voucherOf(0, "", "1"));
        QVERIFY(loaded && loaded->lines);
        QCOMPARE(loaded->toLocation, "3");
        QCOMPARE(loaded->lines->rowCount(), 1000);
        // Item 1000, on row 999, costs 1000 and takes 999 % 7 + 1 = 6 units.
        QCOMPARE(
            scalar(db, "SELECT Qty || ' ' || Cost || ' ' || Amount FROM ICTRAND WHERE ItemID = 'I-1000'"),
            "6.0 1000.0 6000.0");
        QCOMPARE(scalar(db, "PRAGMA journal_mode"), "wal");
    }

    void stockAgreesWithHistory_data() { addEngineColumn(); }

    // Whatever changes the history (movements and receipts added, changed and removed; vouchers
    // saved, rewritten to another destination with other lines, deleted; a header sent elsewhere,
    // to its own source or to another day), the stock kept per location and item is its sum, every
    // balance, as of any day and with a voucher left out or not, is the sum of the history up to
    // that day, and every cost the weighted average of the receipts up to that day.
    void stockAgreesWithHistory()
    {
        QFETCH(Engine, engine);
        QVT_OPEN_DATABASE(db, engine);
        for (const QString &sql : seed(6))
            QVERIFY2(db.exec(sql), qPrintable(db.errorText()));
        Saver saver(db);
        const auto check = [&](const char *after) {
            const QString kept = stockRows(db, false);
            QVERIFY2(kept == stockRows(db, true), qPrintable(QString("after %1: %2").arg(after, kept)));
            const QStringList wrong = balanceMismatches(db, 2) + costMismatches(db);
            QVERIFY2(wrong.isEmpty(), qPrintable(QString("after %1: %2").arg(after, wrong.join("; "))));
        };
        check("the seed");
        QCOMPARE(saver.save(voucherOf(4, "2")).docNo, 1);
        QCOMPARE(saver.save(voucherOf(2, "3")).docNo, 2);
        check("two saves");
        Voucher rewritten = voucherOf(6, "3", "1", true);
        rewritten.lines.SetCell(0, ColConversion, "5");
        QCOMPARE(saver.save(rewritten).outcome, SaveResult::Saved);
        check("a rewrite");
        QVERIFY(db.exec("UPDATE ICTRANH SET ToLocID = 2 WHERE FromLocID = 1 AND DocNo = 2"));
        QVERIFY(db.exec("UPDATE StockMove SET Qty = 20, LocID = 2 WHERE ItemID = 'I-0003'"));
        QVERIFY(db.exec(
            "INSERT INTO StockMove (ItemID, LocID, MoveDate, Qty) VALUES ('I-0001', 3, '2024-04-01', 2)"));
        QVERIFY(db.exec("INSERT INTO StockMove (ItemID, LocID, MoveDate, Qty, UnitCost)"
                        " VALUES ('I-0005', 1, '2024-04-01', 30, 9), ('I-0005', 3, '2024-04-01', -1, 4)"));
        QVERIFY(db.exec("UPDATE StockMove SET UnitCost = 3 WHERE ItemID = 'I-0006'"));
        QVERIFY(db.exec("UPDATE ICItem SET StdCost = 7 WHERE ItemID IN ('I-0002', 'I-0003')"));
        QVERIFY(db.exec("DELETE FROM StockMove WHERE ItemID = 'I-0002'"));
        check("movements");
        QVERIFY(db.exec("UPDATE ICTRANH SET DocDate = '2024-05-01' WHERE FromLocID = 1 AND DocNo = 2"));
        QVERIFY(db.exec("UPDATE StockMove SET MoveDate = '2023-12-31' WHERE ItemID = 'I-0004'"));
        check("a voucher and a movement moved to another day");
        QVERIFY(db.exec("UPDATE ICTRANH SET DocDate = '2024-03-01' WHERE FromLocID = 1 AND DocNo = 2"));
        check("a voucher moved back");
        QVERIFY(db.exec("UPDATE ICTRANH SET ToLocID = 1 WHERE FromLocID = 1 AND DocNo = 2"));
        check("a voucher into its own source");
        QVERIFY(saver.store.DeleteDocument(voucherOf(0, "", "1")).done);
        check("a delete");
    }

    // Counted by the server (pg_stat_statements): the statements of a save of 10 lines and of one
    // of 200, every connection's, are as many; the save connection is opened once, by the first.
    void statementsDoNotGrowWithLines()
    {
        QVT_OPEN_DATABASE(db, TestDatabase::Postgres);
        for (const QString &sql :
             seed(200) + QStringList{"INSERT INTO StockMove (ItemID, LocID, MoveDate, Qty)"
                                     " SELECT ItemID, 1, '2024-01-02', 10 FROM ICItem"})
            QVERIFY2(db.exec(sql), qPrintable(db.errorText()));
        if (!db.exec("CREATE EXTENSION IF NOT EXISTS pg_stat_statements") ||
            !db.exec("SELECT pg_stat_statements_reset()"))
            QSKIP("the server does not count statements (pg_stat_statements is not loaded)");
        const QString count = "SELECT COALESCE(SUM(s.calls), 0) FROM pg_stat_statements s"
                              " JOIN pg_database d ON d.oid = s.dbid"
                              " WHERE d.datname = current_database() AND s.query NOT ILIKE '%pg_stat%'";
        Saver saver(db);
        QCOMPARE(saver.save(voucherOf(1, "2")).outcome, SaveResult::Saved); // opens the save connection
        QList<int> statements;
        for (const auto &[lines, to] : {std::pair{10, "2"}, std::pair{200, "3"}}) {
            QVERIFY(db.exec("SELECT pg_stat_statements_reset()"));
            const SaveResult saved = saver.save(voucherOf(lines, to));
            QVERIFY2(saved.outcome == SaveResult::Saved,
                     qPrintable(saved.refusal ? saved.refusal->text : saved.failure));
            statements << db.scalar(count).toInt();
        }
        QCOMPARE(statements.at(1), statements.at(0));
        QVERIFY2(statements.at(0) <= 30, qPrintable(QString::number(statements.at(0))));

        // The rewrite of the 200-line voucher (number 3) asks the balances of its items leaving it
        // out: its lines are read once for all the items, not looked up once per item (where the
        // planner may pick the index of the voucher's number and search all its lines each time).
        QStringList codes;
        for (int row = 0; row < 200; ++row)
            codes << QString("I-%1").arg(row + 1, 4, 10, QChar('0'));
        const auto balances = companions::StockMoveInventory::balancesStatement(codes, 1, QDate(2024, 3, 5),
                                                                                true, 3, false, true);
        QString error;
        const QStringList plan = queryPlan(db.connection(), balances.sql, balances.binds, &error, true);
        QVERIFY2(!plan.isEmpty(), qPrintable(error));
        static const QRegularExpression linesRead("Scan .* on ictrand .*\\(actual .* loops=(\\d+)\\)");
        int reads = 0;
        for (const QString &line : plan) {
            if (const QRegularExpressionMatch match = linesRead.match(line); match.hasMatch()) {
                ++reads;
                QVERIFY2(match.captured(1) == "1", qPrintable(plan.join('\n')));
            }
        }
        QCOMPARE(reads, 1);
    }
};

QTEST_GUILESS_MAIN(TestLargeVouchers)
#include "TestLargeVouchers.moc"
