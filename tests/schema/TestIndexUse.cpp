// Every look-up the control makes on the host tables reaches its rows through an index, on both
// engines. The tables hold a few thousand generated rows and are ANALYZEd, so that PostgreSQL's
// planner chooses as it would on a real database. Transfers arrive at many locations, so that one
// location's share is small, as in a host with many stores; where a single location holds a large
// part of all rows, reading the table through is the planner's right choice and no fault.

#include "companions/LookupQuery.h"
#include "companions/StockMoveInventory.h"
#include "support/QueryPlan.h"
#include "support/TestDatabase.h"

#include <QtTest>
#include <map>
#include <memory>

namespace {

const int GeneratedRows = 3000;

// Rows for every table the look-ups read; {rows} stands for the number of rows, {date} for a date literal.
const char *const Generators[] = {
    "INSERT INTO ICLoc (LocID, LocName) SELECT i, 'Location ' || i FROM n",
    "INSERT INTO ICItem (ItemID, Descp, StockUnit, StdCost) SELECT '10-00-' || (10000 + i), 'Item ' || i, "
    "'PCS', 1 "
    "FROM n",
    "INSERT INTO ICItemL (item, itemid) SELECT 'AL-' || i, '10-00-' || (10000 + i) FROM n",
    "INSERT INTO ICUnit (ItemID, Unit, Conver) SELECT '10-00-' || (10000 + i), 'BOX', 12 FROM n",
    "INSERT INTO ICUnit (ItemID, Unit, Conver) SELECT '10-00-' || (10000 + i), 'PCS', 1 FROM n",
    "INSERT INTO icpric (itemid, pricelist, Price) SELECT '10-00-' || (10000 + i), 'RETAIL', i FROM n",
    "INSERT INTO icpric (itemid, pricelist, Price) SELECT '10-00-' || (10000 + i), 'WHOLESALE', i FROM n",
    "INSERT INTO ReqH (LocID, DocNo, DocDate) SELECT i % 20 + 1, i, {date} FROM n",
    "INSERT INTO ReqStat (LocID, DocNo, ItemID, Unit, Conver, QtyReq, POQty) "
    "SELECT i % 20 + 1, i, '10-00-' || (10000 + i), 'PCS', 1, 10, 4 FROM n",
    "INSERT INTO ReqStat (LocID, DocNo, ItemID, Unit, Conver, QtyReq, POQty) "
    "SELECT i % 20 + 1, i, '10-00-' || (10000 + (i * 7) % {rows} + 1), 'BOX', 12, 5, 5 FROM n",
    "INSERT INTO ICTRANH (FromLocID, DocNo, DocDate, ToLocID) SELECT i % 20 + 1, i, {date}, (i * 7) % 200 + "
    "1 "
    "FROM n",
    "INSERT INTO ICTRAND (FromLocID, DocNo, ItemID, Unit, Conver, Qty, SrNo) "
    "SELECT i % 20 + 1, i, '10-00-' || (10000 + i), 'PCS', 1, 2, 'SN-' || i FROM n",
    "INSERT INTO ICTRAND (FromLocID, DocNo, ItemID, Unit, Conver, Qty) "
    "SELECT i % 20 + 1, i, '10-00-' || (10000 + (i * 7) % {rows} + 1), 'BOX', 12, 1 FROM n",
    "INSERT INTO GLTRH (DetID, LineNo, AccountID, Debit, Credit) SELECT i, 1, 'A' || i, 5, 0 FROM n",
    "INSERT INTO GLTRH (DetID, LineNo, AccountID, Debit, Credit) SELECT i, 2, 'B' || i, 0, 5 FROM n",
    "INSERT INTO StockMove (ItemID, SrNo, LocID, MoveDate, Qty, UnitCost) "
    "SELECT '10-00-' || (10000 + i), 'SN-' || i, i % 20 + 1, {date}, 10, 2 FROM n",
    "INSERT INTO StockMove (ItemID, LocID, MoveDate, Qty, UnitCost) "
    "SELECT '10-00-' || (10000 + i), (i + 3) % 20 + 1, {date}, 10, 3 FROM n",
    "INSERT INTO UserProfile (UserName, OwnLocID) SELECT 'user' || i, i % 20 + 1 FROM n",
    "INSERT INTO UserLocRight (UserName, LocID, Direction) SELECT 'user' || i, i % 20 + 1, 1 FROM n",
};

bool populate(TestDatabase &db)
{
    const QString rows =
        QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < {rows}) ");
    const QString date = db.engine() == TestDatabase::Postgres ? QStringLiteral("DATE '2024-01-01'")
                                                               : QStringLiteral("'2024-01-01'");
    for (const char *generator : Generators) {
        QString sql = rows + QString::fromLatin1(generator);
        sql.replace(QLatin1String("{rows}"), QString::number(GeneratedRows))
            .replace(QLatin1String("{date}"), date);
        if (!db.exec(sql))
            return false;
    }
    return db.exec(QStringLiteral("INSERT INTO icprc (PriceList) VALUES ('RETAIL'), ('WHOLESALE')")) &&
           db.exec(QStringLiteral("ANALYZE"));
}

} // namespace

Q_DECLARE_METATYPE(PlanRule)

class TestIndexUse : public QObject {
    Q_OBJECT

private slots:
    void lookupsSeekAnIndex_data();
    void lookupsSeekAnIndex();
    void stockQueriesSeekAnIndex_data();
    void stockQueriesSeekAnIndex();
    void pickListsSeekOrWalkAnIndex_data();
    void pickListsSeekOrWalkAnIndex();

private:
    // The database of the engine, made and filled on first use; nullptr with *error when it
    // could not be made or filled.
    TestDatabase *populated(TestDatabase::Engine engine, QString *error);

    std::map<TestDatabase::Engine, std::unique_ptr<TestDatabase>> m_databases;
    std::map<TestDatabase::Engine, QString> m_errors;
};

TestDatabase *TestIndexUse::populated(TestDatabase::Engine engine, QString *error)
{
    auto &db = m_databases[engine];
    if (!db) {
        db = std::make_unique<TestDatabase>(engine);
        if (!db->isValid() || !populate(*db))
            m_errors[engine] = db->errorText();
    }
    *error = m_errors[engine];
    return error->isEmpty() ? db.get() : nullptr;
}

void TestIndexUse::lookupsSeekAnIndex_data()
{
    QTest::addColumn<TestDatabase::Engine>("engine");
    QTest::addColumn<QString>("sql");

    const QList<QPair<const char *, QString>> lookups{
        {"header by key", "Select * from ICTRANH Where DocNo=17 And FromLocID=18"},
        {"next number", "Select Max(DocNo) as MaxID from ICTRANH Where FromLocID=18"},
        {"lines by key", "Select ICTRAND.*, IcItem.Descp from ICTRAND Inner join ICItem on "
                         "ICTRAND.ItemID=ICItem.ItemID Where DocNo=17 And FromLocID=18"},
        {"lines replaced", "Delete from ICTRAND Where DocNo=17 And FromLocID=18"},
        {"header deleted", "Delete from ICTRANH Where DocNo=17 and FromLocID=18"},
        {"ledger rows deleted", "Delete from GLTRH Where DetID=17"},
        {"ledger rows printed", "SELECT * FROM GLTRH WHERE DetID = 17 ORDER BY LineNo"},
        {"item by code", "Select * from ICItem Where ItemID='10-00-10017'"},
        {"item by undashed code", "select * from icitem where replace(itemid,'-','')='100010017'"},
        {"alias by undashed code", "Select * from ICItemL Where replace(item,'-','')='AL17'"},
        {"unit of an item", "Select * from ICUnit Where ItemID='10-00-10017' And Unit='BOX'"},
        {"price in a list", "select * from icpric where itemid='10-00-10017' and pricelist='RETAIL'"},
        {"location", "Select * from ICLoc Where LocID=17"},
        {"requisition header", "Select Reqh.* from ReqH inner join ReqStat  on reqh.locid=reqstat.locid and "
                               "reqh.docno=reqstat.docno where reqh.DocNo=17 And reqh.LocID=18 and "
                               "(QtyReq-POQty)>0 "},
        {"requisition lines",
         "Select ReqD.*, QtyReq-POQty as QtyP, IcItemV.Descp, icitemv.TaxPer from REQSTAT "
         "ReqD  Inner join ICItemV on ReqD.ItemID=ICItemv.ItemID Where DocNo=17 And "
         "LocID=18 And (QtyReq-POQty)>0 "},
        {"user profile", "SELECT * FROM UserProfile WHERE UserName = 'user17'"},
        {"location right",
         "SELECT 1 FROM UserLocRight WHERE UserName = 'user17' AND LocID = 18 AND Direction = 1"},
        {"stock of a location", "SELECT * FROM CurrentStock WHERE LocID = 18 AND ItemID >= '10-00-100' AND "
                                "ItemID < '10-00-101' ORDER BY ItemID LIMIT 501"},
    };
    for (const auto &[name, sql] : lookups) {
        for (TestDatabase::Engine engine : {TestDatabase::Sqlite, TestDatabase::Postgres}) {
            const QString tag =
                QStringLiteral("%1 %2").arg(QLatin1String(name), TestDatabase::engineName(engine));
            QTest::newRow(qPrintable(tag)) << engine << sql;
        }
    }
}

void TestIndexUse::lookupsSeekAnIndex()
{
    QFETCH(TestDatabase::Engine, engine);
    QFETCH(QString, sql);
    QVT_SKIP_UNLESS_AVAILABLE(engine);
    QString error;
    TestDatabase *db = populated(engine, &error);
    QVERIFY2(db, qPrintable(error));

    const QStringList plan = queryPlan(db->connection(), sql, {}, &error);
    QVERIFY2(!plan.isEmpty(), qPrintable(error));
    const QString problem = indexSeekProblem(db->connection(), plan);
    QVERIFY2(problem.isEmpty(), qPrintable(problem + QStringLiteral("\n") + plan.join(QLatin1Char('\n'))));
}

void TestIndexUse::stockQueriesSeekAnIndex_data()
{
    using companions::StockMoveInventory;
    QTest::addColumn<TestDatabase::Engine>("engine");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QVariantList>("binds");

    const QDate date(2024, 3, 1);
    const QList<QPair<const char *, StockMoveInventory::Statement>> statements{
        {"balance of an item",
         StockMoveInventory::balanceStatement("10-00-10017", 18, date, false, 0, false)},
        {"balance of an item leaving out a voucher",
         StockMoveInventory::balanceStatement("10-00-10017", 18, date, true, 17, false)},
        {"balance of a serial number",
         StockMoveInventory::balanceStatement("SN-17", 18, date, true, 17, true)},
        {"cost of an item", StockMoveInventory::costStatement("10-00-10017", 18, date)},
    };
    for (const auto &[name, statement] : statements) {
        for (TestDatabase::Engine engine : {TestDatabase::Sqlite, TestDatabase::Postgres}) {
            const QString tag =
                QStringLiteral("%1 %2").arg(QLatin1String(name), TestDatabase::engineName(engine));
            QTest::newRow(qPrintable(tag)) << engine << statement.sql << statement.binds;
        }
    }
}

void TestIndexUse::stockQueriesSeekAnIndex()
{
    QFETCH(TestDatabase::Engine, engine);
    QFETCH(QString, sql);
    QFETCH(QVariantList, binds);
    QVT_SKIP_UNLESS_AVAILABLE(engine);
    QString error;
    TestDatabase *db = populated(engine, &error);
    QVERIFY2(db, qPrintable(error));

    const QStringList plan = queryPlan(db->connection(), sql, binds, &error);
    QVERIFY2(!plan.isEmpty(), qPrintable(error));
    const QString problem = indexSeekProblem(db->connection(), plan);
    QVERIFY2(problem.isEmpty(), qPrintable(problem + QStringLiteral("\n") + plan.join(QLatin1Char('\n'))));
}

void TestIndexUse::pickListsSeekOrWalkAnIndex_data()
{
    QTest::addColumn<TestDatabase::Engine>("engine");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("keyColumn");
    QTest::addColumn<QString>("search");
    QTest::addColumn<PlanRule>("rule");

    struct PickList {
        const char *name;
        const char *source;
        const char *filter;
        int keyColumn;
        const char *search;
        PlanRule rule;
    };
    const PickList lists[] = {
        {"items at a location", "CurrentStock", "LocID=18", 0, "", PlanRule::SeekOnly},
        {"items at a location by prefix", "CurrentStock", "LocID=18", 0, "10-00-101", PlanRule::SeekOnly},
        {"vouchers", "ICTRANH", "", 1, "", PlanRule::OrderedWalkOnly},
        {"vouchers by number", "ICTRANH", "", 1, "17", PlanRule::SeekOnly},
        {"locations", "ICLOC", "", 0, "", PlanRule::OrderedWalkOnly},
        {"locations by number", "ICLOC", "", 0, "17", PlanRule::SeekOnly},
        {"units of an item", "ICUnit", "ItemID='10-00-10017'", 1, "B", PlanRule::SeekOnly},
        {"requisitions of a location", "reqstat", "LocID=18", 1, "17", PlanRule::SeekOnly},
    };
    for (const PickList &list : lists) {
        for (TestDatabase::Engine engine : {TestDatabase::Sqlite, TestDatabase::Postgres}) {
            const QString tag =
                QStringLiteral("%1 %2").arg(QLatin1String(list.name), TestDatabase::engineName(engine));
            QTest::newRow(qPrintable(tag))
                << engine << list.source << list.filter << list.keyColumn << list.search << list.rule;
        }
    }
}

void TestIndexUse::pickListsSeekOrWalkAnIndex()
{
    QFETCH(TestDatabase::Engine, engine);
    QFETCH(QString, source);
    QFETCH(QString, filter);
    QFETCH(int, keyColumn);
    QFETCH(QString, search);
    QFETCH(PlanRule, rule);
    QVT_SKIP_UNLESS_AVAILABLE(engine);
    QString error;
    TestDatabase *db = populated(engine, &error);
    QVERIFY2(db, qPrintable(error));

    companions::LookupSource lookup;
    QVERIFY2(lookup.open(db->connection(), source, &error), qPrintable(error));
    const std::optional<companions::LookupFilter> condition = companions::parseLookupFilter(filter);
    QVERIFY(condition);
    const auto statement = lookup.pageStatement({*condition, keyColumn, search, 0, 501}, &error);
    QVERIFY2(statement && !statement->matchesNothing, qPrintable(error));

    const QStringList plan = queryPlan(db->connection(), statement->sql, statement->binds, &error);
    QVERIFY2(!plan.isEmpty(), qPrintable(error));
    const QString problem = indexSeekProblem(db->connection(), plan, rule);
    QVERIFY2(problem.isEmpty(), qPrintable(problem + QStringLiteral("\n") + plan.join(QLatin1Char('\n'))));
}

QTEST_GUILESS_MAIN(TestIndexUse)
#include "TestIndexUse.moc"
