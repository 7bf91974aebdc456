// Saving among many users and when the database or a component refuses: numbers taken by another
// user meanwhile, a line the database refuses, and a missing inventory component.

#include "DocumentFixture.h"

#include "companions/DefaultFactory.h"
#include "platform/Db.h"
#include "support/MessageCatcher.h"

class TestSaveFailures : public QObject {
    Q_OBJECT
private slots:
    void numberTakenMeanwhile_data() { TestDatabase::addEngineColumn(); }
    void numberTakenMeanwhile();
    void refusedNumberIsTakenAgain_data();
    void refusedNumberIsTakenAgain();
    void refusedThirdLine_data();
    void refusedThirdLine();
    void costFailureFailsTheSave_data();
    void costFailureFailsTheSave();
};

namespace {

// Adds the engine column crossed with add and edit mode and the transaction setting on and off.
void addEngineModeTransactionColumns()
{
    QTest::addColumn<TestDatabase::Engine>("engine");
    QTest::addColumn<bool>("editMode");
    QTest::addColumn<bool>("useTransaction");
    for (const TestDatabase::Engine engine : {TestDatabase::Sqlite, TestDatabase::Postgres}) {
        for (const bool edit : {false, true}) {
            for (const bool transaction : {true, false}) {
                const QString name =
                    TestDatabase::engineName(engine) +
                    (edit ? QStringLiteral(" edit") : QStringLiteral(" add")) +
                    (transaction ? QStringLiteral(" transaction") : QStringLiteral(" no transaction"));
                QTest::newRow(qPrintable(name)) << engine << edit << transaction;
            }
        }
    }
}

// A second user's connection to the same database saves a voucher header.
bool saveThroughSecondConnection(TestDatabase &db, int fromLocId, int docNo, const QString &narration)
{
    qvtrnsfr::ClonedConnection other(db.connection());
    return other.isOpen() &&
           qvtrnsfr::execute(
               other.database(),
               QStringLiteral(
                   "Insert into ICTRANH (FromLocID, DocNo, ToLocID, Narration) Values (?, ?, 2, ?)"),
               {fromLocId, docNo, narration});
}

// Refuses the third line of any voucher.
bool refuseThirdLine(TestDatabase &db)
{
    if (db.engine() == TestDatabase::Sqlite)
        return db.exec(QStringLiteral(
            "CREATE TRIGGER RefuseThirdLine BEFORE INSERT ON ICTRAND"
            " WHEN (SELECT count(*) FROM ICTRAND WHERE FromLocID = NEW.FromLocID AND DocNo = NEW.DocNo) >= 2"
            " BEGIN SELECT RAISE(ABORT, 'Third line refused'); END"));
    return db.exec(QStringLiteral(
               "CREATE FUNCTION refuse_third_line() RETURNS trigger AS $$ BEGIN"
               " IF (SELECT count(*) FROM ICTRAND WHERE FromLocID = NEW.FromLocID AND DocNo = NEW.DocNo) >= "
               "2 THEN"
               " RAISE EXCEPTION 'Third line refused'; END IF; RETURN NEW; END $$ LANGUAGE plpgsql")) &&
           db.exec(QStringLiteral("CREATE TRIGGER RefuseThirdLine BEFORE INSERT ON ICTRAND"
                                  " FOR EACH ROW EXECUTE FUNCTION refuse_third_line()"));
}

// An inventory component that cannot tell any cost.
class CostlessInventory : public companions::InventoryService {
public:
    void SetConnection(const QSqlDatabase &) override {}
    void SetProfileNumber(int) override {}
    std::optional<double> StockBalance(const QString &, int, const QString &, int, int, bool) override
    {
        return 100.0;
    }
    std::optional<double> ItemCost(const QDate &, const QString &, int, int, int) override
    {
        return std::nullopt;
    }
};

// Makes no inventory component at all, or one that cannot tell costs.
class InventoryFactory : public companions::DefaultFactory {
public:
    explicit InventoryFactory(bool costless) : m_costless(costless) {}
    std::unique_ptr<companions::InventoryService> createInventoryService() override
    {
        return m_costless ? std::make_unique<CostlessInventory>() : nullptr;
    }

private:
    bool m_costless;
};

const QList<QStringList> ThreeLines{
    {"A-1", "Bolt", "PCS", "1", "1"}, {"B-2", "Nut", "PCS", "1", "2"}, {"C-3", "Washer", "PCS", "1", "3"}};

} // namespace

// The form proposed a number that another user has saved since: the voucher gets the next free
// number, the message reports it, and the other user's voucher stays as it was.
void TestSaveFailures::numberTakenMeanwhile()
{
    QFETCH(TestDatabase::Engine, engine);
    QVT_OPEN_DATABASE(db, engine);
    QVERIFY2(seedMasters(db), qPrintable(db.errorText()));
    VoucherHost host(db.connection(), false);
    QVERIFY(host.start());
    host.setSource(QStringLiteral("1"));
    QCOMPARE(host.form().txtDocNo->text(), QStringLiteral("1"));
    QVERIFY(saveThroughSecondConnection(db, 1, 1, QStringLiteral("first user")));

    host.form().txtToLocID->setText(QStringLiteral("3"));
    host.setLines({{"A-1", "Bolt", "PCS", "1", "4"}});
    MessageCatcher catcher;
    catcher.answerNext(QMessageBox::Ok);
    host.form().cmdSave->click();
    QCOMPARE(catcher.last().text, QStringLiteral("Document Number  2  Is Saved Successfully "));
    QCOMPARE(voucherTables(db),
             (QStringList{QStringLiteral("1|1|first user|2|NULL"), QStringLiteral("1|2||3|NULL"),
                          QStringLiteral("1|2|A-1|4|2.5")}));
    QCOMPARE(host.form().txtDocNo->text(), QStringLiteral("3"));
}

void TestSaveFailures::refusedNumberIsTakenAgain_data()
{
    QTest::addColumn<TestDatabase::Engine>("engine");
    QTest::addColumn<bool>("useTransaction");
    for (const TestDatabase::Engine engine : {TestDatabase::Sqlite, TestDatabase::Postgres}) {
        const QString name = TestDatabase::engineName(engine);
        QTest::newRow(qPrintable(name + QStringLiteral(" transaction"))) << engine << true;
        QTest::newRow(qPrintable(name + QStringLiteral(" no transaction"))) << engine << false;
    }
}

// The host's connection still sees an older state of the header table (numbers 3 and 4, saved by
// other users, are not visible to it), so the number it offers is refused by the header key. The
// save takes the next number again within the same save until one is free, and reports it.
void TestSaveFailures::refusedNumberIsTakenAgain()
{
    QFETCH(TestDatabase::Engine, engine);
    QFETCH(bool, useTransaction);
    QVT_OPEN_DATABASE(db, engine);
    QVERIFY2(seedMasters(db, useTransaction), qPrintable(db.errorText()));
    for (int docNo = 1; docNo <= 4; ++docNo)
        QVERIFY(insertHeader(db, QStringLiteral("FromLocID, DocNo, Narration"),
                             {1, docNo, QStringLiteral("v%1").arg(docNo)}));
    const QString schema = engine == TestDatabase::Sqlite ? QStringLiteral("main") : QStringLiteral("public");
    QVERIFY2(db.exec(QStringLiteral("CREATE TEMP VIEW ICTRANH AS SELECT * FROM %1.ICTRANH WHERE DocNo < 3")
                         .arg(schema)),
             qPrintable(db.errorText()));

    VoucherHost host(db.connection(), false);
    QVERIFY(host.start());
    QCOMPARE(host.state().UseTransaction, useTransaction);
    host.setSource(QStringLiteral("1"));
    QCOMPARE(host.form().txtDocNo->text(), QStringLiteral("3"));
    host.form().txtToLocID->setText(QStringLiteral("2"));
    host.setLines(ThreeLines);
    MessageCatcher catcher;
    catcher.answerNext(QMessageBox::Ok);
    host.form().cmdSave->click();
    QCOMPARE(catcher.count(), 1);
    QCOMPARE(catcher.last().text, QStringLiteral("Document Number  5  Is Saved Successfully "));
    QVERIFY(db.exec(QStringLiteral("DROP VIEW ICTRANH")));
    QCOMPARE(voucherTables(db),
             (QStringList{QStringLiteral("1|1|v1|NULL|NULL"), QStringLiteral("1|2|v2|NULL|NULL"),
                          QStringLiteral("1|3|v3|NULL|NULL"), QStringLiteral("1|4|v4|NULL|NULL"),
                          QStringLiteral("1|5||2|NULL"), QStringLiteral("1|5|A-1|1|2.5"),
                          QStringLiteral("1|5|B-2|2|52.5"), QStringLiteral("1|5|C-3|3|1")}));
}

void TestSaveFailures::refusedThirdLine_data()
{
    addEngineModeTransactionColumns();
}

// The database refuses the third line. With the transaction setting on, the database is exactly
// as before the save; with it off, what was written before the refusal stays. Either way the user
// reads the database's reason and the form keeps everything entered.
void TestSaveFailures::refusedThirdLine()
{
    QFETCH(TestDatabase::Engine, engine);
    QFETCH(bool, editMode);
    QFETCH(bool, useTransaction);
    QVT_OPEN_DATABASE(db, engine);
    QVERIFY2(seedMasters(db, useTransaction), qPrintable(db.errorText()));
    QVERIFY(insertHeader(db, QStringLiteral("FromLocID, DocNo, ToLocID, Narration"),
                         {1, 1, 3, QStringLiteral("old")}));
    QVERIFY(insertLine(db, 1, 1, QStringLiteral("C-3"), 9));
    QVERIFY2(refuseThirdLine(db), qPrintable(db.errorText()));
    const QStringList before = voucherTables(db);

    VoucherHost host(db.connection(), editMode);
    QVERIFY(host.start());
    QCOMPARE(host.state().UseTransaction, useTransaction);
    host.setSource(QStringLiteral("1"));
    if (editMode)
        host.leaveDocNo(QStringLiteral("1"));
    host.form().txtToLocID->setText(QStringLiteral("2"));
    host.form().txtNarration->setText(QStringLiteral("new"));
    host.setLines(ThreeLines);
    const QStringList enteredLines = host.lineRows();
    const QString shownNumber = host.form().txtDocNo->text();

    MessageCatcher catcher;
    catcher.answerNext(QMessageBox::Ok);
    host.form().cmdSave->click();
    QCOMPARE(catcher.count(), 1);
    QVERIFY2(catcher.last().text.contains(QStringLiteral("Third line refused")),
             qPrintable(catcher.last().text));
    QCOMPARE(catcher.last().icon, QMessageBox::Critical);
    QCOMPARE(catcher.last().title, ControlHost::Caption);

    const QString docNo = editMode ? QStringLiteral("1") : QStringLiteral("2");
    const QStringList written{QStringLiteral("1|%1|new|2|NULL").arg(docNo),
                              QStringLiteral("1|%1|A-1|1|2.5").arg(docNo),
                              QStringLiteral("1|%1|B-2|2|52.5").arg(docNo)};
    if (useTransaction)
        QCOMPARE(voucherTables(db), before);
    else if (editMode)
        QCOMPARE(voucherTables(db), written);
    else
        QCOMPARE(voucherTables(db),
                 QStringList({before.at(0), written.at(0), before.at(1)}) + written.mid(1));

    QCOMPARE(host.lineRows(), enteredLines);
    QCOMPARE(host.form().txtDocNo->text(), shownNumber);
    QCOMPARE(host.form().txtNarration->text(), QStringLiteral("new"));
    QCOMPARE(host.form().txtToLocID->text(), QStringLiteral("2"));
    QVERIFY(host.form().cmdSave->isEnabled());
}

void TestSaveFailures::costFailureFailsTheSave_data()
{
    QTest::addColumn<TestDatabase::Engine>("engine");
    QTest::addColumn<bool>("costless");
    QTest::addColumn<QString>("message");
    for (const TestDatabase::Engine engine : {TestDatabase::Sqlite, TestDatabase::Postgres}) {
        const QString name = TestDatabase::engineName(engine);
        QTest::newRow(qPrintable(name + " no component"))
            << engine << false << QStringLiteral("The inventory component is not available.");
        QTest::newRow(qPrintable(name + " cost not told"))
            << engine << true << QStringLiteral("The cost of item A-1 could not be read.");
    }
}

// Without a cost from the inventory component no line can be written: the save fails and,
// in its transaction, nothing stays.
void TestSaveFailures::costFailureFailsTheSave()
{
    QFETCH(TestDatabase::Engine, engine);
    QFETCH(bool, costless);
    QFETCH(QString, message);
    QVT_OPEN_DATABASE(db, engine);
    QVERIFY2(seedMasters(db), qPrintable(db.errorText()));
    VoucherHost host(db.connection(), false, std::make_shared<InventoryFactory>(costless));
    QVERIFY(host.start());
    host.setSource(QStringLiteral("1"));
    host.form().txtToLocID->setText(QStringLiteral("2"));
    host.setLines({{"A-1", "Bolt", "PCS", "1", "1"}});
    MessageCatcher catcher;
    catcher.answerNext(QMessageBox::Ok);
    host.form().cmdSave->click();
    QCOMPARE(catcher.last().icon, QMessageBox::Critical);
    QCOMPARE(catcher.last().text, message);
    QCOMPARE(voucherTables(db), QStringList());
    QCOMPARE(host.lineRows().size(), 1);
}

QVT_DOCUMENTS_TEST_MAIN(TestSaveFailures)
#include "TestSaveFailures.moc"
