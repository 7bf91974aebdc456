// The demo data on SQLite and PostgreSQL: what the form relies on, the sizes, all or nothing.

#include "DemoData.h"
#include "support/TestDatabase.h"

#include <QTest>

namespace {

int count(TestDatabase &db, const QString &sql)
{
    const QVariant value = db.scalar(sql);
    return value.isValid() ? value.toInt() : -1;
}

// Counts of rows the form would trip over: each must be 0.
const char *const Faults[] = {
    // Item codes fit the keyboard mask ##-##-##-####.
    "SELECT COUNT(*) FROM ICItem WHERE length(ItemID) <> 13 OR ltrim(replace(ItemID, '-', ''), '0123456789')"
    " <> '' OR substr(ItemID, 3, 1) || substr(ItemID, 6, 1) || substr(ItemID, 9, 1) <> '---'",
    "SELECT COUNT(*) FROM ICItem WHERE Descp IS NULL OR StockUnit IS NULL",
    "SELECT COUNT(*) FROM ICItemL l LEFT JOIN ICItem i ON i.ItemID = l.itemid WHERE i.ItemID IS NULL",
    "SELECT COUNT(*) FROM icpric p LEFT JOIN ICItem i ON i.ItemID = p.itemid LEFT JOIN icprc l"
    " ON l.PriceList = p.pricelist WHERE i.ItemID IS NULL OR l.PriceList IS NULL",
    // branch sends from its own location only; demo has both rights on every location.
    "SELECT COUNT(*) FROM UserLocRight WHERE UserName = 'branch' AND Direction = 1 AND LocID <> 2",
    "SELECT COUNT(*) FROM ICLoc l WHERE (SELECT COUNT(DISTINCT Direction) FROM UserLocRight r"
    " WHERE r.UserName = 'demo' AND r.LocID = l.LocID) <> 2",
    // Vouchers: lines under a header and none without, numbers from 1 without gaps per source, none
    // to its source, no stock below zero, serials sent out were in stock at the source.
    "SELECT COUNT(*) FROM ICTRAND d LEFT JOIN ICTRANH h ON h.FromLocID = d.FromLocID AND h.DocNo = d.DocNo"
    " WHERE h.DocNo IS NULL",
    "SELECT COUNT(*) FROM (SELECT FromLocID FROM ICTRANH GROUP BY FromLocID"
    " HAVING MIN(DocNo) <> 1 OR MAX(DocNo) <> COUNT(*)) gaps",
    "SELECT COUNT(*) FROM ICTRANH h WHERE NOT EXISTS (SELECT 1 FROM ICTRAND d"
    " WHERE d.FromLocID = h.FromLocID AND d.DocNo = h.DocNo)",
    "SELECT COUNT(*) FROM ICTRANH WHERE FromLocID = ToLocID",
    "SELECT COUNT(*) FROM CurrentStock WHERE QtyOnHand < 0",
    "SELECT COUNT(*) FROM ICTRAND d WHERE d.SrNo <> '' AND NOT EXISTS (SELECT 1 FROM StockMove m"
    " WHERE m.SrNo = d.SrNo AND m.LocID = d.FromLocID AND m.ItemID = d.ItemID)",
    // Nothing null that the requisition import reads, every item in the item view.
    "SELECT COUNT(*) FROM ReqStat WHERE ItemID IS NULL OR Unit IS NULL OR Conver IS NULL OR SrNo IS NULL"
    " OR QtyReq IS NULL OR POQty IS NULL",
    "SELECT COUNT(*) FROM ReqH WHERE Narration IS NULL OR DocDate IS NULL",
    "SELECT COUNT(*) FROM ReqStat s LEFT JOIN ICItemV v ON v.ItemID = s.ItemID WHERE v.ItemID IS NULL",
};

// What each part of the form needs to be shown with: at least so many rows.
const QPair<int, const char *> Present[] = {
    {1, "SELECT COUNT(*) FROM ICItemL WHERE item = 'BC-100001' AND itemid = '10-00-00-0001'"},
    {1, "SELECT COUNT(*) FROM ICUnit WHERE ItemID = '10-00-00-0001' AND Unit = 'BOX' AND Conver = 12"},
    {3, "SELECT COUNT(*) FROM icprc WHERE PriceList IN ('RETAIL', 'TRADE', 'WHOLESALE')"},
    {5, "SELECT COUNT(*) FROM ICLoc WHERE LocName <> ''"},
    {1, "SELECT COUNT(*) FROM GLSetup WHERE DbID = 1 AND UseTransaction = 1"},
    {1, "SELECT COUNT(*) FROM UserProfile WHERE UserName = 'serial' AND TrackSerialNo"},
    {1, "SELECT COUNT(*) FROM UserProfile WHERE UserName = 'free' AND AllowNegative"},
    {1, "SELECT COUNT(*) FROM UserProfile WHERE UserName = 'demo' AND NOT AllowNegative AND MayChangeSource"},
    {1, "SELECT COUNT(*) FROM UserProfile p JOIN ICLoc l ON l.LocID = p.OwnLocID"
        " WHERE p.UserName = 'branch' AND NOT p.MayChangeSource AND p.OwnLocID = 2"},
    {2, "SELECT COUNT(DISTINCT FromLocID) FROM ICTRANH"},
    {1, "SELECT COUNT(*) FROM ICTRAND WHERE SrNo <> ''"},
    // A posted voucher whose ledger rows balance and carry the voucher's amount.
    {1, "SELECT COUNT(*) FROM ICTRANH h JOIN (SELECT DetID, COUNT(*) n, SUM(Debit) dr, SUM(Credit) cr"
        " FROM GLTRH GROUP BY DetID) g ON g.DetID = h.LinkDetID WHERE g.n >= 2 AND g.dr > 0"
        " AND ABS(g.dr - g.cr) < 0.005 AND ABS(g.dr - (SELECT SUM(Amount) FROM ICTRAND d"
        " WHERE d.FromLocID = h.FromLocID AND d.DocNo = h.DocNo)) < 0.005"},
    // Requisitions: open, partly and fully served lines, one completed, at two locations.
    {1, "SELECT COUNT(*) FROM ReqStat WHERE POQty = 0 AND QtyReq > 0"},
    {1, "SELECT COUNT(*) FROM ReqStat WHERE POQty > 0 AND POQty < QtyReq"},
    {1, "SELECT COUNT(*) FROM ReqStat WHERE POQty = QtyReq"},
    {1, "SELECT COUNT(*) FROM ReqH h WHERE NOT EXISTS (SELECT 1 FROM ReqStat s"
        " WHERE s.LocID = h.LocID AND s.DocNo = h.DocNo AND s.QtyReq - s.POQty > 0)"},
    {2, "SELECT COUNT(DISTINCT LocID) FROM ReqH"},
};

} // namespace

Q_DECLARE_METATYPE(DemoSize)

class TestDemoData : public QObject {
    Q_OBJECT
private slots:
    void demoData_data();
    void demoData();
};

void TestDemoData::demoData_data()
{
    QTest::addColumn<TestDatabase::Engine>("engine");
    QTest::addColumn<DemoSize>("size");
    for (const TestDatabase::Engine engine : {TestDatabase::Sqlite, TestDatabase::Postgres}) {
        const QByteArray name = TestDatabase::engineName(engine).toLatin1();
        QTest::newRow(name + " default") << engine << DemoSize();
        QTest::newRow(name + " large") << engine << DemoSize{3000, 250, 7000, 40};
    }
}

// Written all or nothing, the data holds the sizes asked for and, at any size, everything the
// form relies on.
void TestDemoData::demoData()
{
    QFETCH(TestDatabase::Engine, engine);
    QFETCH(DemoSize, size);
    QVT_OPEN_DATABASE(db, engine);
    QString error;
    // A user row already there fails the writing after the items have gone in: nothing stays.
    QVERIFY2(db.exec("INSERT INTO UserProfile (UserName) VALUES ('branch')"), qPrintable(db.errorText()));
    QVERIFY(!generateDemoData(db.connection(), size, &error));
    QVERIFY2(error.contains(QLatin1String("UserProfile")), qPrintable(error));
    QCOMPARE(count(db, "SELECT COUNT(*) FROM ICItem") + count(db, "SELECT COUNT(*) FROM ICLoc"), 0);
    QVERIFY(db.exec("DELETE FROM UserProfile"));
    QVERIFY2(generateDemoData(db.connection(), size, &error), qPrintable(error));
    QCOMPARE(count(db, "SELECT COUNT(*) FROM ICTRANH"), size.vouchers);
    QCOMPARE(count(db, "SELECT COUNT(*) FROM StockMove"), size.movements);
    QCOMPARE(count(db, "SELECT COUNT(*) FROM ReqH"), size.requisitions);
    QCOMPARE(count(db, "SELECT COUNT(DISTINCT replace(ItemID, '-', '')) FROM ICItem"), size.items);
    for (const char *sql : Faults)
        QVERIFY2(count(db, sql) == 0, sql);
    for (const auto &[least, sql] : Present)
        QVERIFY2(count(db, sql) >= least, sql);
    QVERIFY(!generateDemoData(db.connection(), size, &error)); // a database with items is refused
    QVERIFY2(error.contains(QLatin1String("items")), qPrintable(error));
    QCOMPARE(count(db, "SELECT COUNT(*) FROM ICTRANH"), size.vouchers);
}

QTEST_GUILESS_MAIN(TestDemoData)
#include "TestDemoData.moc"
