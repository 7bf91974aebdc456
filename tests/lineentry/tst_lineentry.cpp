// Entering lines in the grid: item codes typed through the mask or scanned, units, the quantity
// keys, the pick lists behind the in-cell buttons, the check a row must pass before it is stored
// (required cells, the serial number's balance, the item's balance net of the other lines), and a
// whole voucher entered with the keyboard alone and saved.

#include "control/FormRoutines.h"
#include "grid/LineGrid.h"
#include "support/ControlHost.h"
#include "support/Doubles.h"
#include "support/MessageCatcher.h"
#include "support/TestDatabase.h"

#include <QSqlQuery>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace qvtrnsfr;

namespace {

const QString Bolt = QStringLiteral("10-00-00-0001");
const QString Nut = QStringLiteral("10-00-00-0002");
const QString ItemRefused = QStringLiteral("Item has not in balance and Negative Inventory not allowed.");

// Bolts (PCS, also in boxes of 12 and pairs; alias ABC-1) and nuts (KG), a decoy item whose own
// code is the alias undashed; at location 1 ("Main Store") 10 bolts at 2.50 and 5 nuts at 4.00.
const char *const Catalogue[] = {
    "insert into ICItem (ItemID, Descp, StockUnit) values ('10-00-00-0001', 'Bolt', 'PCS'), "
    "('10-00-00-0002', 'Nut', 'KG'), ('ABC1', 'Decoy', 'EA')",
    "insert into ICItemL (item, itemid) values ('ABC-1', '10-00-00-0001')",
    "insert into ICUnit (ItemID, Unit, Conver) values ('10-00-00-0001', 'BOX', 12), "
    "('10-00-00-0001', 'PR', 2)",
    "insert into StockMove (ItemID, LocID, MoveDate, Qty, UnitCost) values "
    "('10-00-00-0001', 1, '2024-01-02', 10, 2.5), ('10-00-00-0002', 1, '2024-01-02', 5, 4)",
    "insert into ICLoc (LocID, LocName) values (1, 'Main Store'), (2, 'Branch')"};

// Keys go through the active window to the widget with the focus, as the platform delivers them;
// what they queue runs before the next key.
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget()->window()->windowHandle(), key, modifiers);
    QCoreApplication::processEvents();
}

void type(const QString &text)
{
    for (const QChar ch : text) {
        QTest::keyClick(QApplication::focusWidget()->window()->windowHandle(), ch.toLatin1());
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
        host.form().txtNarration->setFocus();
        host.form().txtFromLocID->setText(from);
        return true;
    }
    // Puts the grid's cursor on a cell by a mouse click; the new-row line is row lineRows().size().
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

    TestDatabase db;
    std::shared_ptr<RecordingFactory> factory = std::make_shared<RecordingFactory>();
    ControlHost host{db.connection(), "clerk", false, factory};
    TransferForm &form = host.form();
    LineGrid *grid = form.grdDetail;
};

// Fills the current row cell by cell from "Item Code" on.
void fillRow(Entry &e, const QStringList &cells)
{
    for (int column = 0; column < cells.size(); ++column)
        e.grid->setCell(column, cells.at(column));
}

// Stores the current row, answering a refusal; the refusal's box, or "" when stored.
QString storeRow(Entry &e)
{
    MessageCatcher messages;
    messages.answerNext(QMessageBox::Ok);
    const bool stored = e.grid->storeCurrentRow();
    return stored == messages.summaries().isEmpty() ? messages.summaries()
                                                    : "stored with a box, or refused without";
}

// Answers every pick list once it is up: types `pick` into its search box and takes the first row
// with Enter, or cancels with Esc when `pick` is empty, as a user would. Counts the lists.
struct ListAnswer {
    explicit ListAnswer(const QString &pick)
    {
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, &timer, [this, pick] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            auto *list = dialog ? dialog->findChild<QTreeWidget *>("lstRows") : nullptr;
            if (!list || !dialog->isVisible())
                return;
            ++answered;
            auto *search = dialog->findChild<QLineEdit *>("txtSearch");
            if (pick.isEmpty() || !search) {
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
    void typedCodeResolvesInPlace()
    {
        Entry e;
        QVERIFY(e.start());
        QVERIFY(e.clickCell(0, ColItemCode));
        type("1000000001");
        press(Qt::Key_Tab);
        QCOMPARE(e.currentRow(), Bolt + "|Bolt|PCS|1||");
        QCOMPARE(e.host.state()->lastStockUnit(), QStringLiteral("PCS"));
        QCOMPARE(e.grid->currentRowIndex(), 0); // a typed code stores nothing

        // A unit typed for the line, then a code that matches no item: only the description goes.
        type("BOX");
        press(Qt::Key_Tab);
        press(Qt::Key_Backtab);
        press(Qt::Key_Backtab);
        type("9999999999");
        press(Qt::Key_Tab);
        QCOMPARE(e.currentRow(), QStringLiteral("99-99-99-9999||BOX|12||"));
        // A found code puts its stock unit and factor 1 back.
        press(Qt::Key_Backtab);
        type("1000000002");
        press(Qt::Key_Tab);
        QCOMPARE(e.currentRow(), Nut + "|Nut|KG|1||");
        QVERIFY(e.stored().isEmpty());
    }

    void scannedCodeFillsLineAndMovesOn_data()
    {
        QTest::addColumn<TestDatabase::Engine>("engine");
        QTest::addColumn<QString>("typedQty");
        QTest::addColumn<QString>("scanned");
        QTest::addColumn<QString>("stored"); // empty: nothing stored, the cursor stays
        for (TestDatabase::Engine engine : {TestDatabase::Sqlite, TestDatabase::Postgres}) {
            const auto row = [engine](const char *name, const char *qty, const char *scanned,
                                      const QString &stored) {
                QTest::addRow("%s %s", name, qPrintable(TestDatabase::engineName(engine)))
                    << engine << qty << scanned << stored;
            };
            row("alias with its dash", "", "ABC-1", Bolt + "|Bolt|PCS|1|1|");
            row("alias wins over an item of the same code", "", "ABC1", Bolt + "|Bolt|PCS|1|1|");
            row("dashes ignored on both sides", "", "1000-0000-02", Nut + "|Nut|KG|1|1|");
            row("quantity already typed stays", "5", "1000000002", Nut + "|Nut|KG|1|5|");
            row("not found", "", "XYZ-9", "");
        }
    }

    void scannedCodeFillsLineAndMovesOn()
    {
        QFETCH(TestDatabase::Engine, engine);
        QFETCH(QString, typedQty);
        QFETCH(QString, scanned);
        QFETCH(QString, stored);
        QVT_SKIP_UNLESS_AVAILABLE(engine);
        Entry e(engine);
        QVERIFY2(e.start(), qPrintable(e.db.errorText()));
        e.form.chkScanMode->click();
        QVERIFY(!e.grid->itemCodeMasked());
        if (!typedQty.isEmpty()) {
            QVERIFY(e.clickCell(0, ColQty));
            type(typedQty);
            press(Qt::Key_Enter);
        }
        QVERIFY(e.clickCell(0, ColItemCode));
        type(scanned);
        press(Qt::Key_Enter);
        QTRY_COMPARE(e.grid->currentRowIndex(), stored.isEmpty() ? 0 : 1);
        QCOMPARE(e.stored().join(' '), stored);
        if (stored.isEmpty())
            QCOMPARE(e.currentRow(), scanned + "|||||");
    }

    void unitGetsItsFactor_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("lastStockUnit"); // of the item resolved last on the control
        QTest::addColumn<QString>("after");         // unit and conversion
        // clang-format off
        QTest::newRow("defined for the item") << "BOX" << "PCS" << "BOX 12";
        QTest::newRow("not defined: stock unit") << "KG" << "PCS" << "PCS 1";
        QTest::newRow("stock unit of the item resolved last") << "XX" << "KG" << "KG 1";
        QTest::newRow("nothing resolved yet") << "XX" << "" << " 1";
        QTest::newRow("a quote is data") << "B'X" << "PCS" << "PCS 1";
        QTest::newRow("empty unit: nothing changes") << "" << "PCS" << " 7";
        // clang-format on
    }

    void unitGetsItsFactor()
    {
        QFETCH(QString, unit);
        QFETCH(QString, lastStockUnit);
        Entry e;
        QVERIFY(e.start());
        QVERIFY(e.clickCell(0, ColItemCode));
        e.grid->setCell(ColItemCode, Bolt);
        e.grid->setCell(ColConversion, QStringLiteral("7"));
        e.grid->setCell(ColUnit, unit);
        e.host.state()->setLastStockUnit(lastStockUnit);
        GetConversion(*e.host.state());
        QTEST(e.grid->cellText(ColUnit) + ' ' + e.grid->cellText(ColConversion), "after");
    }

    // A loaded voucher: no item resolved on the control, so a unit the item lacks empties the cell.
    void undefinedUnitAfterLoadIsRefused()
    {
        Entry e;
        QVERIFY(e.start());
        e.host.setLines({{Bolt, "Bolt", "BOX", "12", "2"}});
        QVERIFY(e.clickCell(0, ColUnit));
        type("XX");
        press(Qt::Key_Enter);
        QCOMPARE(e.currentRow(), Bolt + "|Bolt||1|2|");
        MessageCatcher messages;
        messages.answerNext(QMessageBox::Ok);
        press(Qt::Key_Down);
        QTRY_COMPARE(messages.summaries(), "critical Host Caption: Unit can not be blank.");
        QCOMPARE(e.grid->currentRowIndex(), 0);
        QCOMPARE(e.stored(), QStringList{Bolt + "|Bolt|BOX|12|2|"});
    }

    void quantityTakesNumberKeysOnly_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("cell");
        // clang-format off
        QTest::newRow("letter dropped") << int(ColQty) << "12a" << "12";
        QTest::newRow("sign and point") << int(ColQty) << "-1.5" << "-1.5";
        QTest::newRow("plus, letters and blank") << int(ColQty) << "+3x. 5" << "+3.5";
        QTest::newRow("backspace passes") << int(ColQty) << "123\b" << "12";
        QTest::newRow("serial takes anything") << int(ColSerialNo) << "12a" << "12a";
        // clang-format on
    }

    void quantityTakesNumberKeysOnly()
    {
        QFETCH(int, column);
        QFETCH(QString, typed);
        Entry e;
        QVERIFY(e.start());
        QVERIFY(e.clickCell(0, column));
        type(typed);
        press(Qt::Key_Enter);
        QTEST(e.grid->cellText(column), "cell");
    }

    void pickLists_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("picked");
        QTest::addColumn<QString>("calls"); // %1: the host's connection
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("lastStockUnit");
        const QString items =
            "SetFilter(LocID=%2), SetTitle(Items), SetConnection(%1), SetSource(CurrentStock), "
            "SetKeyColumn(0), SetSearchText(10-00-00-0001), SetResultColumn(0), "
            "SetOwner(Host Caption), ShowList()";
        const QString units =
            "SetTitle(Units), SetConnection(%1), SetSource(ICUnit), SetFilter(ItemID='10-00-00-0001'), "
            "SetKeyColumn(1), SetSearchText(PCS), SetResultColumn(1), SetOwner(Host Caption), ShowList()";
        const QString bolt = Bolt + "|Bolt|PCS|1||", at1 = items.arg("%1", "1"), atNone = items.arg("%1", "");
        // clang-format off
        QTest::newRow("item picked") << int(ColItemCode) << "1" << Nut << at1 << Nut + "|Nut|KG|1||" << "KG";
        QTest::newRow("item cancelled") << int(ColItemCode) << "1" << "" << at1 << bolt << "-";
        QTest::newRow("item, no source location") << int(ColItemCode) << "" << "" << atNone << bolt << "-";
        QTest::newRow("unit picked") << int(ColUnit) << "1" << "BOX" << units << Bolt + "|Bolt|BOX|12||"
            << "-";
        QTest::newRow("unit cancelled") << int(ColUnit) << "1" << "" << units << bolt << "-";
        // clang-format on
    }

    // The row holds the bolt when the list is opened with F4; the list takes the focus while open.
    void pickLists()
    {
        QFETCH(int, column);
        QFETCH(QString, from);
        QFETCH(QString, picked);
        QFETCH(QString, calls);
        Entry e;
        QVERIFY(e.start(from));
        e.factory->selectedValue = picked;
        e.factory->focusDuringList = e.host.outside();
        QVERIFY(e.clickCell(0, ColItemCode));
        type("1000000001");
        press(Qt::Key_Tab);
        e.host.state()->setLastStockUnit(QStringLiteral("-")); // only a picked item is resolved
        QVERIFY(e.clickCell(0, column));
        press(Qt::Key_F4);
        QCOMPARE(e.factory->calls("lookup").join(", "), calls.arg(e.db.connectionName()));
        QTEST(e.currentRow(), "row");
        QTEST(e.host.state()->lastStockUnit(), "lastStockUnit");
        QTRY_VERIFY(e.grid->hasFocus());
        QCOMPARE(e.grid->currentColumn(), column);
        // The one dialog serves every list of the control.
        QVERIFY(e.clickCell(0, ColItemCode));
        press(Qt::Key_F4);
        QCOMPARE(e.factory->calls("create").count("lookup"), 1);
        QCOMPARE(e.factory->calls("lookup").count("ShowList()"), 2);
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
        const QString bolt = Bolt + "|Bolt|PCS|1||", refused = "critical Host Caption: " + ItemRefused;
        // clang-format off
        QTest::newRow("item picked by click") << "" << int(ColItemCode) << "click" << Nut << 9.0
            << Nut + "|Nut|KG|1||" << "";
        QTest::newRow("item cancelled") << "" << int(ColItemCode) << "click" << "" << 9.0 << bolt << "";
        QTest::newRow("unit picked by double click") << "" << int(ColUnit) << "double" << "BOX" << 9.0
            << Bolt + "|Bolt|BOX|12||" << "";
        QTest::newRow("item picked by F4") << "" << int(ColItemCode) << "F4" << Nut << 9.0
            << Nut + "|Nut|KG|1||" << "";
        QTest::newRow("unit cancelled by Alt+Down") << "" << int(ColUnit) << "Alt+Down" << "" << 9.0
            << bolt << "";
        QTest::newRow("scanned pick stored") << "scan" << int(ColItemCode) << "click" << Bolt << 9.0
            << "||||| / " + Bolt + "|Bolt|PCS|1|1|" << "";
        QTest::newRow("scanned pick refused") << "scan" << int(ColItemCode) << "click" << Bolt << 0.0
            << Bolt + "|Bolt|PCS|1|1|" << refused;
        QTest::newRow("scanned pick refused, by F4") << "scan" << int(ColItemCode) << "F4" << Bolt << 0.0
            << Bolt + "|Bolt|PCS|1|1|" << refused;
        // clang-format on
    }

    // The button inside the open cell editor opens the real pick list; picking, cancelling and a
    // picked row stored or refused all close that editor while its own click or key is handled.
    void cellButtonSurvivesItsOwnClick()
    {
        QFETCH(QString, mode);
        QFETCH(int, column);
        QFETCH(QString, how);
        QFETCH(QString, pick);
        QFETCH(double, stock);
        Entry e;
        e.factory->real = {"lookup"};
        e.factory->profile.allowNegative = false;
        e.factory->itemBalance = stock;
        QVERIFY(e.start());
        QVERIFY(e.clickCell(0, ColItemCode));
        type("1000000001");
        press(Qt::Key_Tab);
        if (mode == "scan") {
            e.grid->cancelRowEdit();
            e.form.chkScanMode->setChecked(true);
        }
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
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Down") << int(Qt::Key_Down) << int(Qt::NoModifier);
        QTest::newRow("Up") << int(Qt::Key_Up) << int(Qt::NoModifier);
        QTest::newRow("Page Up") << int(Qt::Key_PageUp) << int(Qt::NoModifier);
        QTest::newRow("Ctrl+Tab") << int(Qt::Key_Tab) << int(Qt::ControlModifier);
    }

    // The randomized input run: a double click on a cell, a code typed into its editor, Down. The
    // row, without a quantity, was refused with a message box from inside the editor's own key
    // event; the box's loop released the editor while Qt was still handling that key. Keys sent
    // straight to the editor, outside any event loop, as test programs and automation send them.
    void editorKeyStoringARefusedRow()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        Entry e;
        QVERIFY(e.start());
        e.host.setLines({{Bolt, "Bolt", "PCS", "1", "1"}});
        QVERIFY(e.clickCell(1, ColItemCode));
        type("1000000002");
        press(Qt::Key_Tab); // the nut resolves; its quantity stays empty
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(!editor); // on "Unit", no editor open yet
        e.grid->edit(e.grid->currentIndex());
        editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(editor && e.grid->isAncestorOf(editor));
        MessageCatcher messages;
        messages.answerNext(QMessageBox::Ok);
        QTest::keyClick(editor, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QTRY_COMPARE(messages.summaries(), "critical Host Caption: Quantity can not be blank.");
        QCOMPARE(e.currentRow(), Nut + "|Nut|KG|1||");
        QCOMPARE(e.grid->currentRowIndex(), 1);
    }

    void stockQueries_data()
    {
        QTest::addColumn<QString>("profile"); // "serials" tracked, negative stock allowed ("neg")
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("cells");        // unit|conversion|qty|serial
        QTest::addColumn<double>("serialBalance"); // negative: the call fails
        QTest::addColumn<double>("itemBalance");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QString>("calls");
        const QString box = "critical Host Caption: ";
        const QString ofSerial = "S1,%1,05/03/2024,5,7,serial",
                      ofItem = Bolt + ",%1,05/03/2024,5,999999999,item";
        // The form hands the core its source, date and number; the rules themselves are the core's.
        // clang-format off
        QTest::newRow("complete, not tracked") << "neg" << "1" << "PCS|1|1|" << 0.0 << 0.0 << "" << "";
        QTest::newRow("unit missing") << "serials" << "1" << "|1|1|S1" << 9.0 << 9.0
            << box + "Unit can not be blank." << "";
        QTest::newRow("serial short in base units") << "serials neg" << "2.5" << "PR|2|1|S1" << 1.0 << 0.0
            << box + "This Serialized Item has not in balance." << ofSerial.arg(2);
        QTest::newRow("serial, then item short") << "serials" << "1" << "PCS|1|4|S1" << 5.0 << 3.0
            << box + ItemRefused << ofSerial.arg(1) + ' ' + ofItem.arg(1);
        // clang-format on
    }

    void stockQueries()
    {
        QFETCH(QString, profile);
        QFETCH(QString, from);
        QFETCH(QString, cells);
        QFETCH(double, serialBalance);
        QFETCH(double, itemBalance);
        Entry e;
        e.factory->profile.trackSerialNo = profile.contains("serials");
        e.factory->profile.allowNegative = profile.contains("neg");
        e.factory->serialBalance = serialBalance < 0 ? std::nullopt : std::optional(serialBalance);
        e.factory->itemBalance = itemBalance < 0 ? std::nullopt : std::optional(itemBalance);
        QVERIFY(e.start(from));
        e.form.txtDocNo->setText(QStringLiteral("7"));
        e.form.dtpDocDate->setDate(QDate(2024, 3, 5));
        QVERIFY(e.clickCell(0, ColItemCode));
        fillRow(e, QStringList{Bolt, "Bolt"} + cells.split('|'));
        QTEST(storeRow(e), "refusal");
        QTEST(e.factory->calls("balance").join(' '), "calls");
        QFETCH(QString, refusal);
        QCOMPARE(e.stored().size(), refusal.isEmpty() ? 1 : 0);
    }

    void otherLinesOfTheItemCount_data() { TestDatabase::addEngineColumn(); }

    // Two stored lines of the bolt take 3 x 1 and 2 x 2 of its 10: a third may take 3, not 4.
    void otherLinesOfTheItemCount()
    {
        QFETCH(TestDatabase::Engine, engine);
        QVT_SKIP_UNLESS_AVAILABLE(engine);
        Entry e(engine);
        e.factory->real = {"inventory"};
        e.factory->profile.allowNegative = false;
        QVERIFY2(e.start() &&
                     e.db.exec("insert into StockMove (ItemID, LocID, MoveDate, Qty, UnitCost) values "
                               "('10-00-00-0001', 2, '2024-01-02', 50, 1)"), // another location's
                 qPrintable(e.db.errorText()));
        for (const QStringList &cells : {QStringList{Bolt, "Bolt", "PCS", "1", "3"},
                                         {Nut, "Nut", "KG", "1", "4"},
                                         {Bolt, "Bolt", "PR", "2", "2"},
                                         {Bolt, "Bolt", "PCS", "1", "4"}}) {
            QVERIFY(e.clickCell(int(e.stored().size()), ColItemCode));
            fillRow(e, cells);
            storeRow(e);
        }
        QCOMPARE(e.stored().size(), 3); // the fourth line is refused: 3 of the 10 are left
        e.grid->setCell(ColQty, QStringLiteral("3"));
        QCOMPARE(storeRow(e), QString());
        QCOMPARE(e.form.txtTotalQty->text(), QStringLiteral("12.00"));

        // A stored row edited again by the keyboard: its own quantity is not among the other lines.
        QVERIFY(e.clickCell(3, ColSerialNo));
        type("E1");
        press(Qt::Key_Enter);
        MessageCatcher messages; // no box expected
        press(Qt::Key_Down);
        QTRY_COMPARE(e.grid->currentRowIndex(), 4);
        QCOMPARE(e.stored().at(3), Bolt + "|Bolt|PCS|1|3|E1");
    }

    void wholeVoucherByKeyboard_data() { TestDatabase::addEngineColumn(); }

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
                press(Qt::Key_Tab);
            return QApplication::focusWidget() == widget;
        };
        // From the narration round to the source, which proposes its number when left.
        QVERIFY(tabTo(e.form.txtFromLocID));
        type("1");
        QVERIFY(tabTo(e.form.txtToLocID));
        QCOMPARE(e.form.txtFromLocName->text() + ' ' + e.form.txtDocNo->text(),
                 QStringLiteral("Main Store 1"));
        type("2");
        QVERIFY(tabTo(e.grid));
        QCOMPARE(e.form.txtToLocName->text(), QStringLiteral("Branch"));

        // One line from its "Item Code" cell: code, Tab, unit, Tab, quantity, then Down to store it
        // or Tab on past the serial and engine numbers to the next row.
        const auto enterLine = [](const char *code, const char *unit, const char *qty, bool byTab = false) {
            press(Qt::Key_Home);
            type(code);
            press(Qt::Key_Tab);
            type(unit);
            press(Qt::Key_Tab);
            type(qty);
            for (int presses = 0; presses < (byTab ? 3 : 1); ++presses)
                press(byTab ? Qt::Key_Tab : Qt::Key_Down);
        };
        enterLine("1000000001", "", "4");
        QTRY_COMPARE(e.stored().size(), 1);
        // Twenty nuts are more than the five in stock: refused, the row stays; five pass.
        MessageCatcher messages;
        messages.answerNext(QMessageBox::Ok, 2);
        enterLine("1000000002", "", "20");
        QTRY_COMPARE(messages.summaries(), "critical Host Caption: " + ItemRefused);
        QCOMPARE(e.grid->currentRowIndex(), 1);
        type("5");
        press(Qt::Key_Down);
        // Three pairs are the six bolts the first line leaves; this row is left by Tab.
        enterLine("1000000001", "PR", "3", true);
        QTRY_COMPARE(e.stored(),
                     QStringList({Bolt + "|Bolt|PCS|1|4|", Nut + "|Nut|KG|1|5|", Bolt + "|Bolt|PR|2|3|"}));
        QCOMPARE(e.form.txtTotalQty->text(), QStringLiteral("12.00"));

        press(Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(messages.count(), 2);
        QCOMPARE(messages.last().summary(),
                 "information Save Document: Document Number  1  Is Saved Successfully ");
        const QString header = " from ICTRANH where FromLocID = 1 and DocNo = 1";
        QCOMPARE(e.db.scalar("select ToLocID" + header).toInt(), 2);
        QCOMPARE(e.db.scalar("select TotalQty" + header).toDouble(), 12.0);
        QSqlQuery query(e.db.connection());
        QVERIFY(query.exec(
            "select ItemID, Unit, Conver, Qty, Cost, Amount from ICTRAND where FromLocID = 1 and DocNo = 1 "
            "order by Cost desc, Qty desc"));
        QStringList lines;
        while (query.next()) {
            QStringList cells{query.value(0).toString(), query.value(1).toString()};
            for (int column = 2; column < 6; ++column)
                cells << QString::number(query.value(column).toDouble());
            lines << cells.join('|');
        }
        QCOMPARE(lines,
                 QStringList({Nut + "|KG|1|5|4|20", Bolt + "|PCS|1|4|2.5|10", Bolt + "|PR|2|3|2.5|15"}));
        QCOMPARE(e.form.txtDocNo->text(), QStringLiteral("2")); // the form starts the next voucher
        QVERIFY(e.stored().isEmpty());
    }
};

QVT_HOST_TEST_MAIN(LineEntryTest)
#include "tst_lineentry.moc"
