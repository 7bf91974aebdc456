// Filling a voucher from a requisition: the pick list of requisitions and the import of the
// open lines, with its messages and failures.

#include "ReferenceFixture.h"
#include "grid/LineGrid.h"
#include "support/MessageCatcher.h"
#include "support/TestDatabase.h"

#include <QGuiApplication>

namespace {

const QString NotFound = QStringLiteral("Requisition not found or Requisition Completed.");
const QDate Untouched(2000, 1, 1);

bool seedRequisitions(TestDatabase &db)
{
    return db.exec("insert into ICLoc (LocID, LocName) values (7, 'North'), (8, 'Showroom')") &&
           db.exec("insert into ICItem (ItemID, Descp, StockUnit) values ('A-1', 'Bolt', 'PCS'), "
                   "('B-2', 'Nut', 'PCS'), ('C-3', 'Washer', 'PCS')") &&
           db.exec("insert into ReqH (LocID, DocNo, DocDate, Narration) values "
                   "(8, 12, '2024-03-05', 'For the showroom'), (8, 14, '2024-03-09', 'Two lines'), "
                   "(7, 15, '2024-04-01', 'North order'), (8, 20, '2024-05-02', 'Unknown items'), "
                   "(8, 30, '2024-06-03', 'Bad line'), (8, 40, '2024-07-04', 'Served'), "
                   "(8, 50, '2024-08-05', NULL)") &&
           db.exec("insert into ReqStat (LocID, DocNo, ItemID, Unit, Conver, SrNo, QtyReq, POQty) values "
                   "(8, 12, 'A-1', 'PCS', 1, 'S1', 10, 10), (8, 12, 'B-2', 'BOX', 12, 'S2', 10, 4), "
                   "(8, 14, 'C-3', 'PCS', 1, 'S7', 2.5, 0), (8, 14, 'A-1', 'DOZ', 12, 'S8', 3, 1), "
                   "(7, 15, 'A-1', 'PCS', 1, 'S3', 5, 0), (8, 20, 'Z-9', 'PCS', 1, 'S4', 3, 0), "
                   "(8, 30, 'A-1', 'PCS', 1, NULL, 2, 0), (8, 40, 'A-1', 'PCS', 1, 'S5', 4, 4), "
                   "(8, 50, 'A-1', 'PCS', 1, 'S6', 1, 0)");
}

// A started control on a seeded database, its header as a user left it before the import.
struct ImportFixture {
    explicit ImportFixture(TestDatabase &db, std::shared_ptr<CompanionScript> script = nullptr)
        : host(db.connection(), script ? std::make_shared<RecordingFactory>(script)
                                       : std::make_shared<companions::DefaultFactory>())
    {
    }
    bool start(const QString &toLocation, const QString &requisition)
    {
        if (!host.start())
            return false;
        host.form().dtpDocDate->setDate(Untouched);
        host.form().txtNarration->setText(QStringLiteral("before"));
        host.form().txtToLocID->setText(toLocation);
        host.form().txtReqNo->setText(requisition);
        host.outside()->setFocus();
        return true;
    }
    HostWindow host;
};

QStringList sorted(QStringList rows)
{
    rows.sort();
    return rows;
}

} // namespace

class TestRequisition : public QObject {
    Q_OBJECT
private slots:
    void importingARequisition_data();
    void importingARequisition();
    void failureKeepsThePreviousLines_data();
    void failureKeepsThePreviousLines();
    void pickingARequisition_data();
    void pickingARequisition();
    void importOnEachEngine_data();
    void importOnEachEngine();
};

void TestRequisition::importingARequisition_data()
{
    QTest::addColumn<QString>("requisition");
    QTest::addColumn<QString>("destination");
    QTest::addColumn<bool>("acts"); // anything happens at all
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("narration");
    QTest::addColumn<QString>("total");

    const QStringList twelve{"B-2|Nut|BOX|12|6|S2||"};
    const QStringList fourteen{"A-1|Bolt|DOZ|12|2|S8||", "C-3|Washer|PCS|1|2.5|S7||"};
    const QDate march5(2024, 3, 5);

    // clang-format off
    QTest::newRow("fully and partly served lines") << "12" << "8" << true << "" << twelve << march5
        << "For the showroom" << "6.00";
    QTest::newRow("number typed as 12.0") << "12.0" << "8" << true << "" << twelve << march5
        << "For the showroom" << "6.00";
    QTest::newRow("several open lines") << "14" << "8" << true << "" << fourteen << QDate(2024, 3, 9)
        << "Two lines" << "4.50";
    QTest::newRow("items missing from the item view") << "20" << "8" << true << "" << QStringList{}
        << QDate(2024, 5, 2) << "Unknown items" << "0.00";
    QTest::newRow("requisition of another location") << "15" << "8" << true << NotFound << QStringList{}
        << Untouched << "before" << "0.00";
    QTest::newRow("all lines served") << "40" << "8" << true << NotFound << QStringList{} << Untouched
        << "before" << "0.00";
    QTest::newRow("unknown number") << "77" << "8" << true << NotFound << QStringList{} << Untouched
        << "before" << "0.00";
    QTest::newRow("no requisition number") << "" << "8" << false << "" << QStringList{} << Untouched
        << "before" << "0.00";
    QTest::newRow("requisition number 0") << "0" << "8" << false << "" << QStringList{} << Untouched
        << "before" << "0.00";
    QTest::newRow("requisition number not a number") << "abc" << "8" << false << "" << QStringList{}
        << Untouched << "before" << "0.00";
    QTest::newRow("no destination") << "12" << "" << false << "" << QStringList{} << Untouched << "before"
        << "0.00";
    QTest::newRow("destination 0") << "12" << "0" << false << "" << QStringList{} << Untouched << "before"
        << "0.00";
    // clang-format on
}

void TestRequisition::importingARequisition()
{
    QFETCH(QString, requisition);
    QFETCH(QString, destination);
    QFETCH(bool, acts);
    QFETCH(QString, message);
    QFETCH(QStringList, rows);
    QFETCH(QDate, date);
    QFETCH(QString, narration);
    QFETCH(QString, total);

    QVT_OPEN_DATABASE(db, TestDatabase::Sqlite);
    QVERIFY2(seedRequisitions(db), qPrintable(db.errorText()));
    ImportFixture fixture(db);
    QVERIFY(fixture.start(destination, requisition));
    HostWindow &host = fixture.host;

    MessageCatcher catcher;
    if (message.isEmpty())
        catcher.expectNone();
    else
        catcher.answerNext(QMessageBox::Ok);
    QTest::mouseClick(host.form().cmdRef, Qt::LeftButton);

    QTRY_COMPARE(catcher.count(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
        QCOMPARE(catcher.last().text, message);
        QCOMPARE(catcher.last().title, QStringLiteral("PO"));
        QCOMPARE(catcher.last().icon, QMessageBox::Warning);
        QCOMPARE(catcher.last().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
    QCOMPARE(lastFocusIn(host.form().grdDetail), acts);
    QVERIFY(!QGuiApplication::overrideCursor());
    QCOMPARE(sorted(host.lineRows()), rows);
    QCOMPARE(host.form().grdDetail->lines(), &host.state().lineArray());
    for (int row = 0; row < rows.size(); ++row) {
        QCOMPARE(host.state().lineArray().GetCell(row, qvtrnsfr::ColEngineNo), QVariant(QString()));
        QVERIFY(!host.state().lineArray().GetCell(row, qvtrnsfr::ColSalePrice).isValid());
    }
    QCOMPARE(host.form().dtpDocDate->date(), date);
    QCOMPARE(host.form().txtNarration->text(), narration);
    QCOMPARE(host.form().txtTotalQty->text(), total);
    QCOMPARE(host.form().cmdRef->isEnabled(), rows.isEmpty());
    QCOMPARE(host.form().cmdFindPo->isEnabled(), rows.isEmpty());
    QCOMPARE(host.form().txtReqNo->text(), requisition);
}

void TestRequisition::failureKeepsThePreviousLines_data()
{
    QTest::addColumn<QString>("requisition");
    QTest::addColumn<QString>("damage"); // a statement that breaks the database first
    QTest::addColumn<QString>("message");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("narration");

    QTest::newRow("line without a serial number") << "30"
                                                  << ""
                                                  << "Invalid use of Null" << QDate(2024, 6, 3) << "Bad line";
    QTest::newRow("requisition without a narration")
        << "50"
        << ""
        << "Invalid use of Null" << QDate(2024, 8, 5) << "before";
    QTest::newRow("item view missing") << "12"
                                       << "drop view ICItemV"
                                       << "ICItemV" << QDate(2024, 3, 5) << "For the showroom";
}

void TestRequisition::failureKeepsThePreviousLines()
{
    QFETCH(QString, requisition);
    QFETCH(QString, damage);
    QFETCH(QString, message);
    QFETCH(QDate, date);
    QFETCH(QString, narration);

    QVT_OPEN_DATABASE(db, TestDatabase::Sqlite);
    QVERIFY2(seedRequisitions(db), qPrintable(db.errorText()));
    if (!damage.isEmpty())
        QVERIFY2(db.exec(damage), qPrintable(db.errorText()));
    ImportFixture fixture(db);
    QVERIFY(fixture.start(QStringLiteral("8"), requisition));
    HostWindow &host = fixture.host;
    // Lines whose total is 0 leave the import available.
    host.setLines(
        {{QStringLiteral("C-3"), QStringLiteral("2")}, {QStringLiteral("C-3"), QStringLiteral("-2")}});
    const qvtrnsfr::LineArray *before = &host.state().lineArray();
    QVERIFY(host.form().cmdRef->isEnabled());

    MessageCatcher catcher;
    catcher.answerNext(QMessageBox::Ok);
    QTest::mouseClick(host.form().cmdRef, Qt::LeftButton);

    QTRY_COMPARE(catcher.count(), 1);
    QVERIFY2(catcher.last().text.contains(message, Qt::CaseInsensitive), qPrintable(catcher.last().text));
    QCOMPARE(catcher.last().icon, QMessageBox::Critical);
    QCOMPARE(catcher.last().title, ControlHost::Caption);
    QVERIFY(!QGuiApplication::overrideCursor());
    QCOMPARE(&host.state().lineArray(), before);
    QCOMPARE(host.form().grdDetail->lines(), before);
    QCOMPARE(host.lineRows(), (QStringList{"C-3||||2|||", "C-3||||-2|||"}));
    QCOMPARE(host.form().dtpDocDate->date(), date);
    QCOMPARE(host.form().txtNarration->text(), narration);
}

void TestRequisition::pickingARequisition_data()
{
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("result");

    QTest::newRow("picked") << "12"
                            << "12";
    QTest::newRow("cancelled") << ""
                               << "1";
}

void TestRequisition::pickingARequisition()
{
    QFETCH(QString, selected);
    QFETCH(QString, result);

    QVT_OPEN_DATABASE(db, TestDatabase::Sqlite);
    QVERIFY2(seedRequisitions(db), qPrintable(db.errorText()));
    auto script = std::make_shared<CompanionScript>();
    script->selectedValue = selected;
    ImportFixture fixture(db, script);
    // The filter takes the destination as typed, its leading blank included.
    QVERIFY(fixture.start(QStringLiteral(" 8"), QStringLiteral("1")));
    HostWindow &host = fixture.host;

    MessageCatcher catcher;
    catcher.expectNone();
    QTest::mouseClick(host.form().cmdFindPo, Qt::LeftButton);

    QTRY_VERIFY(hasFocusIn(host.form().txtReqNo));
    const QStringList calls{"SetFilter()",
                            "SetTitle(Requisition Slips)",
                            QStringLiteral("SetConnection(%1)").arg(db.connectionName()),
                            "SetSource(reqstat)",
                            "SetFilter(LocID= 8)",
                            "SetKeyColumn(1)",
                            "SetSearchText(1)",
                            "SetResultColumn(1)",
                            "SetOwner(Host Caption)",
                            "ShowList()"};
    QCOMPARE(script->lookupCalls, calls);
    QCOMPARE(host.form().txtReqNo->text(), result);
    // Picking does not import.
    QCOMPARE(host.form().txtNarration->text(), QStringLiteral("before"));
    QVERIFY(host.lineRows().isEmpty());
}

void TestRequisition::importOnEachEngine_data()
{
    TestDatabase::addEngineColumn();
}

void TestRequisition::importOnEachEngine()
{
    QFETCH(TestDatabase::Engine, engine);
    QVT_OPEN_DATABASE(db, engine);
    QVERIFY2(seedRequisitions(db), qPrintable(db.errorText()));
    ImportFixture fixture(db);
    QVERIFY(fixture.start(QStringLiteral("8"), QStringLiteral("14")));
    HostWindow &host = fixture.host;

    MessageCatcher catcher;
    catcher.expectNone();
    QTest::mouseClick(host.form().cmdRef, Qt::LeftButton);

    QTRY_COMPARE(sorted(host.lineRows()),
                 (QStringList{"A-1|Bolt|DOZ|12|2|S8||", "C-3|Washer|PCS|1|2.5|S7||"}));
    QCOMPARE(host.form().dtpDocDate->date(), QDate(2024, 3, 9));
    QCOMPARE(host.form().txtNarration->text(), QStringLiteral("Two lines"));
    QCOMPARE(host.form().txtTotalQty->text(), QStringLiteral("4.50"));
}

QVT_REFERENCES_TEST_MAIN(TestRequisition)
#include "TestRequisition.moc"
