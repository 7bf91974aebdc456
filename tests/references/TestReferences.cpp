// The header's references: the source and destination location fields (their checks on leaving,
// their pick lists, no save while a refused location holds the focus) and the requisition import.

#include "grid/LineGrid.h"
#include "support/ControlHost.h"
#include "support/Doubles.h"
#include "support/MessageCatcher.h"
#include "support/TestDatabase.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>

namespace {

const QString NotFound = QStringLiteral("warning Host Caption: Location not found.");
const QString Refused =
    QStringLiteral("information From Loc: You are not authorized to tranfer %1 this location.");
const QString NotFrom = Refused.arg("from"), NotTo = Refused.arg("to");
const QString Untouched = QStringLiteral(" / 2000-01-01 / before / 0.00"); // see voucher()

// Locations; the next voucher numbers of sources 1, 2, 12 and 99 are 42, 8, 3 and 5. Requisitions
// of location 8: 12 has a served and a partly served line, 20 only items the item view does not
// know, 50 no narration; 15 is location 7's.
const char *const Seed[] = {
    "insert into ICLoc (LocID, LocName) values (1, 'Main Store'), (2, 'Branch'), (8, 'Showroom'), "
    "(12, 'Depot Twelve')",
    "insert into ICTRANH (FromLocID, DocNo) values (1, 41), (2, 7), (12, 2), (99, 4)",
    "insert into ICItem (ItemID, Descp, StockUnit) values ('A-1', 'Bolt', 'PCS'), ('B-2', 'Nut', 'PCS'), "
    "('C-3', 'Washer', 'PCS')",
    "insert into ReqH (LocID, DocNo, DocDate, Narration) values (8, 12, '2024-03-05', 'For the showroom'), "
    "(7, 15, '2024-04-01', 'North order'), (8, 20, '2024-05-02', 'Unknown items'), "
    "(8, 50, '2024-08-05', NULL)",
    "insert into ReqStat (LocID, DocNo, ItemID, Unit, Conver, SrNo, QtyReq, POQty) values "
    "(8, 12, 'A-1', 'PCS', 1, 'S1', 10, 10), (8, 12, 'B-2', 'BOX', 12, 'S2', 10, 4), "
    "(7, 15, 'A-1', 'PCS', 1, 'S3', 5, 0), (8, 20, 'Z-9', 'PCS', 1, 'S4', 3, 0), "
    "(8, 50, 'A-1', 'PCS', 1, 'S6', 1, 0)"};

// A started host of user "ann" on the seeded database, with the rights scripted (sources 1 and
// 12, destination 8) unless the real companions are asked for.
struct Started {
    explicit Started(TestDatabase::Engine engine, bool editMode = false, const QStringList &real = {})
        : db(engine), host(db.connection(), "ann", editMode, factory)
    {
        factory->allowed = {{1, 1}, {12, 1}, {8, 2}};
        factory->real = real;
        seeded = db.isValid();
        for (const char *statement : Seed)
            seeded = seeded && db.exec(statement);
        seeded = seeded && host.start();
    }
    // The header as a user left it before an import: the date, narration, destination and number.
    void header(const QString &requisition, const QString &destination = "8")
    {
        host.form().dtpDocDate->setDate(QDate(2000, 1, 1));
        host.form().txtNarration->setText(QStringLiteral("before"));
        host.form().txtToLocID->setText(destination);
        host.form().txtReqNo->setText(requisition);
        host.focusOutside();
    }
    // The lines, then the date and the narration of the header, then the total.
    QString voucher()
    {
        const qvtrnsfr::TransferForm &f = host.form();
        return host.lineRows().join(' ') + " / " + f.dtpDocDate->date().toString(Qt::ISODate) + " / " +
               f.txtNarration->text() + " / " + f.txtTotalQty->text();
    }
    TestDatabase db;
    std::shared_ptr<RecordingFactory> factory = std::make_shared<RecordingFactory>();
    ControlHost host;
    bool seeded = false;
};

// True when the focus (or, with `remembered`, the focus the field's window gives back when a
// message box over it closes) is on the field or inside it.
bool hasFocusIn(const QWidget *field, bool remembered = false)
{
    const QWidget *focus = remembered ? field->window()->focusWidget() : QApplication::focusWidget();
    return focus && (focus == field || field->isAncestorOf(focus));
}

#define QVT_START(name, ...)                                                                                 \
    Started name(__VA_ARGS__);                                                                               \
    QVERIFY2(name.seeded, qPrintable(name.db.errorText()))

} // namespace

class TestReferences : public QObject {
    Q_OBJECT
private slots:
    void leavingALocationField_data()
    {
        QTest::addColumn<QString>("how"); // the field; how it is left: by Tab, else by a click outside
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("outcome"); // name shown | rights asked | the form reset with its number
        // clang-format off
        QTest::newRow("source 12abc allowed") << "from" << "12abc" << "" << "Depot Twelve|ann,12,1|reset 3";
        QTest::newRow("source not found") << "from" << "99" << NotFound << "previous||reset 5";
        QTest::newRow("source not allowed") << "from tab" << "2" << NotFrom << "Branch|ann,2,1|reset 8";
        QTest::newRow("source 0") << "from" << "0" << "" << "previous||kept";
        QTest::newRow("source in edit mode") << "from edit" << "1" << "" << "Main Store|ann,1,1|kept";
        QTest::newRow("destination allowed") << "to tab" << "8" << "" << "Showroom|ann,8,2|kept";
        QTest::newRow("destination only a source") << "to" << "1" << NotTo << "Main Store|ann,1,2|kept";
        // clang-format on
    }

    void leavingALocationField()
    {
        QFETCH(QString, how);
        QFETCH(QString, text);
        QFETCH(QString, box);
        QVT_START(started, TestDatabase::Sqlite, how.contains("edit"));
        qvtrnsfr::TransferForm &f = started.host.form();
        QLineEdit *edit = how.startsWith("from") ? f.txtFromLocID : f.txtToLocID;
        QLineEdit *name = how.startsWith("from") ? f.txtFromLocName : f.txtToLocName;
        name->setText(QStringLiteral("previous"));
        started.host.setLines({{"A-1", "", "", "", "2"}});
        f.txtNarration->setText(QStringLiteral("before"));
        const QString docNoBefore = f.txtDocNo->text();
        QCoreApplication::processEvents(); // as an event loop would between two actions of a user
        edit->setFocus();
        edit->setText(text);

        MessageCatcher catcher;
        catcher.answerNext(QMessageBox::Ok, box.isEmpty() ? 0 : 1);
        if (how.contains("tab"))
            QTest::keyClick(edit, Qt::Key_Tab);
        else
            QTest::mouseClick(started.host.outside(), Qt::LeftButton);
        QTRY_COMPARE(catcher.summaries(), box);
        QTRY_COMPARE(hasFocusIn(edit), !box.isEmpty()); // a refusal keeps the focus in the field
        QCOMPARE(edit->text(), text);
        const QString narration = f.txtNarration->text();
        const bool reset = started.host.lineRows().isEmpty() && narration.isEmpty();
        const bool kept = !reset && narration == "before" && f.txtDocNo->text() == docNoBefore;
        const QString form = reset ? "reset " + f.txtDocNo->text() : kept ? "kept" : "partly reset";
        QTEST(name->text() + '|' + started.factory->calls("allowed").join(' ') + '|' + form, "outcome");
    }

    void pickLists_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("calls"); // %1: the host's connection
        QTest::addColumn<QString>("result");
        const QString from =
            "SetFilter(), SetTitle(Locations), SetConnection(%1), SetSource(ICLOC), SetKeyColumn(0), "
            "SetSearchText(3x), SetResultColumn(0), SetOwner(Host Caption), ShowList()";
        const QString to =
            "SetTitle(Locations), SetConnection(%1), SetSource(ICLOC), SetFilter(), SetKeyColumn(0), "
            "SetSearchText(8), SetResultColumn(0), SetOwner(Host Caption), ShowList()";
        // The requisitions are filtered by the destination as typed, " 8".
        const QString req =
            "SetFilter(), SetTitle(Requisition Slips), SetConnection(%1), SetSource(reqstat), "
            "SetFilter(LocID= 8), SetKeyColumn(1), SetSearchText(1), SetResultColumn(1), "
            "SetOwner(Host Caption), ShowList()";
        // A picked location is written unchecked (99 is no location); a picked requisition is not imported.
        // clang-format off
        QTest::newRow("source picked") << "cmdFindCC" << "txtFromLocID" << "3x" << "99" << from << "99";
        QTest::newRow("source cancelled") << "cmdFindCC" << "txtFromLocID" << "3x" << "" << from << "3x";
        QTest::newRow("destination by number") << "cmdFindLoc" << "txtToLocID" << " 8x" << "2" << to << "2";
        QTest::newRow("requisition picked") << "cmdFindPo" << "txtReqNo" << "1" << "12" << req << "12";
        QTest::newRow("requisition cancelled") << "cmdFindPo" << "txtReqNo" << "1" << "" << req << "1";
        // clang-format on
    }

    void pickLists()
    {
        QFETCH(QString, selected);
        QFETCH(QString, text);
        QFETCH(QString, calls);
        QVT_START(started, TestDatabase::Sqlite);
        started.factory->selectedValue = selected;
        started.header("1", " 8");
        QFETCH(QString, field);
        auto *edit = started.host.control()->findChild<QLineEdit *>(field);
        edit->setText(text);
        MessageCatcher catcher; // no box expected
        QFETCH(QString, button);
        QTest::mouseClick(started.host.control()->findChild<QPushButton *>(button), Qt::LeftButton);

        QTRY_VERIFY(hasFocusIn(edit));
        QCOMPARE(started.factory->calls("lookup").join(", "), calls.arg(started.db.connectionName()));
        QTEST(edit->text(), "result");
        QCOMPARE(started.host.form().txtFromLocName->text() + started.host.form().txtToLocName->text(),
                 QString());
        QVERIFY(started.factory->calls("allowed").isEmpty());
        QCOMPARE(started.voucher(), Untouched);
    }

    void refusedLocationIsNeverSaved_data()
    {
        QTest::addColumn<bool>("source");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("allowed"); // a location the same voucher is then saved with
        QTest::newRow("destination not allowed") << false << "12" << NotTo << "8";
        QTest::newRow("destination not found") << false << "99" << NotFound << "8";
        // Leaving the source resets the form, so no voucher is left to save afterwards.
        QTest::newRow("source not allowed") << true << "8" << NotFrom << "";
    }

    // With the real companions: rights come from UserLocRight. The field's check refuses a click
    // on Save and its access key; Save pressed by an assistive technology's press action, which
    // leaves nobody's field, meets the same refusal from the save's own check.
    void refusedLocationIsNeverSaved()
    {
        QFETCH(bool, source);
        QFETCH(QString, text);
        QFETCH(QString, box);
        QFETCH(QString, allowed);
        QVT_START(started, TestDatabase::Sqlite, false, {"lookup", "rights", "inventory", "ledger"});
        TestDatabase &db = started.db;
        QVERIFY(
            db.exec(
                "insert into UserLocRight (UserName, LocID, Direction) values ('ann', 1, 1), ('ann', 8, 2),"
                " ('ann', 2, 2)") &&
            db.exec(
                "insert into StockMove (ItemID, LocID, MoveDate, Qty) values ('A-1', 1, '2020-01-01', 9)"));
        // A voucher that needs nothing but a save: allowed locations, one line.
        qvtrnsfr::TransferForm &f = started.host.form();
        f.txtFromLocID->setText(QStringLiteral("1"));
        f.txtToLocID->setText(QStringLiteral("8"));
        started.host.setLines({{"A-1", "Bolt", "PCS", "1", "5"}});
        QLineEdit *edit = source ? f.txtFromLocID : f.txtToLocID;
        const auto enter = [edit](const QString &location) {
            QCoreApplication::processEvents(); // as an event loop would between two actions of a user
            edit->setFocus();
            edit->setText(location);
        };
        enter(text);
        QSignalSpy clicks(f.cmdSave, &QPushButton::clicked);
        MessageCatcher catcher;
        catcher.answerNext(QMessageBox::Ok, 2);
        QTest::mouseClick(f.cmdSave, Qt::LeftButton);
        QTRY_COMPARE(catcher.count(), 1);
        QTRY_VERIFY(hasFocusIn(edit, true));
        QTest::keyClick(edit, Qt::Key_A, Qt::AltModifier); // the access key of "&Add"
        QTRY_COMPARE(catcher.summaries(), box + " / " + box);
        QTRY_VERIFY(hasFocusIn(edit, true));
        QCOMPARE(clicks.count(), 0);
        // The press action clicks the button where the focus is: the voucher is whole again (leaving
        // the source resets the form), with the refused location in its field.
        f.txtToLocID->setText(source ? QStringLiteral("2") : text);
        started.host.setLines({{"A-1", "Bolt", "PCS", "1", "5"}});
        enter(text);
        catcher.answerNext(QMessageBox::Ok);
        QAccessibleInterface *button = QAccessible::queryAccessibleInterface(f.cmdSave);
        QVERIFY(button && button->actionInterface());
        button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(clicks.count(), 1);
        QTRY_COMPARE(catcher.summaries(), box + " / " + box + " / " + box);
        QCOMPARE(db.scalar("select count(*) from ICTRAND").toInt() +
                     db.scalar("select count(*) from ICTRANH").toInt(),
                 4); // the four headers seeded
        if (allowed.isEmpty())
            return;

        // The same voucher with a location the user may use is saved by the same click.
        enter(allowed);
        catcher.answerNext(QMessageBox::Ok);
        QTest::mouseClick(f.cmdSave, Qt::LeftButton);
        QTRY_COMPARE(catcher.count(), 4);
        QCOMPARE(catcher.last(), "information Save Document: Document Number  42  Is Saved Successfully ");
        QCOMPARE(clicks.count(), 2);
        QCOMPARE(db.scalar("select count(*) from ICTRANH where ToLocID = 8").toInt(), 1);
    }

    void importingARequisition_data()
    {
        QTest::addColumn<QString>("requisition");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("voucher");
        const QString prior = "C-3||||2||| C-3||||-2|||"; // lines whose total of 0 leaves cmdRef on
        // clang-format off
        QTest::newRow("open lines") << "12" << "" << "B-2|Nut|BOX|12|6|S2|| / 2024-03-05 / For the showroom / 6.00";
        // No open line the item view knows: the header is taken over, the lines stay.
        QTest::newRow("no known item") << "20" << "" << prior + " / 2024-05-02 / Unknown items / 0.00";
        QTest::newRow("another location's") << "15" << "warning PO: Requisition not found or Requisition Completed."
                                            << prior + Untouched;
        QTest::newRow("no requisition number") << "" << "" << prior + Untouched;
        // A failure keeps the lines, but not the header already taken over.
        QTest::newRow("no narration") << "50" << "critical Host Caption: Invalid use of Null"
                                      << prior + " / 2024-08-05 / before / 0.00";
        // clang-format on
    }

    // What the form makes of a requisition read by the core: the header taken over as far as it
    // was read, the lines replaced only by a whole import, the total, the messages.
    void importingARequisition()
    {
        QFETCH(QString, requisition);
        QFETCH(QString, box);
        QFETCH(QString, voucher);
        QVT_START(started, TestDatabase::Sqlite);
        started.header(requisition);
        started.host.setLines({{"C-3", "", "", "", "2"}, {"C-3", "", "", "", "-2"}});
        const qvtrnsfr::LineArray *before = &started.host.state()->lines();
        MessageCatcher catcher;
        catcher.answerNext(QMessageBox::Ok, box.isEmpty() ? 0 : 1);
        QTest::mouseClick(started.host.form().cmdRef, Qt::LeftButton);
        QTRY_COMPARE(catcher.summaries(), box);
        QCOMPARE(started.voucher(), voucher);
        QCOMPARE(&started.host.state()->lines() == before, voucher.startsWith("C-3"));
        // An import that runs at all ends in the grid; the requisition buttons serve a voucher of 0.
        qvtrnsfr::TransferForm &f = started.host.form();
        QCOMPARE(hasFocusIn(f.grdDetail, true), requisition.toDouble() != 0);
        QCOMPARE(f.cmdRef->isEnabled() + f.cmdFindPo->isEnabled(), f.txtTotalQty->text() == "0.00" ? 2 : 0);
        QCOMPARE(f.grdDetail->lines(), &started.host.state()->lines());
        QVERIFY(!QGuiApplication::overrideCursor());
    }
};

QVT_HOST_TEST_MAIN(TestReferences)
#include "TestReferences.moc"
