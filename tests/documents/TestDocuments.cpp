// Vouchers through the form: the fields it puts into the voucher it saves and a recalled voucher
// put back into them, and what it shows around saving, recalling, deleting and printing: the
// message boxes, the focus, the buttons, the calls of the ledger component, the signals to the
// host. What the store writes, reads and refuses is the core's (tests/voucher); here the database
// is SQLite (the signals: both engines) and the companions are the recording doubles.

#include "grid/LineGrid.h"
#include "support/ControlHost.h"
#include "support/Doubles.h"
#include "support/MessageCatcher.h"
#include "support/TestDatabase.h"

#include <QTest>

namespace {

const QString Saved = "information Save Document: Document Number  %1  Is Saved Successfully ";

// Locations 1 to 3; voucher 4 of source 1 carried to ledger detail 17, voucher 6 with nulls
// wherever the header allows them, voucher 7 of source 2.
const char *const Seed[] = {
    "Insert into ICLoc (LocID, LocName) Values (1, 'Main store'), (2, 'Branch'), (3, 'Workshop')",
    "Insert into ICItem (ItemID, Descp, StockUnit) Values ('A-1', 'Bolt', 'PCS'), ('C-3', 'Washer', 'PCS')",
    "Insert into ICTRANH (FromLocID, DocNo, DocDate, ToLocID, Narration, OrdNo, ShowPrice, ReqNo, LinkDetID)"
    " Values (1, 4, '2024-02-01', 3, 'linked', 77, 1, 'R-2', 17), (1, 6, NULL, NULL, NULL, NULL, NULL, NULL,"
    " NULL), (2, 7, '2024-02-02', 1, 'elsewhere', 0, 0, 0, 0)",
    "Insert into ICTRAND (FromLocID, DocNo, ItemID, Unit, Conver, Qty) Values (1, 4, 'A-1', 'PCS', 1, 2),"
    " (1, 6, 'C-3', NULL, NULL, 4.5), (2, 7, 'A-1', 'PCS', 1, 1)"};

// A started host of user "tester" on the seed, who may use locations 1 and 2 both ways and 3 as a
// source only; on source 1 with a voucher in progress: to 2, narration "typed", a line of 5.
struct Form {
    explicit Form(bool editMode, const QString &docNo = {},
                  TestDatabase::Engine engine = TestDatabase::Sqlite)
        : db(engine), host(db.connection(), "tester", editMode, factory), f(host.form())
    {
        factory->allowed = {{1, 1}, {2, 1}, {3, 1}, {1, 2}, {2, 2}};
        factory->transactionSetting = 1;
        ready = db.isValid();
        for (const char *sql : Seed)
            ready = ready && db.exec(sql);
        if (!(ready = ready && host.start()))
            return;
        f.txtFromLocID->setText("1");
        host.state()->ResetForm(); // in add mode the number of source 1, as leaving the field gives
        if (!docNo.isEmpty())
            boxes([&] { leave(f.txtDocNo, docNo); });
        f.txtToLocID->setText("2");
        f.txtNarration->setText("typed");
        host.setLines({{"A-1", "Bolt", "PCS", "1", "5"}});
    }
    // "focus: number date|to|narration|order|requisition|prices|total lines" and the buttons that
    // are enabled of Print, Save and Delete.
    QString shown()
    {
        QWidget *focus = host.window()->focusWidget();
        QString text = QString("%1: %2 %3|%4|%5|%6|%7|%8|%9 ")
                           .arg(focus ? focus->objectName() : "none", f.txtDocNo->text(),
                                f.dtpDocDate->date().toString(Qt::ISODate), f.txtToLocID->text(),
                                f.txtNarration->text(), f.txtOrdNo->text(), f.txtReqNo->text(),
                                f.chkPrice->isChecked() ? "prices" : "-", f.txtTotalQty->text()) +
                       host.lineRows(5).join(',');
        for (const QPushButton *button : {f.cmdPrintGLVoucher, f.cmdSave, f.cmdDelete})
            text += button->isEnabled() ? ' ' + button->objectName().mid(3) : QString();
        return text;
    }
    // The summaries of the boxes the step shows, answered in turn.
    template <typename Step> QString boxes(Step step, QMessageBox::StandardButton first = QMessageBox::Ok)
    {
        MessageCatcher catcher;
        catcher.answerNext(first);
        catcher.answerNext(QMessageBox::Ok);
        step();
        QApplication::processEvents();
        return catcher.summaries();
    }
    void leave(QLineEdit *field, const QString &text) // typed into the field, which is left with Tab
    {
        field->setFocus();
        field->setText(text);
        QTest::keyClick(field, Qt::Key_Tab);
    }

    TestDatabase db{TestDatabase::Sqlite};
    std::shared_ptr<RecordingFactory> factory = std::make_shared<RecordingFactory>();
    ControlHost host;
    qvtrnsfr::TransferForm &f;
    bool ready = false;
};

#define QVT_FORM(name, ...)                                                                                  \
    Form name(__VA_ARGS__);                                                                                  \
    QVERIFY2(name.ready, qPrintable(name.db.errorText()))

const QString Today = QDate::currentDate().toString(Qt::ISODate);

} // namespace

class TestDocuments : public QObject {
    Q_OBJECT
private slots:
    void saving_data()
    {
        QTest::addColumn<QString>("voucher"); // "edit" mode or "add", source, destination, "no lines"
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<QString>("after");   // the form as shown() gives it, "kept" when unchanged
        QTest::addColumn<QString>("written"); // the voucher saved: its header / its lines
        const QString
            written = "%1|2024-03-05|2|12.5|1|R-7|5|tester / A-1|PCS|1|3|SN1|EN1|10.5 C-3|BOX|12|2|||NULL",
            cleared = Today + "|||12.5|R-7|-|0.00  ", host = "warning Host Caption: ";
        // clang-format off
        QTest::newRow("added") << "add 1 2" << Saved.arg(7) << "txtToLocID: 8 " + cleared + "Save" << written.arg(7);
        QTest::newRow("recalled, rewritten") << "edit 1 2" << Saved.arg(4)
            << "txtDocNo: 4 " + cleared + "PrintGLVoucher Save Delete" << written.arg(4);
        QTest::newRow("no source") << "add - 2" << host + "Empty from location can not be allowed." << "txtFromLocID: kept" << " / ";
        QTest::newRow("same locations") << "add 2 2" << host + "Transfer from location and to location are same."
            << "txtToLocID: kept" << " / ";
        QTest::newRow("no lines") << "add 1 2 no lines" << host + "Empty voucher can not be saved." << "txtNarration: kept" << " / ";
        QTest::newRow("destination refused by the save's check") << "add 1 3"
            << "information From Loc: You are not authorized to tranfer to this location." << "txtToLocID: kept" << " / ";
        QTest::newRow("database fails") << "add 1 2 refused" << "critical Host Caption: Line refused" << "txtNarration: kept" << " / ";
        // clang-format on
    }
    // Every field of the form goes into the voucher saved, a recalled one saved in place. A save is
    // reported with the number the voucher got, and the form starts the next one with the focus
    // where a voucher starts. A refusal is shown as the core words it, the focus going to the field
    // it names; a failure shows the database's reason. Both leave the form as it was.
    void saving()
    {
        QFETCH(QString, voucher);
        const QStringList parts = voucher.split(' ');
        QVT_FORM(v, parts[0] == "edit", parts[0] == "edit" ? "4" : "");
        QVERIFY(!voucher.contains("refused") || v.db.exec("CREATE TRIGGER Refuse BEFORE INSERT ON ICTRAND "
                                                          "BEGIN SELECT RAISE(ABORT, 'Line refused'); END"));
        v.f.txtFromLocID->setText(parts[1] == "-" ? "" : parts[1]);
        v.f.txtToLocID->setText(parts[2]);
        v.f.dtpDocDate->setDate(QDate(2024, 3, 5));
        v.f.txtOrdNo->setText("12.5");
        v.f.txtReqNo->setText("R-7");
        v.f.chkPrice->setChecked(true);
        v.host.setLines({{"A-1", "Bolt", "PCS", "1", "3", "SN1", "EN1", "10.5"},
                         {"C-3", "Washer", "BOX", "12", "2", "", "", ""}});
        if (voucher.contains("no lines"))
            v.host.setLines({});
        v.f.txtNarration->setFocus();
        const QString before = v.shown().section(": ", 1);
        QTEST(v.boxes([&] { v.f.cmdSave->click(); }), "boxes");
        QTEST(v.shown().replace(before, "kept"), "after");
        const QString typed = " from ICTRANH h Where h.Narration = 'typed'";
        QTEST(v.db.rows("Select DocNo, DocDate, ToLocID, OrdNo, ShowPrice, ReqNo, TotalQty, AuditUser" +
                        typed) +
                  " / " +
                  v.db.rows("Select ItemID, Unit, Conver, Qty, SrNo, EngNo, Price from ICTRAND d Where exists"
                            " (Select 1" +
                            typed +
                            " and h.FromLocID = d.FromLocID and h.DocNo = d.DocNo)"
                            " Order by ItemID"),
              "written");
    }

    void recalling_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<QString>("after");
        // clang-format off
        QTest::newRow("linked") << "4" << "" << "txtToLocID: 4 2024-02-01|3|linked|77|R-2|prices|2.00 A-1|Bolt|PCS|1|2 PrintGLVoucher Save Delete";
        QTest::newRow("nulls") << "6" << "" << "txtToLocID: 6 " + Today + "||||0|-|4.50 C-3|Washer|||4.5 Save Delete";
        QTest::newRow("another source's") << "7" << "critical Host Caption: Document not found." << "txtDocNo: 7 " + Today + "|||||-|0.00 ";
        QTest::newRow("zero") << "0" << "" << "txtToLocID: 0 " + Today + "|2|typed|||-|5.00 A-1|Bolt|PCS|1|5";
        // clang-format on
    }
    // Leaving the number in edit mode recalls the voucher into the form: a date only when one is
    // stored, the prices switch on when it was, printing only for a voucher carried to the ledger,
    // Save and Delete enabled. A number not found is reported, the form emptied and the focus kept;
    // a number 0 recalls nothing and empties nothing.
    void recalling()
    {
        QFETCH(QString, number);
        QVT_FORM(v, true);
        QTEST(v.boxes([&] { v.leave(v.f.txtDocNo, number); }), "boxes");
        QTEST(v.shown(), "after");
    }

    void deleting_data()
    {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<bool>("refused"); // the database refuses the delete
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<QString>("after"); // the vouchers of source 1, then the form
        const QString asked =
            "question Delete Transfer: Are you sure you want to delete? [No Yes, default Yes]";
        const QString reset = "txtDocNo: 4 " + Today + "|||77|R-2|-|0.00  PrintGLVoucher";
        // clang-format off
        QTest::newRow("yes") << QMessageBox::Yes << false << asked << "6 / " + reset;
        QTest::newRow("no") << QMessageBox::No << false << asked << "4 6 / " + reset;
        QTest::newRow("refused") << QMessageBox::Yes << true << asked + " / critical Delete Error: Kept"
            << "4 6 / txtToLocID: 4 2024-02-01|2|typed|77|R-2|prices|5.00 A-1|Bolt|PCS|1|5 PrintGLVoucher Save Delete";
        // clang-format on
    }
    // Delete asks first. Whatever the answer the form is emptied for the next number, the focus in
    // the number field and Delete disabled, unless the database refuses: then its reason is shown and
    // the form stays as it was.
    void deleting()
    {
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(bool, refused);
        QVT_FORM(v, true, "4");
        QVERIFY(!refused ||
                v.db.exec(
                    "CREATE TRIGGER Refuse BEFORE DELETE ON ICTRANH BEGIN SELECT RAISE(ABORT, 'Kept'); END"));
        QTEST(v.boxes([&] { v.f.cmdDelete->click(); }, answer), "boxes");
        QTEST(v.db.rows("Select DocNo from ICTRANH Where FromLocID = 1 Order by 1") + " / " + v.shown(),
              "after");
    }

    void signalling_data() { addEngineColumn(); }
    // The host hears of a voucher saved (under the number it received), recalled or deleted, and
    // the database holds what it hears of by then: a save's transaction has committed. A save that
    // is refused, a delete that is declined and a delete of a voucher another user removed first
    // tell nothing.
    void signalling()
    {
        QFETCH(TestDatabase::Engine, engine);
        QVT_SKIP_UNLESS_AVAILABLE(engine);
        QStringList heard; // what the host heard: "saved source/number narration as stored"
        const auto listen = [&heard](Form &v) {
            const auto hear = [&heard, &v](const char *what) {
                return [&heard, &v, what](int docNo, int fromLocation) {
                    heard << QString("%1 %2/%3 %4")
                                 .arg(what)
                                 .arg(fromLocation)
                                 .arg(docNo)
                                 .arg(v.db.rows(
                                     "Select Narration from ICTRANH Where FromLocID = ? and DocNo = ?",
                                     {fromLocation, docNo}));
                };
            };
            ctlTransfer *control = v.host.control();
            QObject::connect(control, &ctlTransfer::voucherSaved, control, hear("saved"));
            QObject::connect(control, &ctlTransfer::voucherLoaded, control, hear("loaded"));
            QObject::connect(control, &ctlTransfer::voucherDeleted, control, hear("deleted"));
        };

        QVT_FORM(added, false, "", engine);
        listen(added);
        QVERIFY(
            added.db.exec("Insert into ICTRANH (FromLocID, DocNo, Narration) Values (1, 7, 'other user')"));
        added.f.txtToLocID->setText("3");
        added.boxes([&] { added.f.cmdSave->click(); }); // refused: no rights to 3 as a destination
        added.f.txtToLocID->setText("2");
        added.boxes([&] { added.f.cmdSave->click(); });

        QVT_FORM(v, true, "", engine);
        listen(v);
        v.boxes([&] { v.leave(v.f.txtDocNo, "4"); });
        v.f.txtNarration->setText("rewritten");
        v.f.txtToLocID->setText("3");
        v.boxes([&] { v.f.cmdSave->click(); });
        v.f.txtToLocID->setText("2");
        v.boxes([&] { v.f.cmdSave->click(); });
        v.boxes([&] { v.leave(v.f.txtDocNo, "4"); });
        v.boxes([&] { v.f.cmdDelete->click(); }, QMessageBox::No);
        v.boxes([&] { v.leave(v.f.txtDocNo, "4"); });
        v.boxes([&] { v.f.cmdDelete->click(); }, QMessageBox::Yes);
        v.boxes([&] { v.leave(v.f.txtDocNo, "6"); });
        QVERIFY(v.db.exec("Delete from ICTRAND Where FromLocID = 1 and DocNo = 6") &&
                v.db.exec("Delete from ICTRANH Where FromLocID = 1 and DocNo = 6"));
        v.boxes([&] { v.f.cmdDelete->click(); }, QMessageBox::Yes);
        QCOMPARE(heard.join(", "),
                 "saved 1/8 typed, loaded 1/4 linked, saved 1/4 rewritten, loaded 1/4 rewritten, "
                 "loaded 1/4 rewritten, deleted 1/4 , loaded 1/6 NULL");
    }

    // Each click makes a ledger component of its own and hands it the recalled voucher's ledger
    // link and the host window's caption as it is at that moment.
    void printing()
    {
        QVT_FORM(v, true, "4");
        v.factory->log.clear();
        v.f.cmdPrintGLVoucher->click();
        v.host.window()->setWindowTitle("Renamed Host");
        v.f.cmdPrintGLVoucher->click();
        const QString print =
            "create ledger, ledger SetConnection, ledger LoadSetup, ledger PrintVoucher 17 %1, "
            "ledger released";
        QCOMPARE(v.factory->log.join(", "),
                 print.arg(ControlHost::Caption) + ", " + print.arg("Renamed Host"));
    }
};

QVT_HOST_TEST_MAIN(TestDocuments)
#include "TestDocuments.moc"
