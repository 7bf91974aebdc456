// Stock balances and item costs: movements, transfers out and in, the date cut-off, the voucher
// left out of its own check, serial numbers, and the weighted cost with its fallbacks.

#include "companions/StockMoveInventory.h"
#include "support/TestDatabase.h"

#include <QtTest>
#include <map>
#include <memory>

namespace {

// Item A at location 1: 10 opening (cost 2) on 1 Jan, 5 received (cost 5) on 10 Jan, voucher
// (1, 100) of 12 Jan sends 2 x 1 + 1 x 3 = 5 to location 2, 3 issued on 15 Jan, voucher (2, 100)
// of 20 Jan brings 1 back, voucher (1, 101) of 1 Feb sends 1 to location 3.
// Item A at location 2: 4 opening (cost 9), 2 received without a cost on 2 Jan.
// Serial SN1 of item S: received at location 1 on 1 Jan, sent to location 2 by voucher (1, 102)
// of 25 Jan. Item B has no standard cost; item A's is 7.
const char *const Fixture[] = {
    "INSERT INTO ICItem (ItemID, Descp, StdCost) VALUES ('A', 'Apple', 7), ('B', 'Bolt', NULL), ('S', 'Saw', "
    "1)",
    "INSERT INTO StockMove (ItemID, SrNo, LocID, MoveDate, Qty, UnitCost) VALUES "
    "('A', NULL, 1, '2024-01-01', 10, 2), ('A', NULL, 1, '2024-01-10', 5, 5), ('A', NULL, 1, '2024-01-15', "
    "-3, 4), "
    "('A', NULL, 2, '2024-01-01', 4, 9), ('A', NULL, 2, '2024-01-02', 2, NULL), ('S', 'SN1', 1, "
    "'2024-01-01', 1, 50)",
    "INSERT INTO ICTRANH (FromLocID, DocNo, DocDate, ToLocID) VALUES "
    "(1, 100, '2024-01-12', 2), (2, 100, '2024-01-20', 1), (1, 101, '2024-02-01', 3), (1, 102, '2024-01-25', "
    "2)",
    "INSERT INTO ICTRAND (FromLocID, DocNo, ItemID, Unit, Conver, Qty, SrNo) VALUES "
    "(1, 100, 'A', 'PCS', 1, 2, NULL), (1, 100, 'A', 'BOX', 3, 1, NULL), (2, 100, 'A', 'PCS', 1, 1, NULL), "
    "(1, 101, 'A', 'PCS', NULL, 1, NULL), (1, 102, 'S', 'PCS', 1, 1, 'SN1')",
};

bool fill(TestDatabase &db)
{
    for (const char *sql : Fixture) {
        if (!db.exec(QString::fromLatin1(sql)))
            return false;
    }
    return true;
}

} // namespace

class TestInventory : public QObject {
    Q_OBJECT

private slots:
    void balanceFollowsMovementsAndTransfers_data();
    void balanceFollowsMovementsAndTransfers();
    void balanceFailsWithoutADateOrATable_data() { TestDatabase::addEngineColumn(); }
    void balanceFailsWithoutADateOrATable();
    void costIsTheWeightedAverageOfReceipts_data();
    void costIsTheWeightedAverageOfReceipts();

private:
    // The filled database of the engine, shared by the cases that only read; nullptr with *error
    // when it could not be made.
    TestDatabase *filled(TestDatabase::Engine engine, QString *error);

    std::map<TestDatabase::Engine, std::unique_ptr<TestDatabase>> m_databases;
};

TestDatabase *TestInventory::filled(TestDatabase::Engine engine, QString *error)
{
    auto &db = m_databases[engine];
    if (!db) {
        db = std::make_unique<TestDatabase>(engine);
        if (!db->isValid() || !fill(*db)) {
            *error = db->errorText();
            db.reset();
        }
    }
    return db.get();
}

void TestInventory::balanceFollowsMovementsAndTransfers_data()
{
    QTest::addColumn<TestDatabase::Engine>("engine");
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("location");
    QTest::addColumn<QString>("date");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("docNo");
    QTest::addColumn<bool>("bySerial");
    QTest::addColumn<double>("expected");

    struct Case {
        const char *name;
        const char *code;
        int location;
        const char *date;
        int kind;
        int docNo;
        bool bySerial;
        double expected;
    };
    const Case cases[] = {
        {"before any movement", "A", 1, "31/12/2023", 5, 999999999, false, 0},
        {"opening stock on its day", "A", 1, "01/01/2024", 5, 999999999, false, 10},
        {"receipt", "A", 1, "10/01/2024", 5, 999999999, false, 15},
        {"transfer out in base units", "A", 1, "12/01/2024", 5, 999999999, false, 10},
        {"issue", "A", 1, "15/01/2024", 5, 999999999, false, 7},
        {"transfer in", "A", 1, "20/01/2024", 5, 999999999, false, 8},
        {"line without conversion counts once", "A", 1, "01/02/2024", 5, 999999999, false, 7},
        {"own voucher left out", "A", 1, "01/02/2024", 5, 100, false, 12},
        {"other kinds leave nothing out", "A", 1, "01/02/2024", 3, 100, false, 7},
        {"receiving location", "A", 2, "01/02/2024", 5, 999999999, false, 10},
        {"same number elsewhere still counts", "A", 2, "01/02/2024", 5, 100, false, 11},
        {"unknown item", "Q", 1, "01/02/2024", 5, 999999999, false, 0},
        {"serial received", "SN1", 1, "24/01/2024", 5, 0, true, 1},
        {"serial sent away", "SN1", 1, "25/01/2024", 5, 0, true, 0},
        {"serial at its new location", "SN1", 2, "25/01/2024", 5, 0, true, 1},
        {"serial on its own voucher", "SN1", 1, "25/01/2024", 5, 102, true, 1},
        {"item code is not a serial", "A", 1, "01/02/2024", 5, 0, true, 0},
    };
    for (const Case &c : cases) {
        for (TestDatabase::Engine engine : {TestDatabase::Sqlite, TestDatabase::Postgres}) {
            const QString tag =
                QStringLiteral("%1 %2").arg(QLatin1String(c.name), TestDatabase::engineName(engine));
            QTest::newRow(qPrintable(tag))
                << engine << QString::fromLatin1(c.code) << c.location << QString::fromLatin1(c.date)
                << c.kind << c.docNo << c.bySerial << c.expected;
        }
    }
}

void TestInventory::balanceFollowsMovementsAndTransfers()
{
    QFETCH(TestDatabase::Engine, engine);
    QFETCH(QString, code);
    QFETCH(int, location);
    QFETCH(QString, date);
    QFETCH(int, kind);
    QFETCH(int, docNo);
    QFETCH(bool, bySerial);
    QFETCH(double, expected);
    QVT_SKIP_UNLESS_AVAILABLE(engine);
    QString error;
    TestDatabase *db = filled(engine, &error);
    QVERIFY2(db, qPrintable(error));

    companions::StockMoveInventory inventory;
    inventory.SetConnection(db->connection());
    const std::optional<double> balance = inventory.StockBalance(code, location, date, kind, docNo, bySerial);
    QVERIFY(balance.has_value());
    QCOMPARE(*balance, expected);
}

void TestInventory::balanceFailsWithoutADateOrATable()
{
    QFETCH(TestDatabase::Engine, engine);
    QVT_OPEN_DATABASE(db, engine);
    QVERIFY2(fill(db), qPrintable(db.errorText()));
    companions::StockMoveInventory inventory;
    inventory.SetConnection(db.connection());

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("not a date"));
    QVERIFY(!inventory.StockBalance("A", 1, "2024-01-01", 5, 0, false));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("not a date"));
    QVERIFY(!inventory.StockBalance("A", 1, "31/02/2024", 5, 0, false));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no date"));
    QVERIFY(!inventory.ItemCost(QDate(), "A", 1, 5, 0));

    QVERIFY(
        db.exec(engine == TestDatabase::Postgres ? "DROP TABLE StockMove CASCADE" : "DROP TABLE StockMove"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("inventory: (prepare|query) failed"));
    QVERIFY(!inventory.StockBalance("A", 1, "01/01/2024", 5, 0, false));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("inventory: (prepare|query) failed"));
    QVERIFY(!inventory.ItemCost(QDate(2024, 1, 1), "A", 1, 5, 0));
}

void TestInventory::costIsTheWeightedAverageOfReceipts_data()
{
    QTest::addColumn<TestDatabase::Engine>("engine");
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("location");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<double>("expected");

    struct Case {
        const char *name;
        const char *item;
        int location;
        QDate date;
        double expected;
    };
    const Case cases[] = {
        {"one receipt so far", "A", 1, QDate(2024, 1, 9), 2},
        {"two prices weighted by quantity", "A", 1, QDate(2024, 1, 31), (10 * 2 + 5 * 5) / 15.0},
        {"receipt without a cost is ignored", "A", 2, QDate(2024, 1, 31), 9},
        {"no receipt yet: standard cost", "A", 1, QDate(2023, 12, 31), 7},
        {"no receipt at the location: standard cost", "A", 3, QDate(2024, 1, 31), 7},
        {"no standard cost either", "B", 1, QDate(2024, 1, 31), 0},
        {"unknown item", "Q", 1, QDate(2024, 1, 31), 0},
    };
    for (const Case &c : cases) {
        for (TestDatabase::Engine engine : {TestDatabase::Sqlite, TestDatabase::Postgres}) {
            const QString tag =
                QStringLiteral("%1 %2").arg(QLatin1String(c.name), TestDatabase::engineName(engine));
            QTest::newRow(qPrintable(tag))
                << engine << QString::fromLatin1(c.item) << c.location << c.date << c.expected;
        }
    }
}

void TestInventory::costIsTheWeightedAverageOfReceipts()
{
    QFETCH(TestDatabase::Engine, engine);
    QFETCH(QString, item);
    QFETCH(int, location);
    QFETCH(QDate, date);
    QFETCH(double, expected);
    QVT_SKIP_UNLESS_AVAILABLE(engine);
    QString error;
    TestDatabase *db = filled(engine, &error);
    QVERIFY2(db, qPrintable(error));

    companions::StockMoveInventory inventory;
    inventory.SetConnection(db->connection());
    const std::optional<double> cost = inventory.ItemCost(date, item, location, 5, 100);
    QVERIFY(cost.has_value());
    QCOMPARE(*cost, expected);
}

QTEST_GUILESS_MAIN(TestInventory)
#include "TestInventory.moc"
