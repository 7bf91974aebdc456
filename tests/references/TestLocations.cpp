// The source and destination location fields: their checks on leaving, their pick lists, and
// that a voucher is never saved while a refused location holds the focus.

#include "ReferenceFixture.h"
#include "support/MessageCatcher.h"
#include "support/TestDatabase.h"

#include <QSignalSpy>

namespace {

const QString NotFound = QStringLiteral("Location not found.");
const QString NotFrom = QStringLiteral("You are not authorized to tranfer from this location.");
const QString NotTo = QStringLiteral("You are not authorized to tranfer to this location.");

bool seedLocations(TestDatabase &db)
{
    return db.exec("insert into ICLoc (LocID, LocName) values (1, 'Main Store'), (2, 'Branch'), "
                   "(8, 'Showroom'), (12, 'Depot Twelve')") &&
           // Highest voucher numbers per source location: the next ones are 42, 8, 3 and 5.
           db.exec("insert into ICTRANH (FromLocID, DocNo) values (1, 41), (2, 7), (12, 2), (99, 4)");
}

QLineEdit *nameFieldOf(HostWindow &host, const QLineEdit *field)
{
    return field == host.form().txtFromLocID ? host.form().txtFromLocName : host.form().txtToLocName;
}

} // namespace

class TestLocations : public QObject {
    Q_OBJECT
private slots:
    void leavingALocationField_data();
    void leavingALocationField();
    void locationPickLists_data();
    void locationPickLists();
    void refusedLocationIsNeverSaved_data();
    void refusedLocationIsNeverSaved();
};

void TestLocations::leavingALocationField_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("editMode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("byTab"); // else by a click on the field outside the control
    QTest::addColumn<bool>("rightsFail");
    QTest::addColumn<QString>("message"); // none: the field is left
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("rightsCalls");
    QTest::addColumn<QString>("docNo"); // the number proposed by the reset; none: no reset

    const QString from = QStringLiteral("txtFromLocID");
    const QString to = QStringLiteral("txtToLocID");
    const QString before = QStringLiteral("previous");

    // clang-format off
    QTest::newRow("source allowed") << from << false << "1" << false << false << "" << "Main Store"
        << QStringList{"ann,1,1"} << "42";
    QTest::newRow("source not found") << from << false << "99" << false << false << NotFound << before
        << QStringList{} << "5";
    QTest::newRow("source not allowed, name shown") << from << false << "2" << false << false << NotFrom
        << "Branch" << QStringList{"ann,2,1"} << "8";
    QTest::newRow("source not allowed, left by Tab") << from << false << "2" << true << false << NotFrom
        << "Branch" << QStringList{"ann,2,1"} << "8";
    QTest::newRow("source rights cannot be asked") << from << false << "1" << false << true << NotFrom
        << "Main Store" << QStringList{"ann,1,1"} << "42";
    QTest::newRow("source 12abc looks up 12") << from << false << "12abc" << true << false << "" << "Depot Twelve"
        << QStringList{"ann,12,1"} << "3";
    QTest::newRow("source 0") << from << false << "0" << false << false << "" << before << QStringList{} << "";
    QTest::newRow("source empty") << from << false << "" << true << false << "" << before << QStringList{} << "";
    QTest::newRow("source not a number") << from << false << "abc" << false << false << "" << before
        << QStringList{} << "";
    QTest::newRow("source in edit mode, not found") << from << true << "99" << false << false << NotFound
        << before << QStringList{} << "";
    QTest::newRow("source in edit mode, allowed") << from << true << "1" << false << false << "" << "Main Store"
        << QStringList{"ann,1,1"} << "";
    QTest::newRow("destination allowed") << to << false << "8" << false << false << "" << "Showroom"
        << QStringList{"ann,8,2"} << "";
    QTest::newRow("destination allowed, left by Tab") << to << false << "8" << true << false << "" << "Showroom"
        << QStringList{"ann,8,2"} << "";
    QTest::newRow("destination not found") << to << false << "99" << false << false << NotFound << before
        << QStringList{} << "";
    QTest::newRow("destination allowed only as a source") << to << false << "1" << false << false << NotTo
        << "Main Store" << QStringList{"ann,1,2"} << "";
    QTest::newRow("destination rights cannot be asked, edit mode") << to << true << "8" << false << true << NotTo
        << "Showroom" << QStringList{"ann,8,2"} << "";
    QTest::newRow("destination empty") << to << false << "" << false << false << "" << before << QStringList{}
        << "";
    // clang-format on
}

void TestLocations::leavingALocationField()
{
    QFETCH(QString, field);
    QFETCH(bool, editMode);
    QFETCH(QString, text);
    QFETCH(bool, byTab);
    QFETCH(bool, rightsFail);
    QFETCH(QString, message);
    QFETCH(QString, name);
    QFETCH(QStringList, rightsCalls);
    QFETCH(QString, docNo);
    const bool reset = !docNo.isEmpty();

    QVT_OPEN_DATABASE(db, TestDatabase::Sqlite);
    QVERIFY2(seedLocations(db), qPrintable(db.errorText()));
    auto script = std::make_shared<CompanionScript>();
    script->allowed = {{1, 1}, {12, 1}, {8, 2}};
    script->rightsFail = rightsFail;
    HostWindow host(db.connection(), std::make_shared<RecordingFactory>(script), editMode);
    QVERIFY(host.start());

    QLineEdit *edit = host.control()->findChild<QLineEdit *>(field);
    QVERIFY(edit);
    nameFieldOf(host, edit)->setText(QStringLiteral("previous"));
    host.setLines({{QStringLiteral("A-1"), QStringLiteral("2")}});
    host.form().txtNarration->setText(QStringLiteral("before"));
    const QString docNoBefore = host.form().txtDocNo->text();
    host.enter(edit, text);

    MessageCatcher catcher;
    if (message.isEmpty())
        catcher.expectNone();
    else
        catcher.answerNext(QMessageBox::Ok);
    if (byTab)
        QTest::keyClick(edit, Qt::Key_Tab);
    else
        QTest::mouseClick(host.outside(), Qt::LeftButton);

    QTRY_COMPARE(catcher.count(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
        // A location not found is a warning under the host's caption; a refused right, information.
        const bool notFound = message == NotFound;
        QCOMPARE(catcher.last().text, message);
        QCOMPARE(catcher.last().icon, notFound ? QMessageBox::Warning : QMessageBox::Information);
        QCOMPARE(catcher.last().title, notFound ? ControlHost::Caption : QStringLiteral("From Loc"));
        QCOMPARE(catcher.last().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
    QTRY_COMPARE(hasFocusIn(edit), !message.isEmpty());
    QCOMPARE(edit->text(), text);
    QCOMPARE(nameFieldOf(host, edit)->text(), name);
    QCOMPARE(script->rightsCalls, rightsCalls);
    QCOMPARE(host.lineRows().size(), reset ? 0 : 1);
    QCOMPARE(host.form().txtNarration->text(), reset ? QString() : QStringLiteral("before"));
    QCOMPARE(host.form().txtDocNo->text(), reset ? docNo : docNoBefore);
}

void TestLocations::locationPickLists_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("available");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QStringList>("calls"); // "SetConnection(host)" stands for the host's connection
    QTest::addColumn<QString>("result");

    const QStringList sourceCalls{"SetFilter()",        "SetTitle(Locations)",    "SetConnection(host)",
                                  "SetSource(ICLOC)",   "SetKeyColumn(0)",        "SetSearchText(3x)",
                                  "SetResultColumn(0)", "SetOwner(Host Caption)", "ShowList()"};
    QStringList destinationCalls{"SetTitle(Locations)", "SetConnection(host)",    "SetSource(ICLOC)",
                                 "SetFilter()",         "SetKeyColumn(0)",        "SetSearchText(8)",
                                 "SetResultColumn(0)",  "SetOwner(Host Caption)", "ShowList()"};
    QStringList emptyDestinationCalls = destinationCalls;
    emptyDestinationCalls[5] = QStringLiteral("SetSearchText(0)");

    // A picked location is written unchecked: 99 is no location, and no message follows.
    QTest::newRow("source picked") << "cmdFindCC"
                                   << "txtFromLocID"
                                   << "3x" << true << "99" << sourceCalls << "99";
    QTest::newRow("source cancelled") << "cmdFindCC"
                                      << "txtFromLocID"
                                      << "3x" << true << "" << sourceCalls << "3x";
    QTest::newRow("source without a pick list") << "cmdFindCC"
                                                << "txtFromLocID"
                                                << "3x" << false << "99" << QStringList{} << "3x";
    QTest::newRow("destination picked, searched by number")
        << "cmdFindLoc"
        << "txtToLocID"
        << " 8x" << true << "2" << destinationCalls << "2";
    QTest::newRow("destination empty, cancelled") << "cmdFindLoc"
                                                  << "txtToLocID"
                                                  << "" << true << "" << emptyDestinationCalls << "";
}

void TestLocations::locationPickLists()
{
    QFETCH(QString, button);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(bool, available);
    QFETCH(QString, selected);
    QFETCH(QStringList, calls);
    QFETCH(QString, result);

    QVT_OPEN_DATABASE(db, TestDatabase::Sqlite);
    QVERIFY2(seedLocations(db), qPrintable(db.errorText()));
    auto script = std::make_shared<CompanionScript>();
    script->lookupAvailable = available;
    script->selectedValue = selected;
    HostWindow host(db.connection(), std::make_shared<RecordingFactory>(script));
    QVERIFY(host.start());

    auto *edit = host.control()->findChild<QLineEdit *>(field);
    auto *push = host.control()->findChild<QPushButton *>(button);
    QVERIFY(edit && push);
    edit->setText(text);
    nameFieldOf(host, edit)->setText(QStringLiteral("previous"));
    host.outside()->setFocus();

    MessageCatcher catcher;
    catcher.expectNone();
    QTest::mouseClick(push, Qt::LeftButton);

    QTRY_VERIFY(hasFocusIn(edit));
    calls.replaceInStrings(QStringLiteral("SetConnection(host)"),
                           QStringLiteral("SetConnection(%1)").arg(db.connectionName()));
    QCOMPARE(script->lookupCalls, calls);
    QCOMPARE(edit->text(), result);
    QCOMPARE(nameFieldOf(host, edit)->text(), QStringLiteral("previous"));
    QVERIFY(script->rightsCalls.isEmpty());
    QCOMPARE(catcher.count(), 0);
}

void TestLocations::refusedLocationIsNeverSaved_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("allowed"); // a location the same voucher is then saved with

    // clang-format off
    QTest::newRow("destination not allowed") << "txtToLocID" << "2" << NotTo << "8";
    QTest::newRow("destination not found") << "txtToLocID" << "99" << NotFound << "8";
    // Leaving the source resets the form, so no voucher is left to save afterwards.
    QTest::newRow("source not allowed") << "txtFromLocID" << "8" << NotFrom << "";
    // clang-format on
}

// With the real companions: rights come from UserLocRight.
void TestLocations::refusedLocationIsNeverSaved()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(QString, allowed);

    QVT_OPEN_DATABASE(db, TestDatabase::Sqlite);
    QVERIFY2(seedLocations(db), qPrintable(db.errorText()));
    QVERIFY(db.exec("delete from ICTRANH"));
    QVERIFY(db.exec("insert into ICItem (ItemID, Descp, StockUnit) values ('A-1', 'Bolt', 'PCS')"));
    QVERIFY(db.exec("insert into UserProfile (UserName, AllowNegative) values ('ann', 1)"));
    QVERIFY(
        db.exec("insert into UserLocRight (UserName, LocID, Direction) values ('ann', 1, 1), ('ann', 8, 2)"));
    HostWindow host(db.connection(), std::make_shared<companions::DefaultFactory>());
    QVERIFY(host.start());

    // A voucher that needs nothing but a save: allowed locations, one line.
    host.enter(host.form().txtFromLocID, QStringLiteral("1"));
    QTest::mouseClick(host.outside(), Qt::LeftButton);
    QTRY_VERIFY(hasFocusIn(host.outside()));
    host.enter(host.form().txtToLocID, QStringLiteral("8"));
    QTest::mouseClick(host.outside(), Qt::LeftButton);
    QTRY_VERIFY(hasFocusIn(host.outside()));
    host.setLines({{QStringLiteral("A-1"), QStringLiteral("5")}});
    host.form().txtNarration->setText(QStringLiteral("to the showroom"));

    auto *edit = host.control()->findChild<QLineEdit *>(field);
    QVERIFY(edit);
    host.enter(edit, text);
    QSignalSpy clicks(host.form().cmdSave, &QPushButton::clicked);
    MessageCatcher catcher;
    catcher.answerNext(QMessageBox::Ok, 2);

    QTest::mouseClick(host.form().cmdSave, Qt::LeftButton);
    QTRY_COMPARE(catcher.count(), 1);
    QCOMPARE(catcher.last().text, message);
    QTRY_VERIFY(lastFocusIn(edit));

    QTest::keyClick(edit, Qt::Key_A, Qt::AltModifier); // the access key of "&Add"
    QTRY_COMPARE(catcher.count(), 2);
    QCOMPARE(catcher.last().text, message);
    QTRY_VERIFY(lastFocusIn(edit));

    QCOMPARE(clicks.count(), 0);
    QCOMPARE(db.scalar("select count(*) from ICTRANH").toInt(), 0);
    QCOMPARE(db.scalar("select count(*) from ICTRAND").toInt(), 0);
    if (allowed.isEmpty())
        return;

    // The same voucher with a location the user may use is saved by the same click.
    host.enter(edit, allowed);
    catcher.answerNext(QMessageBox::Ok);
    QTest::mouseClick(host.form().cmdSave, Qt::LeftButton);
    QTRY_COMPARE(catcher.count(), 3);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(db.scalar("select count(*) from ICTRANH where ToLocID = 8").toInt(), 1);
}

QVT_REFERENCES_TEST_MAIN(TestLocations)
#include "TestLocations.moc"
