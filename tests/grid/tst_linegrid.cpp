// The line grid as the user works it: typing rows, leaving them (stored or refused), navigation,
// the item-code mask, key filtering, in-cell buttons, deleting rows, leaving the grid, widths.

#include "GridWindow.h"

#include "grid/LineModel.h"
#include "support/MessageCatcher.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <memory>

using namespace qvtrnsfr;

namespace {

QWidget *focusOf(QWidget *widget)
{
    return widget;
}

QList<int> columnsOf(const QSignalSpy &spy)
{
    QList<int> columns;
    for (const QList<QVariant> &call : spy)
        columns << call.at(0).toInt();
    return columns;
}

const QStringList RowA = {"10-00-00-0001", "Bolt", "PCS", "1", "2"};
const QStringList RowB = {"10-00-00-0002", "Nut", "BOX", "12", "3"};
const QStringList RowC = {"10-00-00-0003", "Washer", "PCS", "1", "4"};

} // namespace

class TestLineGrid : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_w.reset(); }

    void lineArrayBounds_data();
    void lineArrayBounds();
    void lineArrayRowsArePaddedAndRemovable();
    void modelStaysConsistentThroughEditing();
    void shouldPresentCaptionsAndEditableColumns();
    void shouldStoreTypedRowWhenLeavingIt();
    void shouldKeepRefusedRowInBufferUntilCorrected();
    void shouldReplaceEditedStoredRowInPlace();
    void navigation_data();
    void navigation();
    void clickOnCodeOnlyColumnGoesToNearestEditableCell();
    void shouldMaskItemCodeInKeyboardModeOnly();
    void gridKeyPressCanDiscardAndChangeCharacters();
    void cellButtonsOpenFromKeysAndMouse();
    void deleteRemovesSelectedStoredRows();
    void keyboardCanLeaveTheGrid();
    void columnWidthsRoundTripInTwips();
    void handlersMayWriteStoreAndMoveFromCellCommitted();
    void escapeCancelsCellThenRow();
    void tooLongTextRaisesDataError();
    void bindDropsEditAndCurrentRow();

private:
    std::unique_ptr<GridWindow> m_w;
};

void TestLineGrid::init()
{
    m_w = std::make_unique<GridWindow>();
    m_w->window.show();
    QVERIFY(QTest::qWaitForWindowActive(&m_w->window));
    m_w->grid->setFocus();
}

void TestLineGrid::lineArrayBounds_data()
{
    QTest::addColumn<int>("lastRow");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("highBound");
    QTest::newRow("empty voucher") << -1 << 0 << -1;
    QTest::newRow("one line") << 0 << 1 << 0;
    QTest::newRow("five lines") << 4 << 5 << 4;
    QTest::newRow("last below first") << -5 << 0 << -1;
}

void TestLineGrid::lineArrayBounds()
{
    QFETCH(int, lastRow);
    QFETCH(int, rows);
    QFETCH(int, highBound);
    LineArray lines;
    lines.Resize(0, lastRow, 0, 7);
    QCOMPARE(lines.rowCount(), rows);
    QCOMPARE(lines.LowBound(1), 0);
    QCOMPARE(lines.HighBound(1), highBound);
    QCOMPARE(lines.HighBound(2), 7);
    lines.SetCell(rows, 0, "outside"); // ignored
    lines.SetCell(0, 8, "outside");
    QCOMPARE(lines.rowCount(), rows);
    QVERIFY(!lines.GetCell(-1, 0).isValid());
    QVERIFY(!lines.GetCell(rows, 0).isValid());
    QVERIFY(!lines.GetCell(0, 8).isValid());
    if (rows > 0) {
        QVERIFY(lines.GetCell(0, 0).toString().isEmpty());
        lines.SetCell(rows - 1, 7, 12.5);
        QCOMPARE(lines.GetCell(rows - 1, 7).toDouble(), 12.5);
    }
}

void TestLineGrid::lineArrayRowsArePaddedAndRemovable()
{
    LineArray lines;
    lines.Resize(0, -1, 0, 7);
    lines.appendRow({"A", "B"});
    lines.appendRow({"C", "D", "E", "F", "G", "H", "I", "J", "too many"});
    QCOMPARE(lines.row(0).size(), 8);
    QCOMPARE(lines.row(1).size(), 8);
    lines.setRow(5, {"nowhere"});
    lines.removeRow(-1);
    lines.removeRow(2);
    QCOMPARE(lines.rowCount(), 2);
    lines.removeRow(0);
    QCOMPARE(lines.cellText(0, 0), QStringLiteral("C"));
    lines.Resize(0, 1, 0, 7);
    QVERIFY(lines.cellText(0, 0).isEmpty());
}

void TestLineGrid::modelStaysConsistentThroughEditing()
{
    QAbstractItemModelTester tester(m_w->grid->model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    m_w->setRows({RowA, RowB});
    QCOMPARE(m_w->grid->model()->rowCount(), 3); // two lines and the new-row line
    m_w->goTo(2, ColItemCode);
    m_w->type("1000000003");
    m_w->press(Qt::Key_Down);
    QCOMPARE(m_w->grid->model()->rowCount(), 4);
    m_w->goTo(0, ColQty);
    m_w->type("9");
    m_w->press(Qt::Key_Down);
    m_w->clickRowSelector(1);
    m_w->press(Qt::Key_Delete);
    QCOMPARE(m_w->grid->model()->rowCount(), 3);
    m_w->grid->bind(&m_w->spare);
    QCOMPARE(m_w->grid->model()->rowCount(), 1);
}

void TestLineGrid::shouldPresentCaptionsAndEditableColumns()
{
    const QStringList expected = {"Item Code", "Description", "Unit",       "Conversion",
                                  "Qty.",      "Serial No.",  "Engine No.", "Sale Price"};
    QAbstractItemModel *model = m_w->grid->model();
    QStringList captions;
    QList<int> editable;
    for (int c = 0; c < model->columnCount(); ++c) {
        captions << model->headerData(c, Qt::Horizontal).toString();
        if (model->index(0, c).flags() & Qt::ItemIsEditable)
            editable << c;
    }
    QCOMPARE(captions, expected);
    QCOMPARE(editable, QList<int>({ColItemCode, ColUnit, ColQty, ColSerialNo, ColEngineNo}));
    const auto alignment = [&](int c) { return model->index(0, c).data(Qt::TextAlignmentRole).toInt(); };
    QVERIFY(alignment(ColQty) & Qt::AlignRight);
    QVERIFY(alignment(ColSalePrice) & Qt::AlignRight);
    QVERIFY(alignment(ColItemCode) & Qt::AlignLeft);
    QVERIFY(m_w->grid->isColumnHidden(ColSalePrice));
    QVERIFY(!m_w->grid->horizontalHeader()->sectionsMovable());
    QCOMPARE(m_w->grid->verticalHeader()->defaultSectionSize(), 17); // 250 twips
    QCOMPARE(m_w->grid->font().pointSizeF(), 9.0);
}

void TestLineGrid::shouldStoreTypedRowWhenLeavingIt()
{
    LineGrid *grid = m_w->grid;
    int storing = 0;
    connect(grid, &LineGrid::rowStoring, grid, [&storing](bool &) { ++storing; });
    QSignalSpy stored(grid, &LineGrid::rowStored);
    QSignalSpy committed(grid, &LineGrid::cellCommitted);
    QCOMPARE(grid->currentRowIndex(), 0); // focus put the cursor on the new-row line
    m_w->type("1000000001");
    m_w->press(Qt::Key_Tab);
    m_w->type("PCS");
    m_w->press(Qt::Key_Tab);
    m_w->type("5");
    QCOMPARE(m_w->lines.rowCount(), 0);
    QVERIFY(grid->isRowDirty());
    QCOMPARE(columnsOf(committed), QList<int>({ColItemCode, ColUnit}));
    m_w->press(Qt::Key_Down);
    QCOMPARE(columnsOf(committed), QList<int>({ColItemCode, ColUnit, ColQty}));
    QCOMPARE(storing, 1);
    QCOMPARE(stored.count(), 1);
    QCOMPARE(m_w->lines.rowCount(), 1);
    QCOMPARE(m_w->row(0), QStringLiteral("10-00-00-0001||PCS||5|||"));
    QCOMPARE(grid->currentRowIndex(), 1);
    QVERIFY(grid->isNewRow());
    QVERIFY(!grid->isRowDirty());
    QCOMPARE(grid->currentColumn(), int(ColQty));
}

void TestLineGrid::shouldKeepRefusedRowInBufferUntilCorrected()
{
    LineGrid *grid = m_w->grid;
    m_w->setRows({RowA});
    connect(grid, &LineGrid::rowStoring, grid,
            [grid](bool &cancel) { cancel = grid->cellText(ColUnit).isEmpty(); });
    int storing = 0;
    connect(grid, &LineGrid::rowStoring, grid, [&storing](bool &) { ++storing; });
    QSignalSpy stored(grid, &LineGrid::rowStored);
    m_w->goTo(1, ColItemCode);
    m_w->type("1000000002");
    m_w->press(Qt::Key_Up);
    QCOMPARE(storing, 1);
    QCOMPARE(m_w->lines.rowCount(), 1);
    QCOMPARE(grid->currentRowIndex(), 1);
    QVERIFY(grid->isRowDirty());
    QVERIFY(!m_w->editor());
    m_w->press(Qt::Key_F2); // the row can be edited again at once
    QVERIFY(m_w->editor());
    m_w->press(Qt::Key_Escape);
    m_w->clickCell(0, ColQty); // a click on another row is refused the same way
    QCOMPARE(storing, 2);
    QCOMPARE(grid->currentRowIndex(), 1);
    QCOMPARE(grid->cellText(ColItemCode), QStringLiteral("10-00-00-0002"));
    m_w->press(Qt::Key_Tab);
    m_w->type("BOX");
    m_w->clickCell(0, ColQty);
    QCOMPARE(stored.count(), 1);
    QCOMPARE(m_w->row(1), QStringLiteral("10-00-00-0002||BOX|||||"));
    QCOMPARE(grid->currentRowIndex(), 0);
    QCOMPARE(grid->currentColumn(), int(ColQty));
}

void TestLineGrid::shouldReplaceEditedStoredRowInPlace()
{
    m_w->setRows({RowA, RowB});
    QSignalSpy stored(m_w->grid, &LineGrid::rowStored);
    m_w->goTo(0, ColQty);
    m_w->type("7");
    m_w->press(Qt::Key_Return);
    QVERIFY(!m_w->editor());
    QCOMPARE(m_w->grid->cellText(ColQty), QStringLiteral("7"));
    QCOMPARE(m_w->lines.cellText(0, ColQty), QStringLiteral("2")); // not stored before leaving
    m_w->press(Qt::Key_Down);
    QCOMPARE(stored.count(), 1);
    QCOMPARE(m_w->lines.rowCount(), 2);
    QCOMPARE(m_w->row(0), QStringLiteral("10-00-00-0001|Bolt|PCS|1|7|||"));
    QCOMPARE(m_w->row(1), QStringLiteral("10-00-00-0002|Nut|BOX|12|3|||"));
}

void TestLineGrid::navigation_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("salePriceShown");
    QTest::addColumn<int>("hiddenColumn");
    QTest::addColumn<QPoint>("from"); // (column, row)
    QTest::addColumn<QPoint>("to");
    const int none = Qt::NoModifier;
    const int tab = Qt::Key_Tab;
    QTest::newRow("Tab skips Description") << tab << none << false << -1 << QPoint(0, 0) << QPoint(2, 0);
    QTest::newRow("Tab skips Conversion") << tab << none << false << -1 << QPoint(2, 0) << QPoint(4, 0);
    QTest::newRow("Tab wraps to next row") << tab << none << false << -1 << QPoint(6, 0) << QPoint(0, 1);
    QTest::newRow("Tab skips shown Sale Price") << tab << none << true << -1 << QPoint(6, 0) << QPoint(0, 1);
    QTest::newRow("Tab skips hidden Qty.")
        << tab << none << false << int(ColQty) << QPoint(2, 0) << QPoint(5, 0);
    QTest::newRow("Shift+Tab wraps back")
        << tab << int(Qt::ShiftModifier) << false << -1 << QPoint(0, 1) << QPoint(6, 0);
    QTest::newRow("Right wraps") << int(Qt::Key_Right) << none << false << -1 << QPoint(6, 0) << QPoint(0, 1);
    QTest::newRow("Left wraps back") << int(Qt::Key_Left) << none << false << -1 << QPoint(0, 1)
                                     << QPoint(6, 0);
    QTest::newRow("Left at first cell")
        << int(Qt::Key_Left) << none << false << -1 << QPoint(0, 0) << QPoint(0, 0);
    QTest::newRow("Down") << int(Qt::Key_Down) << none << false << -1 << QPoint(2, 0) << QPoint(2, 1);
    QTest::newRow("Up at the top") << int(Qt::Key_Up) << none << false << -1 << QPoint(4, 0) << QPoint(4, 0);
    QTest::newRow("Down on clean new-row line")
        << int(Qt::Key_Down) << none << false << -1 << QPoint(4, 2) << QPoint(4, 2);
    QTest::newRow("End") << int(Qt::Key_End) << none << false << -1 << QPoint(0, 1) << QPoint(6, 1);
    QTest::newRow("Ctrl+End") << int(Qt::Key_End) << int(Qt::ControlModifier) << false << -1 << QPoint(2, 0)
                              << QPoint(2, 2);
}

void TestLineGrid::navigation()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, salePriceShown);
    QFETCH(int, hiddenColumn);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    m_w->setRows({RowA, RowB});
    m_w->grid->setColumnHidden(ColSalePrice, !salePriceShown);
    if (hiddenColumn >= 0)
        m_w->grid->setColumnHidden(hiddenColumn, true);
    int storing = 0;
    connect(m_w->grid, &LineGrid::rowStoring, m_w->grid, [&storing](bool &) { ++storing; });
    m_w->goTo(from.y(), from.x());
    m_w->press(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(QPoint(m_w->grid->currentColumn(), m_w->grid->currentRowIndex()), to);
    QCOMPARE(storing, 0); // clean rows are left without asking
    QCOMPARE(QApplication::focusWidget(), focusOf(m_w->grid));
}

void TestLineGrid::clickOnCodeOnlyColumnGoesToNearestEditableCell()
{
    m_w->setRows({RowA, RowB});
    m_w->clickCell(1, ColDescription);
    QCOMPARE(QPoint(m_w->grid->currentColumn(), m_w->grid->currentRowIndex()), QPoint(ColItemCode, 1));
    m_w->clickCell(0, ColConversion);
    QCOMPARE(QPoint(m_w->grid->currentColumn(), m_w->grid->currentRowIndex()), QPoint(ColUnit, 0));
}

void TestLineGrid::shouldMaskItemCodeInKeyboardModeOnly()
{
    LineGrid *grid = m_w->grid;
    QSignalSpy committed(grid, &LineGrid::cellCommitted);
    m_w->press(Qt::Key_F2); // open the masked editor and leave it untouched
    QVERIFY(m_w->editor());
    m_w->press(Qt::Key_Return);
    QCOMPARE(grid->cellText(ColItemCode), QString());
    QVERIFY(!grid->isRowDirty());
    QCOMPARE(committed.count(), 0);

    m_w->setRows({RowA});
    m_w->goTo(0, ColItemCode);
    m_w->press(Qt::Key_F2);
    m_w->press(Qt::Key_A, Qt::ControlModifier);
    m_w->press(Qt::Key_Backspace); // nothing left but the dashes
    m_w->press(Qt::Key_Down);
    QCOMPARE(m_w->lines.cellText(0, ColItemCode), QString());

    grid->setItemCodeMasked(false);
    m_w->goTo(1, ColItemCode);
    m_w->type("AB-12X");
    m_w->press(Qt::Key_Return);
    QCOMPARE(grid->cellText(ColItemCode), QStringLiteral("AB-12X"));
    grid->setItemCodeMasked(true);
    m_w->type("12345678901234");
    m_w->press(Qt::Key_Return);
    QCOMPARE(grid->cellText(ColItemCode), QStringLiteral("12-34-56-7890"));
}

void TestLineGrid::gridKeyPressCanDiscardAndChangeCharacters()
{
    QList<int> offered;
    connect(m_w->grid, &LineGrid::gridKeyPress, m_w->grid, [&offered](int &code) {
        offered << code;
        if (code == 'x')
            code = 0;
        else if (code == 'a')
            code = 'b';
    });
    m_w->goTo(0, ColSerialNo);
    m_w->type("x"); // discarded: no editor opens
    QVERIFY(!m_w->editor());
    m_w->type("a1x");
    m_w->press(Qt::Key_Backspace);
    m_w->type("2");
    m_w->press(Qt::Key_Return);
    QCOMPARE(offered, QList<int>({'x', 'a', '1', 'x', 8, '2'}));
    QCOMPARE(m_w->grid->cellText(ColSerialNo), QStringLiteral("b2"));
}

void TestLineGrid::cellButtonsOpenFromKeysAndMouse()
{
    QSignalSpy pressed(m_w->grid, &LineGrid::cellButtonPressed);
    m_w->press(Qt::Key_F4);
    m_w->goTo(0, ColUnit);
    m_w->press(Qt::Key_Down, Qt::AltModifier);
    m_w->goTo(0, ColQty);
    m_w->press(Qt::Key_F4); // no button on "Qty."
    QCOMPARE(columnsOf(pressed), QList<int>({ColItemCode, ColUnit}));

    m_w->clickCellButton(0, ColUnit);
    QCOMPARE(m_w->grid->currentColumn(), int(ColUnit));
    QCOMPARE(columnsOf(pressed), QList<int>({ColItemCode, ColUnit, ColUnit}));

    m_w->goTo(0, ColItemCode);
    m_w->type("1000000001");
    QLineEdit *editor = m_w->editor();
    QVERIFY(editor);
    auto *button = editor->findChild<QToolButton *>();
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(columnsOf(pressed).last(), int(ColItemCode));
    QCOMPARE(pressed.count(), 4);
    QCOMPARE(m_w->grid->cellText(ColItemCode), QStringLiteral("10-00-00-0001")); // committed first
}

void TestLineGrid::deleteRemovesSelectedStoredRows()
{
    m_w->setRows({RowA, RowB, RowC});
    QSignalSpy deleted(m_w->grid, &LineGrid::rowDeleted);
    m_w->goTo(1, ColQty);
    m_w->type("8");
    m_w->press(Qt::Key_Return);
    m_w->clickRowSelector(1);
    m_w->press(Qt::Key_Delete);
    QCOMPARE(deleted.count(), 1);
    QCOMPARE(m_w->lines.rowCount(), 2);
    QCOMPARE(m_w->row(0), QStringLiteral("10-00-00-0001|Bolt|PCS|1|2|||"));
    QCOMPARE(m_w->row(1), QStringLiteral("10-00-00-0003|Washer|PCS|1|4|||"));
    QVERIFY(!m_w->grid->isRowDirty()); // the removed row's changes went with it

    m_w->clickRowSelector(0);
    m_w->clickRowSelector(2, Qt::ShiftModifier); // through the new-row line, which stays
    m_w->press(Qt::Key_Delete);
    QCOMPARE(deleted.count(), 3);
    QCOMPARE(m_w->lines.rowCount(), 0);
    QCOMPARE(m_w->grid->model()->rowCount(), 1);
    m_w->clickRowSelector(0);
    m_w->press(Qt::Key_Delete);
    QCOMPARE(deleted.count(), 3);
}

void TestLineGrid::keyboardCanLeaveTheGrid()
{
    m_w->press(Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), focusOf(m_w->after));
    m_w->grid->setFocus();
    m_w->press(Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), focusOf(m_w->before));

    m_w->goTo(0, ColEngineNo); // last cell of the clean new-row line
    m_w->press(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), focusOf(m_w->after));
    m_w->goTo(0, ColItemCode);
    m_w->press(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), focusOf(m_w->before));

    m_w->goTo(0, ColSerialNo);
    m_w->type("S1");
    m_w->press(Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), focusOf(m_w->after));
    QCOMPARE(m_w->grid->cellText(ColSerialNo), QStringLiteral("S1"));

    QSignalSpy committed(m_w->grid, &LineGrid::cellCommitted);
    m_w->goTo(0, ColEngineNo);
    m_w->type("E9");
    m_w->before->setFocus(); // as a click elsewhere: the editor commits as it loses the focus
    QVERIFY(!m_w->editor());
    QCOMPARE(m_w->grid->cellText(ColEngineNo), QStringLiteral("E9"));
    QCOMPARE(columnsOf(committed), QList<int>({ColEngineNo}));
}

void TestLineGrid::columnWidthsRoundTripInTwips()
{
    LineGrid *grid = m_w->grid;
    const QList<double> setup = {1289, 1470, 1379, 1470, 900, 1470, 1470, 1000};
    for (int c = 0; c < LineColumns; ++c)
        QCOMPARE(grid->columnWidthTwips(c), setup.at(c));
    QCOMPARE(grid->columnWidth(ColItemCode), 86); // 1289 / 15, rounded
    grid->setColumnWidthTwips(ColItemCode, 1500.5);
    QCOMPARE(grid->columnWidthTwips(ColItemCode), 1500.5);
    QCOMPARE(grid->columnWidth(ColItemCode), 100);
    grid->setColumnWidthTwips(ColSalePrice, 1234.5); // hidden
    QCOMPARE(grid->columnWidthTwips(ColSalePrice), 1234.5);
    grid->setColumnHidden(ColSalePrice, false);
    QCOMPARE(grid->columnWidth(ColSalePrice), 82);
    QCOMPARE(grid->columnWidthTwips(ColSalePrice), 1234.5);
    grid->horizontalHeader()->resizeSection(ColDescription, 120); // as a dragged divider
    QCOMPARE(grid->columnWidthTwips(ColDescription), 1800.0);
}

void TestLineGrid::handlersMayWriteStoreAndMoveFromCellCommitted()
{
    LineGrid *grid = m_w->grid;
    QSignalSpy committed(grid, &LineGrid::cellCommitted);
    grid->setCell(ColDescription, "by code");
    QCOMPARE(committed.count(), 0);
    QVERIFY(grid->isRowDirty());
    grid->cancelRowEdit();

    // As scanning does: fill the row, then go down (which stores it).
    auto scan = connect(grid, &LineGrid::cellCommitted, grid, [grid](int column) {
        if (column != ColItemCode)
            return;
        grid->setCell(ColDescription, "Bolt");
        grid->setCell(ColItemCode, "10-00-00-0001");
        grid->moveDown();
    });
    grid->setItemCodeMasked(false);
    m_w->type("1000000001");
    m_w->press(Qt::Key_Return);
    QTRY_COMPARE(m_w->lines.rowCount(), 1);
    QCOMPARE(m_w->row(0), QStringLiteral("10-00-00-0001|Bolt||||||"));
    QCOMPARE(grid->currentRowIndex(), 1);
    disconnect(scan);

    bool storedInside = false;
    connect(grid, &LineGrid::cellCommitted, grid, [&](int) { storedInside = grid->storeCurrentRow(); });
    m_w->goTo(0, ColQty);
    m_w->type("4");
    m_w->press(Qt::Key_Return);
    QVERIFY(storedInside);
    QCOMPARE(m_w->lines.cellText(0, ColQty), QStringLiteral("4"));
    m_w->press(Qt::Key_F2);
    m_w->press(Qt::Key_Return); // unchanged: no notification
    QCOMPARE(committed.count(), 2);
}

void TestLineGrid::escapeCancelsCellThenRow()
{
    m_w->setRows({RowA});
    m_w->goTo(0, ColUnit);
    m_w->type("BOX");
    m_w->press(Qt::Key_Tab);
    m_w->type("9");
    m_w->press(Qt::Key_Escape); // the cell edit only
    QVERIFY(!m_w->editor());
    QCOMPARE(m_w->grid->cellText(ColQty), QStringLiteral("2"));
    QCOMPARE(m_w->grid->cellText(ColUnit), QStringLiteral("BOX"));
    m_w->press(Qt::Key_Escape); // the whole row
    QVERIFY(!m_w->grid->isRowDirty());
    QCOMPARE(m_w->grid->cellText(ColUnit), QStringLiteral("PCS"));
}

void TestLineGrid::tooLongTextRaisesDataError()
{
    m_w->setRows({RowA});
    MessageCatcher catcher;
    QList<int> errors;
    connect(m_w->grid, &LineGrid::gridDataError, m_w->grid, [&errors](int code, int &) { errors << code; });
    auto silence =
        connect(m_w->grid, &LineGrid::gridDataError, m_w->grid, [](int, int &response) { response = 0; });
    m_w->goTo(0, ColUnit);
    m_w->type("CARTONS");
    m_w->press(Qt::Key_Return);
    QCOMPARE(m_w->grid->cellText(ColUnit), QStringLiteral("CARTONS")); // seven fit
    m_w->type("CARTONS2");
    m_w->press(Qt::Key_Tab);
    QCOMPARE(errors, QList<int>({LineGrid::DataErrorTextTooLong}));
    QCOMPARE(m_w->grid->cellText(ColUnit), QStringLiteral("CARTONS"));
    QCOMPARE(catcher.count(), 0);
    QCOMPARE(m_w->grid->currentColumn(), int(ColQty)); // the Tab carried on

    disconnect(silence);
    catcher.answerNext(QMessageBox::Ok);
    m_w->goTo(0, ColUnit);
    m_w->type("CARTONS2");
    m_w->press(Qt::Key_Return);
    QCOMPARE(catcher.count(), 1);
    QCOMPARE(catcher.last().title, QStringLiteral("Transfers"));
}

void TestLineGrid::bindDropsEditAndCurrentRow()
{
    m_w->setRows({RowA});
    m_w->goTo(0, ColQty);
    m_w->type("5");
    m_w->grid->bind(&m_w->spare);
    QCOMPARE(m_w->grid->currentRowIndex(), -1);
    QVERIFY(!m_w->grid->isRowDirty());
    QCOMPARE(m_w->row(0), QStringLiteral("10-00-00-0001|Bolt|PCS|1|2|||"));
    m_w->before->setFocus();
    m_w->press(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), focusOf(m_w->grid));
    QCOMPARE(QPoint(m_w->grid->currentColumn(), m_w->grid->currentRowIndex()), QPoint(ColItemCode, 0));
}

QTEST_MAIN(TestLineGrid)
#include "tst_linegrid.moc"
