// Transfer vouchers through the form: saving, edit mode, numbers taken meanwhile, failures half
// way, the header checks; recalling a voucher, deleting it and printing its ledger voucher.

#include "Vouchers.h"
#include "grid/LineGrid.h"
#include "platform/Db.h"

#include <QDate>
#include <QProcess>
#include <QStandardPaths>

namespace {

const QList<QStringList> ThreeLines{
    {"A-1", "Bolt", "PCS", "1", "1"}, {"B-2", "Nut", "PCS", "1", "2"}, {"C-3", "Washer", "PCS", "1", "3"}};

const QString ThirdLine =
    "(SELECT count(*) FROM ICTRAND WHERE FromLocID = NEW.FromLocID AND DocNo = NEW.DocNo) >= 2";

// Voucher 7 of source 1 (with the ledger link given) and of source 2 (link 18), with a line each;
// ledger rows of the details 17 and 18.
QStringList sevens(const QString &link)
{
    return {QString("Insert into ICTRANH (FromLocID, DocNo, ToLocID, Narration, LinkDetID) Values"
                    " (1, 7, 2, 'to delete', %1), (2, 7, 3, 'other source', 18)")
                .arg(link),
            "Insert into ICTRAND (FromLocID, DocNo, ItemID, Qty) Values (1, 7, 'A-1', 1), (2, 7, 'B-2', 2)",
            "Insert into GLTRH (DetID, LineNo, VoucherNo, AccountID, AccountName, Debit, Credit) Values"
            " (17, 1, 'TR-7', '1100', 'Stock in transit', 12.5, 0),"
            " (17, 2, 'TR-7', '1200', 'Main store stock', 0, 12.5), (18, 1, 'TR-8', '1300', 'Branch stock', "
            "4, 0)"};
}

} // namespace

class TestDocuments : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data() { TestDatabase::addEngineColumn(); }
    // A voucher using every column is saved in add mode, with costs from the inventory component,
    // and shows again in edit mode, nulls included; the next one, with prices off, stores price 0.
    void roundTrip()
    {
        QFETCH(TestDatabase::Engine, engine);
        QVT_VOUCHERS(v, engine, false);
        v.source("1");
        v.form().txtToLocID->setText("2");
        v.form().dtpDocDate->setDate(QDate(2024, 3, 5));
        v.form().txtNarration->setText("It's a round trip");
        v.form().txtOrdNo->setText("12.5");
        v.form().txtReqNo->setText("R-7");
        v.form().chkPrice->setChecked(true);
        v.host->setLines({{"A-1", "Bolt", "PCS", "1", "3", "SN1", "EN1", "10.5"},
                          {"B-2", "Nut", "BOX", "12", "2", "", "", ""}});
        QCOMPARE(v.press(v.form().cmdSave), Saved.arg(1));
        const QString today = QDate::currentDate().toString(Qt::ISODate);
        QCOMPARE(v.focus() + ' ' + v.voucher(), "txtToLocID 2 " + today + "|||12.5|R-7|-|0.00 "); // next
        v.form().txtToLocID->setText("3");
        v.form().chkPrice->setChecked(false);
        v.form().txtOrdNo->clear();
        v.form().txtReqNo->clear();
        v.host->setLines({{"A-1", "Bolt", "PCS", "1", "4", "", "", "9.75"}});
        QCOMPARE(v.press(v.form().cmdSave), Saved.arg(2));
        const QString day = QDate::currentDate().toString("yyyyMMdd"); // SysDate
        QCOMPARE(
            v.rows("Select DocNo, DocDate, ToLocID, Narration, TotalQty, AuditUser, OrdNo, SysDate, DbID,"
                   " ShowPrice, ReqNo, LinkDetID, CAST(Posted AS integer), CAST(AuditTime is null AS"
                   " integer) from ICTRANH Order by 1"),
            (QStringList{"1|2024-03-05|2|It's a round trip|5|tester|12.5|" + day + "|7|1|R-7|NULL|0|0",
                         "2|" + today + "|3||4|tester|0|" + day + "|7|0|0|NULL|0|0"}));
        // B-2 costs 5 at location 1 up to the document date; A-1 has no receipt there and costs 2.5.
        QCOMPARE(
            v.rows("Select DocNo, ItemID, Unit, Conver, Qty, Cost, Amount, SrNo, EngNo, Price from ICTRAND"
                   " Order by DocNo, ItemID"),
            (QStringList{"1|A-1|PCS|1|3|2.5|7.5|SN1|EN1|10.5", "1|B-2|BOX|12|2|5|120|||NULL",
                         "2|A-1|PCS|1|4|2.5|10|||0"}));
        QVERIFY(v.restart(true));
        v.source("1");
        QCOMPARE(v.leaveDocNo("1"), "");
        QCOMPARE(v.voucher(), "1 2024-03-05|2|It's a round trip|12.5|R-7|prices|5.00"
                              " A-1|Bolt|PCS|1|3|SN1|EN1|10.5,B-2|Nut|BOX|12|2|||0");
    }

    void editMode_data() { TestDatabase::addEngineColumn(); }
    // Saving a recalled voucher rewrites its header, keeping the ledger link, and replaces its
    // lines; the same number at another source stays.
    void editMode()
    {
        QFETCH(TestDatabase::Engine, engine);
        QVT_VOUCHERS(v, engine, true,
                     {"Insert into ICTRANH (FromLocID, DocNo, ToLocID, Narration, Posted, LinkDetID)"
                      " Values (1, 5, 2, 'old', 1 = 1, 17), (2, 5, 3, 'other source', 1 = 1, 18)",
                      "Insert into ICTRAND (FromLocID, DocNo, ItemID, Qty)"
                      " Values (1, 5, 'A-1', 8), (1, 5, 'B-2', 9), (2, 5, 'A-1', 6)"});
        v.source("1");
        v.leaveDocNo("5");
        v.form().txtNarration->setText("new");
        v.host->setLines(ThreeLines);
        QCOMPARE(v.press(v.form().cmdSave), Saved.arg(5));
        QCOMPARE(
            v.tables(),
            "1|5|new|2|17 2|5|other source|3|18 1|5|A-1|1|2.5 1|5|B-2|2|52.5 1|5|C-3|3|1 2|5|A-1|6|NULL");
        QCOMPARE(v.rows("Select CAST(Posted AS integer), TotalQty from ICTRANH Where FromLocID = 1"),
                 {"0|6"});
        const QString today = QDate::currentDate().toString(Qt::ISODate);
        QCOMPARE(v.focus() + ' ' + v.voucher(), "txtDocNo 5 " + today + "||||0|-|0.00 "); // next number
        QVERIFY(v.form().cmdSave->isEnabled() && v.form().cmdDelete->isEnabled());
    }

    void failure_data()
    {
        QTest::addColumn<TestDatabase::Engine>("engine");
        QTest::addColumn<bool>("editMode");
        QTest::addColumn<bool>("useTransaction");
        addEngineRows("add, transaction", false, true);
        addEngineRows("edit, no transaction", true, false);
    }
    // With the transaction setting on the database is exactly as before; with it off what was
    // written before the failure stays. The user reads the reason; the form keeps everything entered.
    void failure()
    {
        QFETCH(TestDatabase::Engine, engine);
        QFETCH(bool, editMode);
        QFETCH(bool, useTransaction);
        QVT_VOUCHERS(
            v, engine, editMode,
            QStringList{"Insert into ICTRANH (FromLocID, DocNo, ToLocID, Narration) Values (1, 1, 3, 'old')",
                        "Insert into ICTRAND (FromLocID, DocNo, ItemID, Qty) Values (1, 1, 'C-3', 9)"} +
                refusal(engine, "INSERT ON ICTRAND", ThirdLine, "Third line refused"),
            useTransaction);
        const QString before = v.tables();
        v.source("1");
        if (editMode)
            v.leaveDocNo("1");
        v.form().txtToLocID->setText("2");
        v.form().txtNarration->setText("new");
        v.host->setLines(ThreeLines);
        const QString form = v.voucher();
        const QString box = v.press(v.form().cmdSave);
        QVERIFY2(box.startsWith("critical Host Caption: ") && box.contains("Third line refused"),
                 qPrintable(box));
        if (useTransaction)
            QCOMPARE(v.tables(), before);
        else if (editMode)
            QCOMPARE(v.tables(), "1|1|new|2|NULL 1|1|A-1|1|2.5 1|1|B-2|2|52.5");
        else
            QCOMPARE(v.tables(), "1|1|old|3|NULL 1|2|new|2|NULL 1|1|C-3|9|NULL 1|2|A-1|1|2.5 1|2|B-2|2|52.5");
        QCOMPARE(v.voucher(), form);
    }

    void headerChecks_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("warning"); // "": saved
        QTest::addColumn<QString>("focus");
        const auto add = [](const char *name, const char *from, const char *to, const char *total,
                            const char *warning, const char *focus) {
            QTest::newRow(name) << from << to << total << warning << focus;
        };
        const char *const same = "Transfer from location and to location are same.";
        add("both empty", "", "", "3.00", "Empty from location can not be allowed.", "txtFromLocID");
        add("no destination", "1", "", "3.00", "Empty to location can not be allowed.", "txtToLocID");
        add("same number", "2", "2.0", "3.00", same, "txtToLocID");
        add("source no number", "abc", "2", "3.00", same, "txtToLocID");
        add("same before empty", "2", "2", "0.00", same, "txtToLocID");
        add("zero total", "1", "2", "0.00", "Empty voucher can not be saved.", "txtNarration");
        add("negative total", "1", "2", "-3.00", "", "txtToLocID");
        add("grouped total", "1", "2", "1,250.00", "", "txtToLocID");
    }
    // The checks run in their order before anything is opened; the first that fails decides.
    void headerChecks()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, total);
        QFETCH(QString, warning);
        QVT_VOUCHERS(v, TestDatabase::Sqlite, false);
        v.form().txtFromLocID->setText(from);
        v.form().txtToLocID->setText(to);
        v.form().txtTotalQty->setText(total);
        v.form().txtNarration->setFocus();
        QCOMPARE(v.press(v.form().cmdSave),
                 warning.isEmpty() ? Saved.arg(1) : "warning Host Caption: " + warning);
        QCOMPARE(v.db.scalar("Select count(*) from ICTRANH").toInt(), warning.isEmpty() ? 1 : 0);
        QTEST(v.focus(), "focus");
        QVERIFY(v.form().cmdSave->isEnabled());
        if (!warning.isEmpty())
            QCOMPARE(v.form().txtFromLocID->text() + '/' + v.form().txtTotalQty->text(), from + '/' + total);
    }

    void leavingTheNumber_data()
    {
        QTest::addColumn<TestDatabase::Engine>("engine");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("form"); // focus, narration and line count afterwards
        const QString notFound = "critical Host Caption: Document not found.";
        addEngineRows("zero", "0", "1", "", "txtToLocID typed 1");
        addEngineRows("empty", "", "1", "", "txtToLocID typed 1");
        addEngineRows("letters", "abc", "1", "", "txtToLocID typed 1");
        addEngineRows("another source's number", "7", "1", notFound, "txtDocNo  0");
        addEngineRows("source no number", "7", "2x", notFound, "txtDocNo  0");
    }
    // A number that reads as 0 is left without a reset, a load or a message. A number not found for
    // the source is reported, the form emptied and the focus kept in the number field.
    void leavingTheNumber()
    {
        QFETCH(TestDatabase::Engine, engine);
        QFETCH(QString, number);
        QFETCH(QString, source);
        QVT_VOUCHERS(
            v, engine, true,
            {"Insert into ICTRANH (FromLocID, DocNo, Narration) Values (1, 0, 'zero'), (2, 7, 'elsewhere')"});
        v.source(source);
        v.form().txtNarration->setText("typed");
        v.host->setLines({{"A-1", "Bolt", "PCS", "1", "2"}});
        QTEST(v.leaveDocNo(number), "box");
        const QString lines = QString::number(v.host->lineRows().size());
        QTEST(v.focus() + ' ' + v.form().txtNarration->text() + ' ' + lines, "form");
        QCOMPARE(v.form().txtDocNo->text(), number);
        QVERIFY(!v.form().cmdSave->isEnabled() && !v.form().cmdDelete->isEnabled());
    }

    void loading_data() { TestDatabase::addEngineColumn(); }
    // Loading shows the header and the lines whose item is known; nulls show as empty fields, "0"
    // for the requisition and the sale price. The ledger link enables printing and is remembered;
    // Save and Delete are enabled.
    void loading()
    {
        QFETCH(TestDatabase::Engine, engine);
        QVT_VOUCHERS(
            v, engine, true,
            {"Insert into ICTRANH (FromLocID, DocNo, DocDate, ToLocID, Narration, OrdNo, ShowPrice, ReqNo,"
             " LinkDetID) Values (1, 4, '2024-02-01', 3, 'linked', 77, 1, 'R-2', 17),"
             " (1, 6, NULL, NULL, NULL, NULL, NULL, NULL, NULL)",
             "Insert into ICTRAND (FromLocID, DocNo, ItemID, Unit, Conver, Qty) Values"
             " (1, 4, 'A-1', 'PCS', 1, 2), (1, 6, 'C-3', NULL, NULL, 4.5), (1, 6, 'GONE', NULL, NULL, 1)"});
        const auto shown = [&v] {
            const qvtrnsfr::TransferForm &f = v.form();
            return v.voucher() +
                   (f.grdDetail->isColumnHidden(qvtrnsfr::ColSalePrice) ? "" : " price column") +
                   (f.cmdPrintGLVoucher->isEnabled() ? " print" : "") +
                   (f.cmdSave->isEnabled() && f.cmdDelete->isEnabled() ? " save delete" : "");
        };
        v.source("1");
        QCOMPARE(v.leaveDocNo("4"), "");
        QCOMPARE(shown(), "4 2024-02-01|3|linked|77|R-2|prices|2.00 A-1|Bolt|PCS|1|2|||0"
                          " price column print save delete");
        QCOMPARE(v.leaveDocNo("6"), "");
        QCOMPARE(shown(), "6 " + QDate::currentDate().toString(Qt::ISODate) +
                              "||||0|-|4.50 C-3|Washer|||4.5|||0 save delete");
        QCOMPARE(v.host->state()->ledgerLinkId(), 17); // kept from the voucher before
    }

    void deleting_data()
    {
        QTest::addColumn<TestDatabase::Engine>("engine");
        QTest::addColumn<QString>("link");
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<bool>("refused"); // the database refuses the header delete
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<QString>("after"); // ledger, headers / narration, lines, Delete, focus
        const QString asked = "question Delete Transfer: Are you sure you want to delete?",
                      error = asked + " / critical Delete Error: (the database's reason)";
        addEngineRows("linked", "17", QMessageBox::Yes, false, asked, "18 2|7 /  0 txtDocNo");
        addEngineRows("link 0", "0", QMessageBox::Yes, false, asked, "17,17,18 2|7 /  0 txtDocNo");
        addEngineRows("no link", "NULL", QMessageBox::Yes, false, asked, "17,17,18 2|7 /  0 txtDocNo");
        addEngineRows("answered no", "17", QMessageBox::No, false, asked, "17,17,18 1|7 2|7 /  0 txtDocNo");
        addEngineRows("header kept", "17", QMessageBox::Yes, true, error,
                      "18 1|7 2|7 / to delete 1 delete txtToLocID");
    }
    // The question comes first; on Yes the header goes, with its ledger rows when it is linked,
    // and the other source's voucher stays. The form is reset, with the focus in the number field,
    // unless the database refuses: then the ledger rows (deleted first) are gone and the form stays.
    void deleting()
    {
        QFETCH(TestDatabase::Engine, engine);
        QFETCH(QString, link);
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(bool, refused);
        QVT_VOUCHERS(v, engine, true,
                     sevens(link) + (refused
                                         ? refusal(engine, "DELETE ON ICTRANH", "1 = 1", "Headers are kept")
                                         : QStringList()));
        v.source("1");
        v.leaveDocNo("7");
        MessageCatcher catcher;
        catcher.answerNext(answer);
        catcher.answerNext(QMessageBox::Ok);
        v.form().cmdDelete->click();
        QString seen = catcher.summaries();
        if (seen.contains("Headers are kept"))
            seen = seen.section("Delete Error: ", 0, 0) + "Delete Error: (the database's reason)";
        QTEST(seen, "boxes");
        QVERIFY(refused || (catcher.last().buttons == (QMessageBox::Yes | QMessageBox::No) &&
                            catcher.last().defaultButton == QMessageBox::Yes));
        QTEST(v.rows("Select DetID from GLTRH Order by DetID, LineNo").join(',') + ' ' +
                  v.rows("Select FromLocID, DocNo from ICTRANH Order by 1").join(' ') + " / " +
                  v.form().txtNarration->text() + ' ' + QString::number(v.host->lineRows().size()) +
                  (v.form().cmdDelete->isEnabled() ? " delete " : " ") + v.focus(),
              "after");
    }

    // Each click hands the loaded voucher's ledger link and the window's caption at that moment to
    // a ledger component of its own, which writes the voucher with the linked rows only.
    void printing()
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext (poppler-utils) is needed to read the printed voucher");
        QTemporaryDir folder;
        const QString pdf = folder.filePath("voucher.pdf");
        auto factory = std::make_shared<RecordingFactory>();
        factory->real = QStringList{"ledger"};
        factory->setLedgerPdfPath(pdf);
        QVT_VOUCHERS(v, TestDatabase::Sqlite, true, sevens("17"), true, factory);
        v.source("1");
        v.leaveDocNo("7");
        const auto print = [&] {
            QFile::remove(pdf);
            v.form().cmdPrintGLVoucher->click();
            QProcess text;
            text.start("pdftotext", {pdf, "-"});
            return text.waitForFinished() ? QString::fromUtf8(text.readAllStandardOutput()) : QString();
        };
        const qsizetype made = factory->log.count("create ledger");
        QString text = print();
        QVERIFY2(text.contains("Stock in transit") && text.contains("Main store stock"), qPrintable(text));
        QVERIFY(!text.contains("Branch stock") && text.contains(ControlHost::Caption));
        v.host->window()->setWindowTitle("Renamed Host");
        QVERIFY(print().contains("Renamed Host"));
        QCOMPARE(factory->log.count("create ledger") - made, 2);
    }
};

QVT_HOST_TEST_MAIN(TestDocuments)
#include "TestDocuments.moc"
