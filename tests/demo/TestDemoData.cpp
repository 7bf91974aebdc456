// The demo data: the invariants the transfer form relies on when it runs on it, on SQLite and
// on PostgreSQL, and the generator's sizes, refusal and all-or-nothing writing.

#include "DemoData.h"
#include "DemoDatabase.h"
#include "support/TestDatabase.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

namespace {

// Every row of a query as "a|b|c", for comparing whole tables.
QStringList rowsOf(const QSqlDatabase &db, const QString &sql)
{
    QStringList rows;
    QSqlQuery query(db);
    if (!query.exec(sql)) {
        return {QStringLiteral("query failed: ") + sql};
    }
    while (query.next()) {
        QStringList values;
        for (int i = 0; i < query.record().count(); ++i) {
            values << query.value(i).toString();
        }
        rows << values.join(QLatin1Char('|'));
    }
    return rows;
}

int count(TestDatabase &db, const QString &sql)
{
    const QVariant value = db.scalar(sql);
    return value.isValid() ? value.toInt() : -1;
}

} // namespace

class TestDemoData : public QObject {
    Q_OBJECT

private slots:
    void referencesAreComplete_data() { TestDatabase::addEngineColumn(); }
    void referencesAreComplete();
    void documentsAreConsistent_data() { TestDatabase::addEngineColumn(); }
    void documentsAreConsistent();
    void sizesAreHonoured_data() { TestDatabase::addEngineColumn(); }
    void sizesAreHonoured();
    void refusesOrRollsBack_data() { TestDatabase::addEngineColumn(); }
    void refusesOrRollsBack();
    void isDeterministic();
    void preparesAnEmptyDatabaseOnce();
};

void TestDemoData::referencesAreComplete()
{
    QFETCH(TestDatabase::Engine, engine);
    QVT_OPEN_DATABASE(db, engine);
    QString error;
    QVERIFY2(generateDemoData(db.connection(), DemoSize(), &error), qPrintable(error));

    // Item codes fit the keyboard mask ##-##-##-####.
    const QRegularExpression mask(QStringLiteral("^\\d\\d-\\d\\d-\\d\\d-\\d\\d\\d\\d$"));
    const QStringList codes = rowsOf(db.connection(), QStringLiteral("SELECT ItemID FROM ICItem"));
    QCOMPARE(codes.size(), DemoSize().items);
    for (const QString &code : codes) {
        QVERIFY2(mask.match(code).hasMatch(), qPrintable(code));
    }
    QCOMPARE(count(db, "SELECT COUNT(*) FROM ICItem WHERE Descp IS NULL OR StockUnit IS NULL"), 0);

    // Aliases and prices name existing items; the first item scans as BC-100001 and comes in
    // boxes of 12.
    QVERIFY(count(db, "SELECT COUNT(*) FROM ICItemL") > 0);
    QCOMPARE(count(db, "SELECT COUNT(*) FROM ICItemL l LEFT JOIN ICItem i ON i.ItemID = l.itemid "
                       "WHERE i.ItemID IS NULL"),
             0);
    QCOMPARE(db.scalar("SELECT itemid FROM ICItemL WHERE item = 'BC-100001'").toString(),
             QStringLiteral("10-00-00-0001"));
    QCOMPARE(
        db.scalar("SELECT Conver FROM ICUnit WHERE ItemID = '10-00-00-0001' AND Unit = 'BOX'").toDouble(),
        12.0);
    QCOMPARE(rowsOf(db.connection(), "SELECT PriceList FROM icprc ORDER BY PriceList"),
             QStringList({"RETAIL", "TRADE", "WHOLESALE"}));
    QCOMPARE(
        count(db,
              "SELECT COUNT(*) FROM icpric p LEFT JOIN ICItem i ON i.ItemID = p.itemid "
              "LEFT JOIN icprc l ON l.PriceList = p.pricelist WHERE i.ItemID IS NULL OR l.PriceList IS NULL"),
        0);

    // Locations, ledger setup and users with their profiles.
    QVERIFY(count(db, "SELECT COUNT(*) FROM ICLoc WHERE LocName <> ''") >= 5);
    QCOMPARE(rowsOf(db.connection(), "SELECT DbID, UseTransaction FROM GLSetup"), QStringList({"1|1"}));
    QCOMPARE(rowsOf(db.connection(), "SELECT UserName FROM UserProfile ORDER BY UserName"),
             QStringList({"branch", "demo", "free", "serial"}));
    QCOMPARE(
        db.scalar("SELECT COUNT(*) FROM UserProfile WHERE UserName = 'serial' AND TrackSerialNo").toInt(), 1);
    QCOMPARE(db.scalar("SELECT COUNT(*) FROM UserProfile WHERE UserName = 'free' AND AllowNegative").toInt(),
             1);
    QCOMPARE(db.scalar("SELECT COUNT(*) FROM UserProfile WHERE UserName = 'demo' AND NOT AllowNegative "
                       "AND MayChangeSource")
                 .toInt(),
             1);
    QCOMPARE(count(db, "SELECT COUNT(*) FROM UserLocRight WHERE UserName = 'demo'"),
             2 * count(db, "SELECT COUNT(*) FROM ICLoc"));

    // The restricted user: held to its own location, which exists and is its only source.
    const QStringList branch =
        rowsOf(db.connection(), "SELECT p.OwnLocID, l.LocName FROM UserProfile p "
                                "JOIN ICLoc l ON l.LocID = p.OwnLocID "
                                "WHERE p.UserName = 'branch' AND NOT p.MayChangeSource");
    QCOMPARE(branch.size(), 1);
    QVERIFY(branch.constFirst().startsWith(QLatin1String("2|")));
    QCOMPARE(
        rowsOf(db.connection(), "SELECT LocID FROM UserLocRight WHERE UserName = 'branch' AND Direction = 1"),
        QStringList({"2"}));
}

void TestDemoData::documentsAreConsistent()
{
    QFETCH(TestDatabase::Engine, engine);
    QVT_OPEN_DATABASE(db, engine);
    QString error;
    QVERIFY2(generateDemoData(db.connection(), DemoSize(), &error), qPrintable(error));

    // Every line belongs to a saved header; numbers run from 1 per source location, no gaps.
    QVERIFY(count(db, "SELECT COUNT(*) FROM ICTRAND") > 0);
    QCOMPARE(count(db, "SELECT COUNT(*) FROM ICTRAND d LEFT JOIN ICTRANH h "
                       "ON h.FromLocID = d.FromLocID AND h.DocNo = d.DocNo WHERE h.DocNo IS NULL"),
             0);
    QVERIFY(count(db, "SELECT COUNT(DISTINCT FromLocID) FROM ICTRANH") >= 2);
    QCOMPARE(count(db, "SELECT COUNT(*) FROM (SELECT FromLocID FROM ICTRANH GROUP BY FromLocID "
                       "HAVING MIN(DocNo) <> 1 OR MAX(DocNo) <> COUNT(*)) gaps"),
             0);
    QCOMPARE(count(db, "SELECT COUNT(*) FROM ICTRANH WHERE FromLocID = ToLocID"), 0);

    // Transfers never took more than the source held: no location's stock is below zero.
    QVERIFY(db.scalar("SELECT MIN(QtyOnHand) FROM CurrentStock").toDouble() >= 0);
    // A serial number sent out was in stock at the source.
    QVERIFY(count(db, "SELECT COUNT(*) FROM ICTRAND WHERE SrNo <> ''") > 0);
    QCOMPARE(count(db,
                   "SELECT COUNT(*) FROM ICTRAND d WHERE d.SrNo <> '' AND NOT EXISTS (SELECT 1 FROM "
                   "StockMove m WHERE m.SrNo = d.SrNo AND m.LocID = d.FromLocID AND m.ItemID = d.ItemID)"),
             0);

    // One voucher is posted; its ledger rows balance and carry the voucher's amount.
    const QStringList posted = rowsOf(db.connection(), "SELECT FromLocID, DocNo, LinkDetID FROM ICTRANH "
                                                       "WHERE LinkDetID IS NOT NULL");
    QCOMPARE(posted.size(), 1);
    const QStringList key = posted.constFirst().split(QLatin1Char('|'));
    const QString ledger = QStringLiteral(" FROM GLTRH WHERE DetID = ") + key.at(2);
    const double debit = db.scalar("SELECT SUM(Debit)" + ledger).toDouble();
    QVERIFY(count(db, "SELECT COUNT(*)" + ledger) >= 2);
    QVERIFY(debit > 0);
    QVERIFY(qAbs(debit - db.scalar("SELECT SUM(Credit)" + ledger).toDouble()) < 0.005);
    const double amount = db.scalar(QStringLiteral("SELECT SUM(Amount) FROM ICTRAND WHERE FromLocID = %1 "
                                                   "AND DocNo = %2")
                                        .arg(key.at(0), key.at(1)))
                              .toDouble();
    QVERIFY(qAbs(debit - amount) < 0.005);

    // Requisitions: open, partly served and fully served lines; one requisition completed;
    // nothing the import reads as text is NULL, and every line's item is known.
    QVERIFY(count(db, "SELECT COUNT(*) FROM ReqStat WHERE POQty = 0 AND QtyReq > 0") > 0);
    QVERIFY(count(db, "SELECT COUNT(*) FROM ReqStat WHERE POQty > 0 AND POQty < QtyReq") > 0);
    QVERIFY(count(db, "SELECT COUNT(*) FROM ReqStat WHERE POQty = QtyReq") > 0);
    QVERIFY(count(db, "SELECT COUNT(*) FROM ReqH h WHERE NOT EXISTS (SELECT 1 FROM ReqStat s WHERE "
                      "s.LocID = h.LocID AND s.DocNo = h.DocNo AND s.QtyReq - s.POQty > 0)") > 0);
    QVERIFY(count(db, "SELECT COUNT(DISTINCT LocID) FROM ReqH") >= 2);
    QCOMPARE(count(db, "SELECT COUNT(*) FROM ReqStat WHERE ItemID IS NULL OR Unit IS NULL OR Conver IS NULL "
                       "OR SrNo IS NULL OR QtyReq IS NULL OR POQty IS NULL"),
             0);
    QCOMPARE(count(db, "SELECT COUNT(*) FROM ReqH WHERE Narration IS NULL OR DocDate IS NULL"), 0);
    QCOMPARE(count(db, "SELECT COUNT(*) FROM ReqStat s LEFT JOIN ICItemV v ON v.ItemID = s.ItemID "
                       "WHERE v.ItemID IS NULL"),
             0);
}

void TestDemoData::sizesAreHonoured()
{
    QFETCH(TestDatabase::Engine, engine);
    QVT_OPEN_DATABASE(db, engine);
    DemoSize size;
    size.items = 3000;
    size.vouchers = 250;
    size.movements = 7000;
    size.requisitions = 40;
    QString error;
    QVERIFY2(generateDemoData(db.connection(), size, &error), qPrintable(error));

    QCOMPARE(count(db, "SELECT COUNT(*) FROM ICItem"), 3000);
    QCOMPARE(count(db, "SELECT COUNT(DISTINCT replace(ItemID, '-', '')) FROM ICItem"), 3000);
    QCOMPARE(count(db, "SELECT COUNT(*) FROM ICTRANH"), 250);
    QCOMPARE(count(db, "SELECT COUNT(*) FROM StockMove"), 7000);
    QCOMPARE(count(db, "SELECT COUNT(*) FROM ReqH"), 40);
    QCOMPARE(count(db, "SELECT COUNT(*) FROM ICTRANH h WHERE NOT EXISTS (SELECT 1 FROM ICTRAND d "
                       "WHERE d.FromLocID = h.FromLocID AND d.DocNo = h.DocNo)"),
             0);
    QCOMPARE(count(db, "SELECT COUNT(*) FROM (SELECT FromLocID FROM ICTRANH GROUP BY FromLocID "
                       "HAVING MIN(DocNo) <> 1 OR MAX(DocNo) <> COUNT(*)) gaps"),
             0);
    QVERIFY(db.scalar("SELECT MIN(QtyOnHand) FROM CurrentStock").toDouble() >= 0);
}

void TestDemoData::refusesOrRollsBack()
{
    QFETCH(TestDatabase::Engine, engine);
    QVT_OPEN_DATABASE(db, engine);
    QString error;

    // A user row already there makes the writing fail after the items: nothing stays behind.
    QVERIFY2(db.exec("INSERT INTO UserProfile (UserName) VALUES ('branch')"), qPrintable(db.errorText()));
    QVERIFY(!generateDemoData(db.connection(), DemoSize(), &error));
    QVERIFY(error.contains(QLatin1String("UserProfile")));
    QCOMPARE(count(db, "SELECT COUNT(*) FROM ICItem"), 0);
    QCOMPARE(count(db, "SELECT COUNT(*) FROM ICLoc"), 0);

    // A database that already holds items is refused and left as it was.
    QVERIFY(db.exec("DELETE FROM UserProfile"));
    QVERIFY2(generateDemoData(db.connection(), DemoSize(), &error), qPrintable(error));
    const int vouchers = count(db, "SELECT COUNT(*) FROM ICTRANH");
    error.clear();
    QVERIFY(!generateDemoData(db.connection(), DemoSize(), &error));
    QVERIFY(error.contains(QLatin1String("items")));
    QCOMPARE(count(db, "SELECT COUNT(*) FROM ICItem"), DemoSize().items);
    QCOMPARE(count(db, "SELECT COUNT(*) FROM ICTRANH"), vouchers);
}

void TestDemoData::isDeterministic()
{
    TestDatabase first(TestDatabase::Sqlite);
    TestDatabase second(TestDatabase::Sqlite);
    QVERIFY2(first.isValid() && second.isValid(), qPrintable(first.errorText() + second.errorText()));
    QString error;
    QVERIFY2(generateDemoData(first.connection(), DemoSize(), &error), qPrintable(error));
    QVERIFY2(generateDemoData(second.connection(), DemoSize(), &error), qPrintable(error));
    for (const char *sql : {"SELECT * FROM ICItem ORDER BY ItemID", "SELECT * FROM StockMove ORDER BY MoveID",
                            "SELECT * FROM ICTRAND ORDER BY FromLocID, DocNo, ItemID, Qty",
                            "SELECT * FROM ReqStat ORDER BY LocID, DocNo, ItemID, Unit"}) {
        QCOMPARE(rowsOf(second.connection(), sql), rowsOf(first.connection(), sql));
    }
}

void TestDemoData::preparesAnEmptyDatabaseOnce()
{
    TestDatabase db(TestDatabase::Sqlite, TestDatabase::WithoutSchema);
    QVERIFY2(db.isValid(), qPrintable(db.errorText()));
    QVERIFY(!hasHostTables(db.connection()));

    QString error;
    bool created = false;
    QVERIFY2(prepareDemoDatabase(db.connection(), DemoSize(), &error, &created), qPrintable(error));
    QVERIFY(created);
    QVERIFY(hasHostTables(db.connection()));
    QCOMPARE(count(db, "SELECT COUNT(*) FROM ICItem"), DemoSize().items);

    // A second start finds the tables and leaves the data alone.
    QVERIFY(db.exec("DELETE FROM ICTRANH WHERE FromLocID = 2"));
    const int vouchers = count(db, "SELECT COUNT(*) FROM ICTRANH");
    QVERIFY2(prepareDemoDatabase(db.connection(), DemoSize(), &error, &created), qPrintable(error));
    QVERIFY(!created);
    QCOMPARE(count(db, "SELECT COUNT(*) FROM ICTRANH"), vouchers);
}

QTEST_GUILESS_MAIN(TestDemoData)
#include "TestDemoData.moc"
