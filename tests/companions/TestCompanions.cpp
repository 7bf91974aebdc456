// The default companions: stock balances and item costs, the settings store, the user's profile
// and location rights, the ledger setup and printed ledger vouchers.

#include "companions/DefaultFactory.h"
#include "companions/NativeSettingsStore.h"
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

struct Balance {
    const char *name, *code;
    int location;
    const char *date;
    int kind, docNo;
    bool bySerial;
    double expected;
};
struct Cost {
    const char *name, *item;
    int location;
    QDate date;
    double expected;
};
Q_DECLARE_METATYPE(Balance)
Q_DECLARE_METATYPE(Cost)

static std::unique_ptr<companions::SettingsStore> columnWidthStore(const QString &valueName)
{
    auto store = companions::DefaultFactory().createSettingsStore();
    store->SetRootKey(companions::CurrentUserRoot);
    store->SetKeyPath("SOFTWARE\\Quorvane\\Settings\\ICTRNCols");
    store->SetValueName(valueName);
    return store;
}

class TestCompanions : public QObject {
    Q_OBJECT
    std::map<TestDatabase::Engine, std::unique_ptr<TestDatabase>> m_stock; // filled once, only read
    std::map<TestDatabase::Engine, companions::StockMoveInventory> m_inventories;

    // Columns "engine" and "c"; each case once per engine.
    template <typename Case, size_t N> static void addRows(const Case (&cases)[N])
    {
        QTest::addColumn<TestDatabase::Engine>("engine");
        QTest::addColumn<Case>("c");
        for (const Case &c : cases) {
            for (TestDatabase::Engine engine : {TestDatabase::Sqlite, TestDatabase::Postgres})
                QTest::addRow("%s %s", c.name, qPrintable(TestDatabase::engineName(engine))) << engine << c;
        }
    }

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
        const int none = 999999999; // a voucher number no voucher has
        const Balance cases[] = {
            {"before any movement", "A", 1, "31/12/2023", 5, none, false, 0},
            {"opening stock on its day", "A", 1, "01/01/2024", 5, none, false, 10},
            {"receipt", "A", 1, "10/01/2024", 5, none, false, 15},
            {"transfer out in base units", "A", 1, "12/01/2024", 5, none, false, 10},
            {"issue", "A", 1, "15/01/2024", 5, none, false, 7},
            {"transfer in", "A", 1, "20/01/2024", 5, none, false, 8},
            {"line without conversion counts once", "A", 1, "01/02/2024", 5, none, false, 7},
            {"own voucher left out", "A", 1, "01/02/2024", 5, 100, false, 12},
            {"other kinds leave nothing out", "A", 1, "01/02/2024", 3, 100, false, 7},
            {"receiving location", "A", 2, "01/02/2024", 5, none, false, 10},
            {"same number elsewhere still counts", "A", 2, "01/02/2024", 5, 100, false, 11},
            {"serial received", "SN1", 1, "24/01/2024", 5, 0, true, 1},
            {"serial sent away", "SN1", 1, "25/01/2024", 5, 0, true, 0},
            {"serial at its new location", "SN1", 2, "25/01/2024", 5, 0, true, 1},
            {"serial on its own voucher", "SN1", 1, "25/01/2024", 5, 102, true, 1},
            {"item code is not a serial", "A", 1, "01/02/2024", 5, 0, true, 0},
        };
        addRows(cases);
    }
    void balanceFollowsMovementsAndTransfers()
    {
        QFETCH(TestDatabase::Engine, engine);
        QFETCH(Balance, c);
        QVT_SKIP_UNLESS_AVAILABLE(engine);
        const auto balance =
            m_inventories[engine].StockBalance(c.code, c.location, c.date, c.kind, c.docNo, c.bySerial);
        QCOMPARE(balance.value_or(qQNaN()), c.expected);
    }

    void costIsTheWeightedAverageOfReceipts_data()
    {
        const Cost cases[] = {
            {"one receipt so far", "A", 1, QDate(2024, 1, 9), 2},
            {"two prices weighted by quantity", "A", 1, QDate(2024, 1, 31), (10 * 2 + 5 * 5) / 15.0},
            {"receipt without a cost is ignored", "A", 2, QDate(2024, 1, 31), 9},
            {"no receipt yet: standard cost", "A", 1, QDate(2023, 12, 31), 7},
            {"no standard cost either", "B", 1, QDate(2024, 1, 31), 0},
        };
        addRows(cases);
    }
    void costIsTheWeightedAverageOfReceipts()
    {
        QFETCH(TestDatabase::Engine, engine);
        QFETCH(Cost, c);
        QVT_SKIP_UNLESS_AVAILABLE(engine);
        QCOMPARE(m_inventories[engine].ItemCost(c.date, c.item, c.location, 5, 100).value_or(qQNaN()),
                 c.expected);
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
    void settingsRoundTrip()
    {
        auto writer = columnWidthStore("Col3");
        writer->SetValueText("1440");
        writer->WriteValue();
        QCOMPARE(columnWidthStore("Col3")->ValueText().value_or("failed"), QString("1440"));
        QCOMPARE(columnWidthStore("Col7")->ValueText().value_or("failed"), QString()); // missing: ""
        QSettings native(QSettings::NativeFormat, QSettings::UserScope, "Quorvane", "Settings");
        QVERIFY(native.fileName().startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")));
        QCOMPARE(native.value("ICTRNCols/Col3").toString(), QString("1440"));
    }

    void profilesAndLocationRights_data() { TestDatabase::addEngineColumn(); }
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

        QCOMPARE(rights.LocationAllowed("ann", 4, 1), std::optional<bool>(true));
        QCOMPARE(rights.LocationAllowed("ann", 5, 2), std::optional<bool>(true));
        QCOMPARE(rights.LocationAllowed("ann", 4, 2), std::optional<bool>(false)); // the other direction
        QCOMPARE(rights.LocationAllowed("zed", 4, 1), std::optional<bool>(false));
        QVERIFY(db.exec("DROP TABLE UserProfile"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("(prepare|exec) failed: .*UserProfile"));
        QCOMPARE(profileOf("ann"), QString("- - - - - -"));
    }

    void ledgerSetupAndPrintedVoucher_data() { TestDatabase::addEngineColumn(); }
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

int main(int argc, char *argv[])
{
    QTemporaryDir home; // settings go to a folder of this run, never to the user's own
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
    QApplication app(argc, argv);
    TestCompanions test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestCompanions.moc"
