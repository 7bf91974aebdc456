// Saving vouchers from the form: what the header and lines hold, edit mode rewriting a voucher in
// place, and the header checks that refuse a voucher before anything is written.

#include "DocumentFixture.h"

#include "companions/DefaultFactory.h"
#include "support/MessageCatcher.h"

#include <QDate>

class TestSaveDocument : public QObject {
    Q_OBJECT
private slots:
    void savedVoucherLoadsBack_data() { TestDatabase::addEngineColumn(); }
    void savedVoucherLoadsBack();
    void pricesOffStoreZero_data() { TestDatabase::addEngineColumn(); }
    void pricesOffStoreZero();
    void editModeRewritesOneVoucher_data() { TestDatabase::addEngineColumn(); }
    void editModeRewritesOneVoucher();
    void headerChecksRefuseInOrder_data();
    void headerChecksRefuseInOrder();
};

namespace {

const QString Today = QDate::currentDate().toString(QStringLiteral("yyyyMMdd"));

QString savedMessage(int docNo)
{
    return QStringLiteral("Document Number  %1  Is Saved Successfully ").arg(docNo);
}

} // namespace

// A voucher using every column is saved in add mode and recalled in edit mode: the database
// holds what the form showed, with costs from the inventory component, and loading shows it again.
void TestSaveDocument::savedVoucherLoadsBack()
{
    QFETCH(TestDatabase::Engine, engine);
    QVT_OPEN_DATABASE(db, engine);
    QVERIFY2(seedMasters(db), qPrintable(db.errorText()));
    {
        VoucherHost host(db.connection(), false);
        QVERIFY(host.start());
        host.setSource(QStringLiteral("1"));
        QCOMPARE(host.form().txtDocNo->text(), QStringLiteral("1"));
        host.form().txtToLocID->setText(QStringLiteral("2"));
        host.form().dtpDocDate->setDate(QDate(2024, 3, 5));
        host.form().txtNarration->setText(QStringLiteral("It's a round trip"));
        host.form().txtOrdNo->setText(QStringLiteral("12.5"));
        host.form().txtReqNo->setText(QStringLiteral("R-7"));
        host.form().chkPrice->setChecked(true);
        // The second line leaves its serial, engine and price cells empty.
        host.setLines({{"A-1", "Bolt", "PCS", "1", "3", "SN1", "EN1", "10.5"},
                       {"B-2", "Nut", "BOX", "12", "2", "", "", ""}});
        QCOMPARE(host.form().txtTotalQty->text(), QStringLiteral("5.00"));

        MessageCatcher catcher;
        catcher.answerNext(QMessageBox::Ok);
        host.form().cmdSave->click();
        QCOMPARE(catcher.count(), 1);
        QCOMPARE(catcher.last().text, savedMessage(1));
        QCOMPARE(catcher.last().title, QStringLiteral("Save Document"));
        QCOMPARE(catcher.last().icon, QMessageBox::Information);
        // The form starts the next voucher of the same source.
        QCOMPARE(host.form().txtDocNo->text(), QStringLiteral("2"));
        QVERIFY(host.lineRows().isEmpty());
        QVERIFY(host.form().cmdSave->isEnabled());
        QCOMPARE(host.focusName(), QStringLiteral("txtToLocID"));
    }
    QCOMPARE(rowsOf(db, QStringLiteral("Select FromLocID, DocNo, DocDate, ToLocID, Narration, TotalQty,"
                                       " AuditUser, OrdNo, CAST(Posted AS integer), SysDate, DbID, ShowPrice,"
                                       " ReqNo, LinkDetID from ICTRANH")),
             QStringList{QStringLiteral("1|1|2024-03-05|2|It's a round trip|5|tester|12.5|0|") + Today +
                         QStringLiteral("|7|1|R-7|NULL")});
    QCOMPARE(db.scalar(QStringLiteral("Select count(*) from ICTRANH Where AuditTime is null")).toInt(), 0);
    // B-2 costs 5 at location 1 up to the document date; A-1 has no receipt there and costs 2.5.
    QCOMPARE(rowsOf(db, QStringLiteral("Select FromLocID, DocNo, ItemID, Unit, Conver, Qty, Cost, Amount,"
                                       " SrNo, EngNo, Price from ICTRAND Order by ItemID")),
             (QStringList{QStringLiteral("1|1|A-1|PCS|1|3|2.5|7.5|SN1|EN1|10.5"),
                          QStringLiteral("1|1|B-2|BOX|12|2|5|120|||NULL")}));

    VoucherHost editor(db.connection(), true);
    QVERIFY(editor.start());
    editor.setSource(QStringLiteral("1"));
    MessageCatcher catcher;
    catcher.expectNone();
    editor.leaveDocNo(QStringLiteral("1"));
    QCOMPARE(editor.form().dtpDocDate->date(), QDate(2024, 3, 5));
    QCOMPARE(editor.form().txtToLocID->text(), QStringLiteral("2"));
    QCOMPARE(editor.form().txtNarration->text(), QStringLiteral("It's a round trip"));
    QCOMPARE(editor.form().txtOrdNo->text(), QStringLiteral("12.5"));
    QCOMPARE(editor.form().txtReqNo->text(), QStringLiteral("R-7"));
    QVERIFY(editor.form().chkPrice->isChecked());
    QStringList lines = editor.lineRows();
    lines.sort();
    QCOMPARE(lines, (QStringList{QStringLiteral("A-1|Bolt|PCS|1|3|SN1|EN1|10.5"),
                                 QStringLiteral("B-2|Nut|BOX|12|2|||0")}));
    QCOMPARE(editor.form().txtTotalQty->text(), QStringLiteral("5.00"));
}

// With the price box unchecked every line stores price 0, whatever its cell holds, and an empty
// requisition field stores the number 0.
void TestSaveDocument::pricesOffStoreZero()
{
    QFETCH(TestDatabase::Engine, engine);
    QVT_OPEN_DATABASE(db, engine);
    QVERIFY2(seedMasters(db), qPrintable(db.errorText()));
    VoucherHost host(db.connection(), false);
    QVERIFY(host.start());
    host.setSource(QStringLiteral("2"));
    host.form().txtToLocID->setText(QStringLiteral("3"));
    host.setLines(
        {{"A-1", "Bolt", "PCS", "1", "4", "", "", "9.75"}, {"C-3", "Washer", "PCS", "1", "1", "", "", "3"}});
    QVERIFY(!host.form().chkPrice->isChecked());
    QVERIFY(host.form().txtReqNo->text().isEmpty());

    MessageCatcher catcher;
    catcher.answerNext(QMessageBox::Ok);
    host.form().cmdSave->click();
    QCOMPARE(catcher.last().text, savedMessage(1));
    QCOMPARE(rowsOf(db, QStringLiteral("Select ItemID, Price from ICTRAND Order by ItemID")),
             (QStringList{QStringLiteral("A-1|0"), QStringLiteral("C-3|0")}));
    QCOMPARE(rowsOf(db, QStringLiteral("Select ShowPrice, ReqNo, OrdNo from ICTRANH")),
             QStringList{QStringLiteral("0|0|0")});
}

// Saving a recalled voucher rewrites its header in place and replaces its lines; the voucher with
// the same number at another source location stays as it was, and the ledger link is kept.
void TestSaveDocument::editModeRewritesOneVoucher()
{
    QFETCH(TestDatabase::Engine, engine);
    QVT_OPEN_DATABASE(db, engine);
    QVERIFY2(seedMasters(db), qPrintable(db.errorText()));
    const QString columns = QStringLiteral("FromLocID, DocNo, ToLocID, Narration, Posted, LinkDetID");
    QVERIFY(insertHeader(db, columns, {1, 5, 2, QStringLiteral("old"), true, 17}));
    QVERIFY(insertHeader(db, columns, {2, 5, 3, QStringLiteral("other source"), true, 18}));
    QVERIFY(insertLine(db, 1, 5, QStringLiteral("A-1"), 8) && insertLine(db, 1, 5, QStringLiteral("B-2"), 9));
    QVERIFY(insertLine(db, 2, 5, QStringLiteral("A-1"), 6));
    const QString otherVoucher = QStringLiteral("Select * from ICTRANH Where FromLocID=2");
    const QString otherLines = QStringLiteral("Select * from ICTRAND Where FromLocID=2");
    const QStringList otherBefore = rowsOf(db, otherVoucher) + rowsOf(db, otherLines);

    VoucherHost host(db.connection(), true);
    QVERIFY(host.start());
    host.setSource(QStringLiteral("1"));
    host.leaveDocNo(QStringLiteral("5"));
    QCOMPARE(host.form().txtNarration->text(), QStringLiteral("old"));
    host.form().txtNarration->setText(QStringLiteral("new"));
    host.setLines({{"C-3", "Washer", "PCS", "1", "1"},
                   {"C-3", "Washer", "PCS", "1", "2"},
                   {"A-1", "Bolt", "PCS", "1", "3"}});

    MessageCatcher catcher;
    catcher.answerNext(QMessageBox::Ok);
    host.form().cmdSave->click();
    QCOMPARE(catcher.last().text, savedMessage(5));
    QCOMPARE(
        rowsOf(db, QStringLiteral("Select FromLocID, DocNo, Narration, CAST(Posted AS integer), LinkDetID,"
                                  " TotalQty from ICTRANH Where FromLocID=1")),
        QStringList{QStringLiteral("1|5|new|0|17|6")});
    QCOMPARE(
        rowsOf(db, QStringLiteral("Select ItemID, Qty from ICTRAND Where FromLocID=1 Order by ItemID, Qty")),
        (QStringList{QStringLiteral("A-1|3"), QStringLiteral("C-3|1"), QStringLiteral("C-3|2")}));
    QCOMPARE(rowsOf(db, otherVoucher) + rowsOf(db, otherLines), otherBefore);
    // The form waits for the next number; a voucher once loaded can still be deleted.
    QVERIFY(host.lineRows().isEmpty());
    QCOMPARE(host.form().txtDocNo->text(), QStringLiteral("5"));
    QVERIFY(host.form().cmdSave->isEnabled());
    QVERIFY(host.form().cmdDelete->isEnabled());
    QCOMPARE(host.focusName(), QStringLiteral("txtDocNo"));

    // A voucher that another user deleted meanwhile is not saved again, and nothing is said.
    host.leaveDocNo(QStringLiteral("5"));
    QCOMPARE(host.lineRows().size(), 3);
    QVERIFY(db.exec(QStringLiteral("Delete from ICTRAND Where FromLocID=1")));
    QVERIFY(db.exec(QStringLiteral("Delete from ICTRANH Where FromLocID=1")));
    catcher.expectNone();
    catcher.clear();
    host.form().cmdSave->click();
    QCOMPARE(catcher.count(), 0);
    QCOMPARE(db.scalar(QStringLiteral("Select count(*) from ICTRANH Where FromLocID=1")).toInt(), 0);
    QCOMPARE(db.scalar(QStringLiteral("Select count(*) from ICTRAND Where FromLocID=1")).toInt(), 0);
    QCOMPARE(host.lineRows().size(), 3);
    QVERIFY(host.form().cmdSave->isEnabled());
}

void TestSaveDocument::headerChecksRefuseInOrder_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("message"); // "" = accepted and saved
    QTest::addColumn<QString>("focus");

    const QString noFrom = QStringLiteral("Empty from location can not be allowed.");
    const QString noTo = QStringLiteral("Empty to location can not be allowed.");
    const QString same = QStringLiteral("Transfer from location and to location are same.");
    const QString empty = QStringLiteral("Empty voucher can not be saved.");
    QTest::newRow("both empty") << ""
                                << ""
                                << "3.00" << noFrom << "txtFromLocID";
    QTest::newRow("no destination") << "1"
                                    << ""
                                    << "3.00" << noTo << "txtToLocID";
    QTest::newRow("same number") << "2"
                                 << "2.0"
                                 << "3.00" << same << "txtToLocID";
    QTest::newRow("source no number") << "abc"
                                      << "2"
                                      << "3.00" << same << "txtToLocID";
    QTest::newRow("one blank") << " "
                               << "2"
                               << "3.00" << same << "txtToLocID";
    QTest::newRow("same before empty") << "2"
                                       << "2"
                                       << "0.00" << same << "txtToLocID";
    QTest::newRow("zero total") << "1"
                                << "2"
                                << "0.00" << empty << "txtNarration";
    QTest::newRow("negative total") << "1"
                                    << "2"
                                    << "-3.00"
                                    << ""
                                    << "txtToLocID";
    QTest::newRow("grouped total") << "1"
                                   << "2"
                                   << "1,250.00"
                                   << ""
                                   << "txtToLocID";
}

// The header checks run in their order before anything is opened; the first that fails decides.
void TestSaveDocument::headerChecksRefuseInOrder()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, total);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    QVT_OPEN_DATABASE(db, TestDatabase::Sqlite);
    QVERIFY2(seedMasters(db), qPrintable(db.errorText()));
    VoucherHost host(db.connection(), false);
    QVERIFY(host.start());
    host.form().txtFromLocID->setText(from);
    host.form().txtToLocID->setText(to);
    host.form().txtTotalQty->setText(total);
    host.form().txtNarration->setFocus();

    MessageCatcher catcher;
    catcher.answerNext(QMessageBox::Ok);
    host.form().cmdSave->click();
    QCOMPARE(catcher.count(), 1);
    const int saved = db.scalar(QStringLiteral("Select count(*) from ICTRANH")).toInt();
    if (message.isEmpty()) {
        QCOMPARE(catcher.last().icon, QMessageBox::Information);
        QCOMPARE(saved, 1);
    } else {
        QCOMPARE(catcher.last().text, message);
        QCOMPARE(catcher.last().icon, QMessageBox::Warning);
        QCOMPARE(catcher.last().title, ControlHost::Caption);
        QCOMPARE(catcher.last().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(saved, 0);
        QCOMPARE(host.form().txtFromLocID->text(), from);
        QCOMPARE(host.form().txtTotalQty->text(), total);
    }
    QCOMPARE(host.focusName(), focus);
    QVERIFY(host.form().cmdSave->isEnabled());
}

QVT_DOCUMENTS_TEST_MAIN(TestSaveDocument)
#include "TestSaveDocument.moc"
