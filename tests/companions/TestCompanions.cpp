// The default companions: stock balances and item costs, the user's profile and location rights,
// the ledger setup and printed ledger vouchers. The settings store is seen through the column
// widths the control keeps (tests/control).

#include "companions/DefaultFactory.h"
#include "companions/ProfileLocationRights.h"
#include "companions/StockMoveInventory.h"
#include "support/TestDatabase.h"

#include <QtPrintSupport>
#include <QtTest>
#include <map>

// A at 1: 10 in at cost 2 (1 Jan), 5 at cost 5 (10 Jan), 3 issued (15 Jan); voucher (1, 100) of 12 Jan
// sends 2 x 1 + 1 x 3 to 2, (2, 100) of 20 Jan brings 1 back, (1, 101) of 1 Feb sends 1 (no conversion)
// to 3. A at 2: 4 at cost 9, 2 without a cost. Serial SN1 of S: in at 1 on 1 Jan, sent to 2 by voucher
// (1, 102) of 25 Jan. Standard costs: A 7, B none.
static const char *const Stock[] = {
    "INSERT INTO ICItem (ItemID, StdCost) VALUES ('A', 7), ('B', NULL), ('S', 1)",
    "INSERT INTO StockMove (ItemID, SrNo, LocID, MoveDate, Qty, UnitCost) VALUES "
    "('A', NULL, 1, '2024-01-01', 10, 2), ('A', NULL, 1, '2024-01-10', 5, 5), "
    "('A', NULL, 1, '2024-01-15', -3, 4), ('A', NULL, 2, '2024-01-01', 4, 9), "
    "('A', NULL, 2, '2024-01-02', 2, NULL), ('S', 'SN1', 1, '2024-01-01', 1, 50)",
    "INSERT INTO ICTRANH (FromLocID, DocNo, DocDate, ToLocID) VALUES (1, 100, '2024-01-12', 2), "
    "(2, 100, '2024-01-20', 1), (1, 101, '2024-02-01', 3), (1, 102, '2024-01-25', 2)",
    "INSERT INTO ICTRAND (FromLocID, DocNo, ItemID, Unit, Conver, Qty, SrNo) VALUES "
    "(1, 100, 'A', 'PCS', 1, 2, NULL), (1, 100, 'A', 'BOX', 3, 1, NULL), (2, 100, 'A', 'PCS', 1, 1, NULL), "
    "(1, 101, 'A', 'PCS', NULL, 1, NULL), (1, 102, 'S', 'PCS', 1, 1, 'SN1')",
};

class TestCompanions : public QObject {
    Q_OBJECT
    std::map<TestDatabase::Engine, std::unique_ptr<TestDatabase>> m_stock; // filled once, only read
    std::map<TestDatabase::Engine, companions::StockMoveInventory> m_inventories;

private slots:
    void initTestCase()
    {
        for (TestDatabase::Engine engine : TestDatabase::enginesAvailable()) {
            auto &db = m_stock[engine] = std::make_unique<TestDatabase>(engine);
            for (const char *sql : Stock)
                QVERIFY2(db->isValid() && db->exec(sql), qPrintable(db->errorText()));
            m_inventories[engine].SetConnection(db->connection());
        }
    }

    void balanceFollowsMovementsAndTransfers_data()
    {
        // "code location date kind voucher by": the voucher left out ("-": none), by item or serial
        QTest::addColumn<TestDatabase::Engine>("engine");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<double>("balance");
        addEngineRows("before any movement", "A 1 31/12/2023 5 - item", 0.0);
        addEngineRows("opening stock on its day", "A 1 01/01/2024 5 - item", 10.0);
        addEngineRows("receipt", "A 1 10/01/2024 5 - item", 15.0);
        addEngineRows("transfer out in base units", "A 1 12/01/2024 5 - item", 10.0);
        addEngineRows("issue", "A 1 15/01/2024 5 - item", 7.0);
        addEngineRows("transfer in", "A 1 20/01/2024 5 - item", 8.0);
        addEngineRows("line without conversion counts once", "A 1 01/02/2024 5 - item", 7.0);
        addEngineRows("own voucher left out", "A 1 01/02/2024 5 100 item", 12.0);
        addEngineRows("other kinds leave nothing out", "A 1 01/02/2024 3 100 item", 7.0);
        addEngineRows("receiving location", "A 2 01/02/2024 5 - item", 10.0);
        addEngineRows("same number elsewhere still counts", "A 2 01/02/2024 5 100 item", 11.0);
        addEngineRows("serial received", "SN1 1 24/01/2024 5 0 serial", 1.0);
        addEngineRows("serial sent away", "SN1 1 25/01/2024 5 0 serial", 0.0);
        addEngineRows("serial at its new location", "SN1 2 25/01/2024 5 0 serial", 1.0);
        addEngineRows("serial on its own voucher", "SN1 1 25/01/2024 5 102 serial", 1.0);
        addEngineRows("item code is not a serial", "A 1 01/02/2024 5 0 serial", 0.0);
    }
    void balanceFollowsMovementsAndTransfers()
    {
        QFETCH(TestDatabase::Engine, engine);
        QFETCH(QString, asked);
        QVT_SKIP_UNLESS_AVAILABLE(engine);
        const QStringList a = asked.split(' ');
        const int voucher = a[4] == "-" ? 999999999 : a[4].toInt(); // "-": a number no voucher has
        QTEST(m_inventories[engine]
                  .StockBalance(a[0], a[1].toInt(), a[2], a[3].toInt(), voucher, a[5] == "serial")
                  .value_or(qQNaN()),
              "balance");
    }

    void costIsTheWeightedAverageOfReceipts_data()
    {
        QTest::addColumn<TestDatabase::Engine>("engine");
        QTest::addColumn<QString>("asked"); // "item location"
        QTest::addColumn<QDate>("date");
        QTest::addColumn<double>("cost");
        addEngineRows("one receipt so far", "A 1", QDate(2024, 1, 9), 2.0);
        addEngineRows("two prices weighted by quantity", "A 1", QDate(2024, 1, 31), (10 * 2 + 5 * 5) / 15.0);
        addEngineRows("receipt without a cost is ignored", "A 2", QDate(2024, 1, 31), 9.0);
        addEngineRows("no receipt yet: standard cost", "A 1", QDate(2023, 12, 31), 7.0);
        addEngineRows("no standard cost either", "B 1", QDate(2024, 1, 31), 0.0);
    }
    void costIsTheWeightedAverageOfReceipts()
    {
        QFETCH(TestDatabase::Engine, engine);
        QFETCH(QString, asked);
        QFETCH(QDate, date);
        QVT_SKIP_UNLESS_AVAILABLE(engine);
        QTEST(m_inventories[engine]
                  .ItemCost(date, asked.section(' ', 0, 0), asked.section(' ', 1).toInt(), 5, 100)
                  .value_or(qQNaN()),
              "cost");
    }

    void stockQueriesFailWithoutADateOrATable()
    {
        TestDatabase db(TestDatabase::Sqlite);
        companions::StockMoveInventory inventory;
        inventory.SetConnection(db.connection());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("not a date"));
        QVERIFY(!inventory.StockBalance("A", 1, "31/02/2024", 5, 0, false));
        QVERIFY(db.exec("DROP TABLE StockMove"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("(prepare|exec) failed: .*StockMove"));
        QVERIFY(!inventory.ItemCost(QDate(2024, 1, 1), "A", 1, 5, 0));
    }
    void profilesAndLocationRights_data() { addEngineColumn(); }
    void profilesAndLocationRights()
    {
        QFETCH(TestDatabase::Engine, engine);
        QVT_OPEN_DATABASE(db, engine);
        QVERIFY(
            db.exec("INSERT INTO UserProfile (UserName, ProfileNo, TrackSerialNo, AllowNegative, DateFixed, "
                    "MayChangeSource, OwnLocID) VALUES (?, ?, ?, ?, ?, ?, ?)",
                    {"ann", 3, true, false, true, false, 4}));
        QVERIFY(db.exec("INSERT INTO UserProfile (UserName, ProfileNo, OwnLocID) VALUES ('bob', NULL, 2)"));
        QVERIFY(db.exec(
            "INSERT INTO UserLocRight (UserName, LocID, Direction) VALUES ('ann', 4, 1), ('ann', 5, 2)"));
        companions::ProfileLocationRights rights;
        rights.SetConnection(db.connection());
        // Profile number, serials, negative stock, fixed date, may change source, own location.
        const auto answer = [](auto value) { return value ? QString::number(*value) : QString("-"); };
        const auto profileOf = [&](const char *user) {
            rights.SetUser(user);
            rights.LoadProfile();
            return QStringList{answer(rights.ProfileNumber()),          answer(rights.TrackSerialNo()),
                               answer(rights.AllowNegativeInventory()), answer(rights.DateFixed()),
                               answer(rights.MayChangeSource()),        answer(rights.OwnLocation())}
                .join(' ');
        };
        QCOMPARE(profileOf("ann"), QString("3 1 0 1 0 4"));
        QCOMPARE(profileOf("bob"), QString("- 0 0 0 1 2")); // defaults fill what the row leaves out
        QCOMPARE(profileOf("zed"), QString("- - - - - -")); // an unknown user has no answers

        // Granted as source and as destination; not in the other direction, nor to another user.
        QCOMPARE(QList({rights.LocationAllowed("ann", 4, 1), rights.LocationAllowed("ann", 5, 2),
                        rights.LocationAllowed("ann", 4, 2), rights.LocationAllowed("zed", 4, 1)}),
                 QList<std::optional<bool>>({true, true, false, false}));
        QVERIFY(db.exec("DROP TABLE UserProfile"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("(prepare|exec) failed: .*UserProfile"));
        QCOMPARE(profileOf("ann"), QString("- - - - - -"));
    }

    void ledgerSetupAndPrintedVoucher_data() { addEngineColumn(); }
    void ledgerSetupAndPrintedVoucher()
    {
        QFETCH(TestDatabase::Engine, engine);
        QVT_OPEN_DATABASE(db, engine);
        QTemporaryDir dir;
        companions::DefaultFactory factory;
        factory.setLedgerPdfPath(dir.filePath("voucher.pdf"));
        auto ledger = factory.createLedgerService();
        ledger->SetConnection(db.connection());
        ledger->LoadSetup();
        QCOMPARE(ledger->TransactionSetting(), std::nullopt); // no setup row
        QVERIFY(db.exec("INSERT INTO GLSetup (DbID, UseTransaction) VALUES (1, NULL)"));
        ledger->LoadSetup();
        QCOMPARE(ledger->TransactionSetting(), std::nullopt); // no setting in it

        // Written out of line order, with a row of another voucher between them.
        QVERIFY(db.exec(
            "INSERT INTO GLTRH (DetID, LineNo, VoucherNo, VoucherDate, AccountID, AccountName, "
            "Narration, Debit, Credit) VALUES "
            "(17, 2, 'JV-0042', '2024-03-05', '2100', 'Stock at Branch', 'Transfer 7 in', 0, 1250.5), "
            "(18, 1, 'JV-0043', '2024-03-06', '9999', 'Suspense', 'Other voucher', 3, 0), "
            "(17, 1, 'JV-0042', '2024-03-05', '1100', 'Stock at Main', 'Transfer 7 out', 1250.5, 0)"));
        ledger->PrintVoucher(17, "Velta Branch Desk");
        QProcess pdftotext;
        pdftotext.start("pdftotext", {"-layout", dir.filePath("voucher.pdf"), "-"});
        QVERIFY(pdftotext.waitForFinished(-1) && pdftotext.exitCode() == 0);
        const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
        for (const char *expected :
             {"Velta Branch Desk", "JV-0042", "05/03/2024", "Stock at Main", "Transfer 7 in", "Total"})
            QVERIFY2(text.contains(QLatin1String(expected)), expected);
        QVERIFY(text.indexOf("1100") < text.indexOf("2100"));
        QVERIFY(!text.contains("Suspense"));
        QCOMPARE(text.count("1250.50"), 4); // each row once and both totals
        QFile::remove(dir.filePath("voucher.pdf"));
        QTest::ignoreMessage(QtInfoMsg, QRegularExpression("no rows for the detail id 99"));
        ledger->PrintVoucher(99, "Velta Branch Desk");
        QVERIFY(!QFile::exists(dir.filePath("voucher.pdf"))); // no rows, nothing printed
    }

    // Without a PDF path the voucher opens in a preview owned by the active window.
    void voucherPreviewOpensOverTheActiveWindow()
    {
        TestDatabase db(TestDatabase::Sqlite);
        QVERIFY(db.exec("INSERT INTO GLTRH (DetID, LineNo, AccountID, Debit) VALUES (5, 1, '1100', 10)"));
        QWidget host;
        host.show();
        QApplication::setActiveWindow(&host);
        QVERIFY(QTest::qWaitForWindowActive(&host));
        QWidget *owner = nullptr;
        QTimer::singleShot(0, &host, [&] {
            if (auto *preview = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget())) {
                owner = preview->parentWidget();
                preview->close();
            }
        });
        auto ledger = companions::DefaultFactory().createLedgerService();
        ledger->SetConnection(db.connection());
        ledger->PrintVoucher(5, "Host");
        QCOMPARE(owner, &host);
    }
};

QTEST_MAIN(TestCompanions)
#include "TestCompanions.moc"
