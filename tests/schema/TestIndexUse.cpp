// Every look-up the voucher core and its companions make reaches its rows through an index, on both
// engines: the statements are built by the code that sends them. The tables hold a few thousand
// generated rows and are ANALYZEd, so that PostgreSQL's planner chooses as on a real database;
// transfers spread over 20 locations, as in a host with many stores (where one location holds most
// rows, reading the table through is no fault).

#include "companions/LookupQuery.h"
#include "companions/StockMoveInventory.h"
#include "support/TestDatabase.h"
#include "voucher/Catalog.h"
#include "voucher/Locations.h"
#include "voucher/Requisitions.h"
#include "voucher/VoucherSql.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QtTest>
#include <map>
#include <memory>

using Inventory = companions::StockMoveInventory;
using namespace qvtrnsfr;

// Rows for every table the look-ups read, over n(i) = 1..3000; {d} stands for a date.
static const char *const Generators[] = {
    "INSERT INTO ICLoc (LocID, LocName) SELECT i, 'Location' FROM n",
    "INSERT INTO ICItem (ItemID, Descp) SELECT '10-00-' || (10000 + i), 'Item' FROM n",
    "INSERT INTO ICItemL (item, itemid) SELECT 'AL-' || i, '10-00-' || (10000 + i) FROM n",
    "INSERT INTO ICUnit (ItemID, Unit, Conver) SELECT '10-00-' || (10000 + i), 'BOX', 12 FROM n",
    "INSERT INTO icpric (itemid, pricelist, Price) SELECT '10-00-' || (10000 + i), 'RETAIL', i FROM n",
    "INSERT INTO ReqH (LocID, DocNo, DocDate) SELECT i % 20 + 1, i, {d} FROM n",
    "INSERT INTO ReqStat (LocID, DocNo, ItemID, Unit, Conver, QtyReq, POQty) "
    "SELECT i % 20 + 1, i, '10-00-' || (10000 + i), 'PCS', 1, 10, 4 FROM n",
    "INSERT INTO ICTRANH (FromLocID, DocNo, DocDate, ToLocID) SELECT i % 20 + 1, i, {d}, i % 200 + 1 FROM n",
    "INSERT INTO ICTRAND (FromLocID, DocNo, ItemID, Unit, Conver, Qty, SrNo) "
    "SELECT i % 20 + 1, i, '10-00-' || (10000 + i), 'PCS', 1, 2, 'SN-' || i FROM n",
    "INSERT INTO GLTRH (DetID, LineNo, AccountID, Debit, Credit) SELECT i, 1, 'A' || i, 5, 0 FROM n",
    "INSERT INTO StockMove (ItemID, SrNo, LocID, MoveDate, Qty, UnitCost) "
    "SELECT '10-00-' || (10000 + i), 'SN-' || i, i % 20 + 1, {d}, 10, 2 FROM n",
    "INSERT INTO UserLocRight (UserName, LocID, Direction) SELECT 'user' || i, i % 20 + 1, 1 FROM n",
};

// Empty when every table is reached by an index seek. SQLite's "SCAN x" reads the whole of x,
// which is fine only where x is a subquery or view the plan builds itself (a MATERIALIZE or
// CO-ROUTINE line names it); PostgreSQL's "Seq Scan" reads a whole table.
static QString indexSeekProblem(const QStringList &plan, bool postgres)
{
    static const QRegularExpression built("^(?:MATERIALIZE|CO-ROUTINE) (\\S+)"), scan("^SCAN (\\S+)");
    QStringList subqueries{"CONSTANT"};
    for (const QString &line : plan)
        subqueries << built.match(line).captured(1);
    bool seeks = false;
    for (const QString &line : plan) {
        const QString scanned = scan.match(line).captured(1);
        if (postgres ? line.contains("Seq Scan") : !scanned.isEmpty() && !subqueries.contains(scanned))
            return "reads a whole table: " + line.trimmed();
        seeks = seeks || line.contains(QRegularExpression(postgres ? "Index (Only )?Scan" : "^SEARCH "));
    }
    return seeks ? QString() : "no index seek in the plan";
}

class TestIndexUse : public QObject {
    Q_OBJECT
    std::map<TestDatabase::Engine, std::unique_ptr<TestDatabase>> m_databases;

    static bool populate(TestDatabase &db)
    {
        const QString date = db.engine() == TestDatabase::Postgres ? "DATE '2024-01-01'" : "'2024-01-01'";
        const QString rows = "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<3000) ";
        for (const char *generator : Generators) {
            if (!db.exec(rows + QString::fromLatin1(generator).replace("{d}", date)))
                return false;
        }
        return db.exec("INSERT INTO icprc (PriceList) VALUES ('RETAIL')") && db.exec("ANALYZE");
    }

private slots:
    void initTestCase()
    {
        for (TestDatabase::Engine engine : TestDatabase::enginesAvailable()) {
            auto &db = m_databases[engine] = std::make_unique<TestDatabase>(engine);
            QVERIFY2(db->isValid() && populate(*db), qPrintable(db->errorText()));
        }
    }

    void lookupsSeekAnIndex_data()
    {
        QTest::addColumn<TestDatabase::Engine>("engine");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QVariantList>("binds");
        const QDate date(2024, 3, 1);
        const auto sql = [](const QString &text, const QVariantList &binds = {}) {
            return Inventory::Statement{text, binds};
        };
        const QList<QPair<const char *, Inventory::Statement>> lookups{
            {"header by key", sql(VoucherSql::header(17, 18))},
            {"next number", sql(VoucherSql::nextNumber(18))},
            {"lines by key", sql(VoucherSql::lines(17, 18))},
            {"lines replaced", sql(VoucherSql::deleteLines(17, 18))},
            {"header to delete", sql(VoucherSql::headerToDelete(17, 18))},
            {"header deleted", sql(VoucherSql::deleteHeader(17, 18))},
            {"ledger rows deleted", sql(VoucherSql::deleteLedger(17))},
            {"location", sql(locationSql(17))},
            {"locations of a voucher", sql(voucherLocationsSql(), {17, 18})},
            {"item by code", sql(ItemByCodeSql, {"10-00-10017"})},
            {"item by undashed code", sql(ItemByUndashedCodeSql, {"100010017"})},
            {"alias by undashed code", sql(AliasByUndashedCodeSql, {"AL17"})},
            {"unit of an item", sql(UnitOfItemSql, {"10-00-10017", "BOX"})},
            {"price", sql(ItemPriceSql, {"10-00-10017", "RETAIL"})},
            {"requisition", sql(requisitionHeaderSql(17, 18))},
            {"requisition lines", sql(requisitionLinesSql(17, 18))},
            // As ProfileLocationRights asks it.
            {"location right", sql("SELECT COUNT(*) FROM UserLocRight WHERE UserName = ? AND LocID = ? AND "
                                   "Direction = ?",
                                   {"user17", 18, 1})},
            {"balance", Inventory::balanceStatement("10-00-10017", 18, date, true, 17, false)},
            {"balance of a serial", Inventory::balanceStatement("SN-17", 18, date, true, 17, true)},
            {"cost of an item", Inventory::costStatement("10-00-10017", 18, date)},
        };
        for (const auto &[name, statement] : lookups)
            addEngineRows(name, statement.sql, statement.binds);
        // The item pick list's page of the stock of a location, its names quoted as the driver does.
        for (const auto &[engine, db] : m_databases) {
            companions::LookupSource stock;
            QString error;
            std::optional<companions::LookupStatement> page;
            if (stock.open(db->connection(), "CurrentStock", &error))
                page = stock.pageStatement({{"LocID", "18"}, 0, "10-00-100", 0, 501}, &error);
            QTest::addRow("stock of a location %s", qPrintable(TestDatabase::engineName(engine)))
                << engine << (page ? page->sql : error) << (page ? page->binds : QVariantList());
        }
    }
    void lookupsSeekAnIndex()
    {
        QFETCH(TestDatabase::Engine, engine);
        QFETCH(QString, sql);
        QFETCH(QVariantList, binds);
        QVT_SKIP_UNLESS_AVAILABLE(engine);
        const TestDatabase *db = m_databases[engine].get();
        QString error;
        const QStringList plan = queryPlan(db->connection(), sql, binds, &error);
        QVERIFY2(!plan.isEmpty(), qPrintable(error));
        const QString problem = indexSeekProblem(plan, engine == TestDatabase::Postgres);
        QVERIFY2(problem.isEmpty(), qPrintable(problem + "\n" + plan.join('\n')));
    }

    // An item's balance that leaves the saved voucher out gives that voucher's lines back: they
    // are sought by the voucher's number, not found among all of the item's lines at the location,
    // whose number grows with the history of a busy item.
    void voucherLeftOutSoughtByNumber()
    {
        for (const auto &[engine, db] : m_databases) {
            const bool postgres = engine == TestDatabase::Postgres;
            const auto statement =
                Inventory::balanceStatement("10-00-10017", 18, QDate(2024, 3, 1), true, 17, false);
            QString error;
            const QStringList plan = queryPlan(db->connection(), statement.sql, statement.binds, &error);
            QVERIFY2(!plan.isEmpty(), qPrintable(error));
            static const QRegularExpression sqliteSeek(
                "^SEARCH d USING (COVERING )?INDEX \\S+ \\((ItemID=\\? AND )?FromLocID=\\? AND DocNo=\\?\\)");
            static const QRegularExpression pgSeek("Index (Only )?Scan using \\S+ on ictrand d\\b");
            bool sought = false;
            for (int i = 0; i < plan.size(); ++i) {
                const QString line = plan.at(i).trimmed();
                sought = sought || (postgres ? pgSeek.match(line).hasMatch() && i + 1 < plan.size() &&
                                                   plan.at(i + 1).contains("Index Cond") &&
                                                   plan.at(i + 1).contains("docno = 17")
                                             : sqliteSeek.match(line).hasMatch());
            }
            QVERIFY2(sought, qPrintable(TestDatabase::engineName(engine) + ":\n" + plan.join('\n')));
        }
    }
};

QTEST_GUILESS_MAIN(TestIndexUse)
#include "TestIndexUse.moc"
