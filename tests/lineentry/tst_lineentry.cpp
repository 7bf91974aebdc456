// Entering lines in the grid as the form does it: the item found for a code typed through the
// mask or scanned written into the row, units, the quantity keys, the pick lists behind the
// in-cell buttons, the line check handed the voucher on the form, and a whole voucher entered with
// the keyboard alone and saved. The look-ups and the line rules themselves are the core's
// (tests/voucher).

#include "grid/LineGrid.h"
#include "support/ControlHost.h"
#include "support/Doubles.h"
#include "support/MessageCatcher.h"
#include "support/TestDatabase.h"

#include <QClipboard>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace qvtrnsfr;

namespace {

const QString Bolt = QStringLiteral("10-00-00-0001");
const QString Nut = QStringLiteral("10-00-00-0002");
const QString ItemRefused = QStringLiteral("critical Host Caption: Item has not in balance and Negative "
                                           "Inventory not allowed.");

// Bolts (PCS, also in boxes of 12 and pairs; aliases ABC-1 and the GTIN 04006381333931) and nuts (KG); at
// location 1 ("Main Store") 10 bolts at 2.50 and 5 nuts at 4.00.
const char *const Catalogue[] = {
    "insert into ICItem (ItemID, Descp, StockUnit) values ('10-00-00-0001', 'Bolt', 'PCS'), "
    "('10-00-00-0002', 'Nut', 'KG')",
    "insert into ICItemL (item, itemid) values ('ABC-1', '10-00-00-0001'), ('04006381333931', "
    "'10-00-00-0001')",
    "insert into ICUnit (ItemID, Unit, Conver) values ('10-00-00-0001', 'BOX', 12), "
    "('10-00-00-0001', 'PR', 2)",
    "insert into StockMove (ItemID, LocID, MoveDate, Qty, UnitCost) values "
    "('10-00-00-0001', 1, '2024-01-02', 10, 2.5), ('10-00-00-0002', 1, '2024-01-02', 5, 4)",
    "insert into ICLoc (LocID, LocName) values (1, 'Main Store'), (2, 'Branch')"};

// Keys as the platform delivers them, through the active window to the widget with the focus:
// characters are typed, "<Tab>", "<Alt+A>" and the like pressed. What a key queues runs before
// the next.
void play(const QString &keys)
{
    for (int i = 0; i < keys.size(); ++i) {
        QWindow *window = QApplication::focusWidget()->window()->windowHandle();
        if (keys.at(i) == '<') {
            const int end = int(keys.indexOf('>', i));
            const QKeyCombination key = QKeySequence::fromString(keys.mid(i + 1, end - i - 1))[0];
            QTest::keyClick(window, key.key(), key.keyboardModifiers());
            i = end;
        } else {
            QTest::keyClick(window, keys.at(i).toLatin1());
        }
        QCoreApplication::processEvents();
    }
}

// A host of user "clerk" on the catalogue, its companions recording unless real, started with
// the focus in the narration and the source location typed in.
struct Entry {
    explicit Entry(TestDatabase::Engine engine = TestDatabase::Sqlite) : db(engine) {}
    bool start(const QString &from = "1")
    {
        bool ok = db.isValid();
        for (const char *statement : Catalogue)
            ok = ok && db.exec(statement);
        if (!ok || !host.start())
            return false;
        form.txtNarration->setFocus();
        form.txtFromLocID->setText(from);
        return true;
    }
    // Puts the grid's cursor on a cell by a mouse click; the new-row line is row stored().size().
    bool clickCell(int row, int column)
    {
        const QModelIndex index = grid->model()->index(row, column);
        grid->scrollTo(index);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
        return QTest::qWaitFor(
            [&] { return grid->currentRowIndex() == row && grid->currentColumn() == column; });
    }
    // The row being edited, as code|description|unit|conversion|qty|serial.
    QString currentRow() const
    {
        QStringList cells;
        for (int column = 0; column <= ColSerialNo; ++column)
            cells << grid->cellText(column);
        return cells.join('|');
    }
    QStringList stored() { return host.lineRows(ColSerialNo + 1); }
    // Stores the row being edited, answering a refusal: the refusal's box, or "" when stored.
    QString storeRow()
    {
        MessageCatcher messages;
        messages.answerNext(QMessageBox::Ok);
        const bool stored = grid->storeCurrentRow();
        return stored == messages.summaries().isEmpty() ? messages.summaries()
                                                        : "stored with a box, or refused without";
    }

    TestDatabase db;
    std::shared_ptr<RecordingFactory> factory = std::make_shared<RecordingFactory>();
    ControlHost host{db.connection(), "clerk", false, factory};
    TransferForm &form = host.form();
    LineGrid *grid = form.grdDetail;
};

// Answers every pick list once it is up: types `pick` into its search box and takes the first row
// with Enter, or cancels with Esc when `pick` is empty, as a user would. Counts the lists.
struct ListAnswer {
    explicit ListAnswer(const QString &pick)
    {
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, &timer, [this, pick] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            auto *search = dialog ? dialog->findChild<QLineEdit *>("txtSearch") : nullptr;
            if (!search || !dialog->findChild<QTreeWidget *>("lstRows") || !dialog->isVisible())
                return;
            ++answered;
            if (pick.isEmpty()) {
                QTest::keyClick(dialog, Qt::Key_Escape);
                return;
            }
            search->selectAll();
            QTest::keyClicks(search, pick); // narrows the list to the wanted row, first
            QTest::keyClick(search, Qt::Key_Return);
        });
        timer.start();
    }
    QTimer timer;
    int answered = 0;
};

} // namespace

class LineEntryTest : public QObject {
    Q_OBJECT
private slots:
    // A row typed cell by cell: a code that finds an item brings its description, stock unit and
    // factor 1; a unit of the item its factor, an emptied unit nothing, an unknown unit the stock
    // unit of the item resolved last with factor 1; "Qty." takes only number keys, the serial
    // number anything; a code that finds nothing only empties the description. Nothing is stored.
    void typedRowIsFilledFromTheCatalogue()
    {
        Entry e;
        QVERIFY(e.start());
        QVERIFY(e.clickCell(0, ColItemCode));
        QStringList seen;
        for (const char *const keys : {"1000000001<Tab>", "PR<Tab>", "<Backtab><F2><Ctrl+A><Backspace><Tab>",
                                       "<Backtab>XX<Tab>", "+3x. 5<Tab>12a<Tab>", "<Home>9999999999<Tab>"}) {
            play(keys);
            seen << e.currentRow();
        }
        QCOMPARE(seen, QStringList({Bolt + "|Bolt|PCS|1||", Bolt + "|Bolt|PR|2||", Bolt + "|Bolt||2||",
                                    Bolt + "|Bolt|PCS|1||", Bolt + "|Bolt|PCS|1|+3.5|12a",
                                    "99-99-99-9999||PCS|1|+3.5|12a"}));
        QVERIFY(e.stored().isEmpty());
    }

    void scannedCodeFillsLineAndMovesOn_data()
    {
        QTest::addColumn<QString>("keys");   // typed in scanning mode: in "Qty.", then in "Item Code"
        QTest::addColumn<QString>("stored"); // empty: nothing stored, the cursor stays
        QTest::newRow("alias, its item's code written back") << "|ABC-1" << Bolt + "|Bolt|PCS|1|1|";
        QTest::newRow("quantity already typed stays") << "5|1000000002" << Nut + "|Nut|KG|1|5|";
        QTest::newRow("not found") << "|XYZ-9"
                                   << "";
    }
    // A scanned code that finds an item fills the line, quantity 1 unless one is typed, and stores
    // it, the cursor on the next line.
    void scannedCodeFillsLineAndMovesOn()
    {
        QFETCH(QString, keys);
        QFETCH(QString, stored);
        Entry e;
        QVERIFY2(e.start(), qPrintable(e.db.errorText()));
        e.form.chkScanMode->click();
        QVERIFY(!e.grid->itemCodeMasked());
        if (const QString qty = keys.section('|', 0, 0); !qty.isEmpty()) {
            QVERIFY(e.clickCell(0, ColQty));
            play(qty + "<Enter>");
        }
        QVERIFY(e.clickCell(0, ColItemCode));
        play(keys.section('|', 1) + "<Enter>");
        QTRY_COMPARE(e.grid->currentRowIndex(), stored.isEmpty() ? 0 : 1);
        QCOMPARE(e.stored().join(' '), stored);
        QCOMPARE(e.currentRow(), (stored.isEmpty() ? keys.section('|', 1) : "") + "|||||");
    }

    // Scanning: a GS1 code fills serial, lot and count from its fields; one that cannot be read is
    // named in a box and changes nothing. With repeated scans merged, an item already on a line in
    // its unit and without a serial number adds to that line, which is checked again, and the
    // cursor stays on it; an item with a serial number, or a new one, opens a line.
    void scannedGs1AndRepeatedScans()
    {
        Entry e;
        e.factory->real = {"inventory"};
        e.factory->profile.allowNegative = false;
        QVERIFY2(e.start(), qPrintable(e.db.errorText()));
        e.form.chkScanMode->click();
        MessageCatcher messages;
        const auto scan = [&e](const QString &code) {
            QVERIFY(e.clickCell(int(e.stored().size()), ColItemCode));
            play(code + "<Enter>");
            QCoreApplication::processEvents();
        };
        scan("]C1010400638133393121SN-7");
        QTRY_COMPARE(e.stored().join(' '), Bolt + "|Bolt|PCS|1|1|SN-7");
        messages.answerNext(QMessageBox::Ok);
        scan("]C10104006381333932");
        QTRY_COMPARE(messages.count(), 1);
        QCOMPARE(messages.last(),
                 "critical Host Caption: The scanned GS1 code cannot be used: the check digit "
                 "of GTIN 04006381333932 is wrong.");
        QCOMPARE(e.currentRow(), "|||||");
        QCOMPARE(e.stored().size(), 1);

        e.host.control()->setMergeRepeatedScans(true);
        scan("ABC-1");
        QTRY_COMPARE(e.stored().size(), 2); // the first line has a serial number
        scan("1000000001");
        QTRY_COMPARE(e.stored().join(' '), Bolt + "|Bolt|PCS|1|1|SN-7 " + Bolt + "|Bolt|PCS|1|2|");
        QCOMPARE(e.grid->currentRowIndex(), 1);
        scan("]d2010400638133393110LOT 4");
        QTRY_COMPARE(e.stored().value(1), Bolt + "|Bolt|PCS|1|3|");
        scan("01040063813339313705"); // 3 + 5 = 8 of the 10 less the 1 of the first line: 9 fit
        QTRY_COMPARE(e.stored().value(1), Bolt + "|Bolt|PCS|1|8|");
        messages.answerNext(QMessageBox::Ok);
        scan("01040063813339313705"); // 13 do not
        QTRY_COMPARE(messages.count(), 2);
        QCOMPARE(messages.last(), ItemRefused);
        QCOMPARE(e.stored().value(1), Bolt + "|Bolt|PCS|1|8|");
        QCOMPARE(e.grid->currentRowIndex(), 1);
        e.grid->cancelRowEdit();
        scan("1000000002");
        QTRY_COMPARE(e.stored().size(), 3);
        QCOMPARE(e.stored().value(2), Nut + "|Nut|KG|1|1|");
    }

    // Ctrl+V on the grid (not in a cell editor) and the context menu's "Paste Lines" add the
    // clipboard's rows after the stored lines, the total following; rows with a refused one add
    // nothing and one box names it.
    void pastedLines()
    {
        Entry e;
        e.factory->real = {"inventory"};
        e.factory->profile.allowNegative = false;
        QVERIFY2(e.start(), qPrintable(e.db.errorText()));
        QStringList actions;
        for (const QAction *action : e.grid->actions())
            actions << action->text();
        QCOMPARE(actions.join(", "), "Paste Lines, Import Lines from CSV…");
        e.host.setLines({{Bolt, "Bolt", "PCS", "1", "3"}});
        QGuiApplication::clipboard()->setText("Item Code\tUnit\tQty\n" + Nut + "\t\t2\n" + Bolt +
                                              "\tBOX\t0.5\n");
        e.grid->setFocus();
        QTest::keyClick(e.grid, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(e.stored().join(' '),
                 Bolt + "|Bolt|PCS|1|3| " + Nut + "|Nut|KG|1|2| " + Bolt + "|Bolt|BOX|12|0.5|");
        QCOMPARE(e.form.txtTotalQty->text(), "5.50");

        MessageCatcher messages;
        messages.answerNext(QMessageBox::Ok);
        QGuiApplication::clipboard()->setText(Nut + "\t\t4\n" + Bolt + "\t\t1");
        e.grid->actions().first()->trigger();
        QCOMPARE(messages.summaries(),
                 "warning Host Caption: No line was added. These rows cannot be used:\n\nRow 1: " +
                     ItemRefused.section(": ", 1));
        QCOMPARE(e.stored().size(), 3);
    }

    // F4 in "Unit" lists the units of the row's item, in "Item Code" the stock of the source, over
    // the host's connection and owned by its window; the focus, which the list took, comes back to
    // the grid on the pressed column, and one dialog serves every list.
    void cellPickLists()
    {
        Entry e;
        e.factory->focusDuringList = e.host.outside();
        QVERIFY(e.start());
        QVERIFY(e.clickCell(0, ColItemCode));
        play("1000000001<Tab><F4>");
        QTRY_VERIFY(e.grid->hasFocus());
        QCOMPARE(e.grid->currentColumn(), int(ColUnit));
        QVERIFY(e.clickCell(0, ColItemCode));
        play("<F4>");
        QTRY_VERIFY(e.grid->hasFocus());
        QCOMPARE(e.grid->currentColumn(), int(ColItemCode));
        QCOMPARE(e.factory->calls("lookup").join(", "),
                 QString("SetTitle(Units), SetConnection(%1), SetSource(ICUnit), SetFilter(ItemID='%2'), "
                         "SetKeyColumn(1), SetSearchText(PCS), SetResultColumn(1), SetOwner(Host Caption), "
                         "ShowList(), SetFilter(LocID=1), SetTitle(Items), SetConnection(%1), "
                         "SetSource(CurrentStock), SetKeyColumn(0), SetSearchText(%2), SetResultColumn(0), "
                         "SetOwner(Host Caption), ShowList()")
                     .arg(e.db.connectionName(), Bolt));
        QCOMPARE(e.factory->calls("create").count("lookup"), 1);
    }

    void cellButtonSurvivesItsOwnClick_data()
    {
        QTest::addColumn<QString>("mode"); // "scan" for scanning mode
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("how");   // the button is pressed
        QTest::addColumn<QString>("pick");  // "" cancels the list
        QTest::addColumn<double>("stock");  // of the bolt at the source
        QTest::addColumn<QString>("after"); // the row being edited, then the stored rows, by " / "
        QTest::addColumn<QString>("boxes");
        const QString bolt = Bolt + "|Bolt|PCS|1||", scanned = Bolt + "|Bolt|PCS|1|1|";
        const int code = ColItemCode, unit = ColUnit;
        // clang-format off
        QTest::newRow("item picked by click") << "" << code << "click" << Nut << 9.0 << Nut + "|Nut|KG|1||" << "";
        QTest::newRow("item cancelled") << "" << code << "click" << "" << 9.0 << bolt << "";
        QTest::newRow("unit picked by double click") << "" << unit << "double" << "BOX" << 9.0 << Bolt + "|Bolt|BOX|12||" << "";
        QTest::newRow("item picked by F4") << "" << code << "F4" << Nut << 9.0 << Nut + "|Nut|KG|1||" << "";
        QTest::newRow("unit cancelled by Alt+Down") << "" << unit << "Alt+Down" << "" << 9.0 << bolt << "";
        QTest::newRow("scanned pick stored") << "scan" << code << "click" << Bolt << 9.0 << "||||| / " + scanned << "";
        QTest::newRow("scanned pick refused") << "scan" << code << "click" << Bolt << 0.0 << scanned << ItemRefused;
        QTest::newRow("scanned pick refused, by F4") << "scan" << code << "F4" << Bolt << 0.0 << scanned << ItemRefused;
        // clang-format on
    }
    // The button inside the open cell editor opens the real pick list; picking, cancelling and a
    // picked row stored or refused all close that editor while its own click or key is handled.
    void cellButtonSurvivesItsOwnClick()
    {
        QFETCH(QString, how);
        QFETCH(QString, pick);
        QFETCH(double, stock);
        Entry e;
        e.factory->real = {"lookup"};
        e.factory->profile.allowNegative = false;
        e.factory->balance = stock;
        QVERIFY(e.start());
        QVERIFY(e.clickCell(0, ColItemCode));
        play("1000000001<Tab>");
        QFETCH(QString, mode);
        if (mode == "scan") {
            e.grid->cancelRowEdit();
            e.form.chkScanMode->setChecked(true);
        }
        QFETCH(int, column);
        QVERIFY(e.clickCell(0, column));
        e.grid->edit(e.grid->currentIndex());
        auto *button = QApplication::focusWidget()->findChild<QToolButton *>();
        QVERIFY(button);
        ListAnswer answer(pick);
        MessageCatcher messages;
        messages.answerNext(QMessageBox::Ok);
        // Straight to the button or the editor, outside any event loop: a widget deleted inside its
        // own event would then be deleted by the first loop that runs, the pick list's.
        if (how == "click") {
            QTest::mouseClick(button, Qt::LeftButton);
        } else if (how == "double") { // press and release twice, the second press a double click
            QTest::mouseClick(button, Qt::LeftButton);
            QTest::mouseDClick(button, Qt::LeftButton);
            QTest::mouseRelease(button, Qt::LeftButton);
        } else {
            QTest::keyClick(button->parentWidget(), how == "F4" ? Qt::Key_F4 : Qt::Key_Down,
                            how == "F4" ? Qt::NoModifier : Qt::AltModifier);
        }
        QTRY_VERIFY(answer.answered > 0);
        QFETCH(QString, after);
        QTRY_COMPARE((QStringList{e.currentRow()} + e.stored()).join(" / "), after);
        QTEST(messages.summaries(), "boxes");
    }

    void editorKeyStoringARefusedRow_data()
    {
        QTest::addColumn<QKeyCombination>("key");
        QTest::newRow("Down") << QKeyCombination(Qt::Key_Down);
        QTest::newRow("Up") << QKeyCombination(Qt::Key_Up);
        QTest::newRow("Page Up") << QKeyCombination(Qt::Key_PageUp);
        QTest::newRow("Ctrl+Tab") << QKeyCombination(Qt::ControlModifier, Qt::Key_Tab);
    }
    // The randomized input run: a double click on a cell, a code typed into its editor, Down. The
    // row, without a quantity, was refused with a message box from inside the editor's own key
    // event; the box's loop released the editor while Qt was still handling that key. Keys sent
    // straight to the editor, outside any event loop, as test programs and automation send them.
    void editorKeyStoringARefusedRow()
    {
        QFETCH(QKeyCombination, key);
        Entry e;
        QVERIFY(e.start());
        e.host.setLines({{Bolt, "Bolt", "PCS", "1", "1"}});
        QVERIFY(e.clickCell(1, ColItemCode));
        play("1000000002<Tab>"); // the nut resolves; its quantity stays empty
        QVERIFY(!qobject_cast<QLineEdit *>(QApplication::focusWidget())); // on "Unit", no editor open yet
        e.grid->edit(e.grid->currentIndex());
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(editor && e.grid->isAncestorOf(editor));
        MessageCatcher messages;
        messages.answerNext(QMessageBox::Ok);
        QTest::keyClick(editor, key.key(), key.keyboardModifiers());
        QTRY_COMPARE(messages.summaries(), "critical Host Caption: Quantity can not be blank.");
        QCOMPARE(e.currentRow(), Nut + "|Nut|KG|1||");
        QCOMPARE(e.grid->currentRowIndex(), 1);
    }

    // The check of a row gets the voucher on the form: its source (2.5 reads as location 2), date
    // and stored lines, the row's own place among them. Of 10 bolts, lines of 3 and 2 pairs leave
    // 3: a third line of 4 is refused and stays, 3 pass; the stored third line edited again counts
    // itself once.
    void lineCheckTakesTheFormsVoucher()
    {
        Entry e;
        e.factory->profile.allowNegative = false;
        e.factory->balance = 10;
        QVERIFY(e.start("2.5"));
        e.form.txtDocNo->setText("7");
        e.form.dtpDocDate->setDate(QDate(2024, 3, 5));
        QStringList boxes;
        for (const char *const line : {"PCS|1|3", "PR|2|2", "PCS|1|4"}) {
            QVERIFY(e.clickCell(int(e.stored().size()), ColItemCode));
            const QStringList cells = QStringList{Bolt, "Bolt"} + QString(line).split('|');
            for (int column = 0; column < cells.size(); ++column)
                e.grid->setCell(column, cells.at(column));
            boxes << e.storeRow();
        }
        QCOMPARE(boxes.join(','), ",," + ItemRefused);
        e.grid->setCell(ColQty, "3");
        QCOMPARE(e.storeRow(), "");
        QCOMPARE(e.form.txtTotalQty->text(), "8.00");
        QVERIFY(e.clickCell(2, ColSerialNo));
        MessageCatcher messages; // no box expected
        play("E1<Enter><Down>");
        QTRY_COMPARE(e.grid->currentRowIndex(), 3);
        QCOMPARE(e.stored().at(2), Bolt + "|Bolt|PCS|1|3|E1");
        QCOMPARE(e.factory->calls("balance"), QStringList(5, Bolt + ",2,05/03/2024,5,999999999,item"));
    }

    void wholeVoucherByKeyboard_data() { addEngineColumn(); }
    // Source and destination, three lines typed in the grid (one refused for stock and corrected),
    // Alt+A; the saved voucher is read back with its costs. The companions are the real ones.
    void wholeVoucherByKeyboard()
    {
        QFETCH(TestDatabase::Engine, engine);
        QVT_SKIP_UNLESS_AVAILABLE(engine);
        Entry e(engine);
        e.factory->real = {"lookup", "rights", "inventory", "ledger"};
        QVERIFY2(
            e.db.exec("insert into UserProfile (UserName, AllowNegative) values (?, ?)", {"clerk", false}) &&
                e.db.exec("insert into UserLocRight (UserName, LocID, Direction) values ('clerk', 1, 1), "
                          "('clerk', 2, 2)"),
            qPrintable(e.db.errorText()));
        QVERIFY(e.start(""));
        const auto tabTo = [](const QWidget *widget) {
            for (int presses = 0; presses < 40 && QApplication::focusWidget() != widget; ++presses)
                play("<Tab>");
            return QApplication::focusWidget() == widget;
        };
        // From the narration round to the source, which proposes its number when left.
        QVERIFY(tabTo(e.form.txtFromLocID));
        play("1");
        QVERIFY(tabTo(e.form.txtToLocID));
        QCOMPARE(e.form.txtFromLocName->text() + ' ' + e.form.txtDocNo->text(), "Main Store 1");
        play("2");
        QVERIFY(tabTo(e.grid));
        QCOMPARE(e.form.txtToLocName->text(), "Branch");

        // Each line from its "Item Code" cell: code, Tab, unit, Tab, quantity, then Down to store
        // it or Tab on past the serial and engine numbers to the next row.
        play("<Home>1000000001<Tab><Tab>4<Down>");
        QTRY_COMPARE(e.stored().size(), 1);
        // Twenty nuts are more than the five in stock: refused, the row stays; five pass.
        MessageCatcher messages;
        messages.answerNext(QMessageBox::Ok, 2);
        play("<Home>1000000002<Tab><Tab>20<Down>");
        QTRY_COMPARE(messages.summaries(), ItemRefused);
        QCOMPARE(e.grid->currentRowIndex(), 1);
        play("5<Down>");
        // Three pairs are the six bolts the first line leaves; this row is left by Tab.
        play("<Home>1000000001<Tab>PR<Tab>3<Tab><Tab><Tab>");
        QTRY_COMPARE(e.stored(),
                     QStringList({Bolt + "|Bolt|PCS|1|4|", Nut + "|Nut|KG|1|5|", Bolt + "|Bolt|PR|2|3|"}));
        QCOMPARE(e.form.txtTotalQty->text(), "12.00");

        play("<Alt+A>");
        QTRY_COMPARE(messages.count(), 2);
        QCOMPARE(messages.last(), "information Save Document: Document Number  1  Is Saved Successfully ");
        QCOMPARE(
            e.db.rows("select ToLocID, TotalQty from ICTRANH where FromLocID = 1 and DocNo = 1") + " / " +
                e.db.rows("select ItemID, Unit, Conver, Qty, Cost, Amount from ICTRAND where FromLocID = 1"
                          " and DocNo = 1 order by Cost desc, Qty desc"),
            "2|12 / " + Nut + "|KG|1|5|4|20 " + Bolt + "|PCS|1|4|2.5|10 " + Bolt + "|PR|2|3|2.5|15");
        QCOMPARE(e.form.txtDocNo->text() + ' ' + QString::number(e.stored().size()),
                 "2 0"); // the next voucher
    }
};

QVT_HOST_TEST_MAIN(LineEntryTest)
#include "tst_lineentry.moc"
