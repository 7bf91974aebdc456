// The line grid as the user works it, in a shown window between two text fields: keys go to
// whatever has the focus and clicks where the user would click. A model tester watches every case.

#include "grid/LineDelegate.h"
#include "grid/LineGrid.h"
#include "support/EventGuard.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QKeySequence>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

using namespace qvtrnsfr;

namespace {

const QList<LineArray::Row> Sample = {{"10-00-00-0001", "Bolt", "PCS", "1", "2"},
                                      {"10-00-00-0002", "Nut", "BOX", "12", "3"},
                                      {"10-00-00-0003", "Washer", "PCS", "1", "4"}};
const QString A = QStringLiteral("10-00-00-0001|Bolt|PCS|1|2|||"),
              B = QStringLiteral("10-00-00-0002|Nut|BOX|12|3|||"),
              C = QStringLiteral("10-00-00-0003|Washer|PCS|1|4|||"), AB = A + ',' + B;

QPoint cellAt(const QString &text) // "row:column"
{
    return {text.section(':', 0, 0).toInt(), text.section(':', 1).toInt()};
}

// The grid between two text fields. Its notifications are logged in `events`; a row without a
// unit is refused, and a text too long for its cell is refused silently.
struct GridWindow {
    LineArray lines, spare; // outlive the grid, which only borrows them
    QStringList events;
    QWidget window;
    QLineEdit *before = new QLineEdit(&window);
    LineGrid *grid = new LineGrid(&window);
    QLineEdit *after = new QLineEdit(&window);
    QAbstractItemModelTester tester{grid->model(), QAbstractItemModelTester::FailureReportingMode::QtTest};

    GridWindow()
    {
        auto *layout = new QVBoxLayout(&window);
        for (QWidget *widget : std::initializer_list<QWidget *>{before, grid, after})
            layout->addWidget(widget);
        window.setWindowTitle(QStringLiteral("Transfers"));
        window.resize(900, 400);
        grid->setupColumns();
        spare.Resize(0, -1, 0, LineColumns - 1);
        setRows({});
        const auto log = [this](const QString &event, int column) {
            events << (column < 0 ? event : event + ' ' + QString::number(column));
        };
        QObject::connect(grid, &LineGrid::cellCommitted, grid, [log](int column) { log("commit", column); });
        QObject::connect(grid, &LineGrid::rowStoring, grid, [this, log](bool &cancel) {
            cancel = grid->cellText(ColUnit).isEmpty();
            log(cancel ? "refused" : "storing", -1);
        });
        QObject::connect(grid, &LineGrid::rowStored, grid, [log] { log("stored", -1); });
        QObject::connect(grid, &LineGrid::rowDeleted, grid, [log] { log("deleted", -1); });
        QObject::connect(grid, &LineGrid::cellButtonPressed, grid,
                         [log](int column) { log("button", column); });
        QObject::connect(grid, &LineGrid::gridDataError, grid, [log](int code, int &response) {
            log("error", code);
            response = 0;
        });
    }
    void setRows(const QList<LineArray::Row> &rows)
    {
        lines.Resize(0, -1, 0, LineColumns - 1);
        for (const LineArray::Row &row : rows)
            lines.appendRow(row);
        grid->bind(&lines);
    }
    QString table() const // the stored lines: cells joined by '|', rows by ','
    {
        QStringList rows;
        for (int r = 0; r < lines.rowCount(); ++r)
            rows << QVariant(lines.row(r)).toStringList().join('|');
        return rows.join(',');
    }
    // "row:column" of the cursor, the row's cells when it holds changes, an open editor, and the
    // field that has the focus when it is not the grid.
    QString status() const
    {
        QString text = QStringLiteral("%1:%2").arg(grid->currentRowIndex()).arg(grid->currentColumn());
        QStringList cells;
        for (int c = 0; c < LineColumns; ++c)
            cells << grid->cellText(c);
        text += grid->isRowDirty() ? " dirty " + cells.join('|') : QString();
        QWidget *focus = QApplication::focusWidget();
        if (focus && focus != grid && !grid->isAncestorOf(focus))
            return text + (focus == before ? " before" : " after");
        return text + (editor() ? " editing" : "");
    }
    QLineEdit *editor() const
    {
        auto *focused = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        return focused && grid->isAncestorOf(focused) ? focused : nullptr;
    }
    void goTo(const QPoint &cell)
    {
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(cell.x(), cell.y()));
    }
    // Characters are typed into whatever has the focus, "<Ctrl+Tab>" and the like are pressed,
    // "{...}" is one of the commands of act().
    void play(const QString &script)
    {
        for (int i = 0; i < script.size(); ++i) {
            const int end = int(script.indexOf(script.at(i) == '<' ? '>' : '}', i));
            const QString token = script.mid(i + 1, end - i - 1);
            if (script.at(i) == '{') {
                act(token.section(' ', 0, 0), token.section(' ', 1));
            } else if (script.at(i) == '<') {
                const QKeyCombination key = QKeySequence::fromString(token)[0];
                QTest::keyClick(window.windowHandle(), key.key(), key.keyboardModifiers());
            } else {
                QTest::keyClick(window.windowHandle(), script.at(i).toLatin1());
                QCoreApplication::processEvents();
                continue;
            }
            QCoreApplication::processEvents(); // what the key or command queued runs before the next
            i = end;
        }
    }
    void act(const QString &command, const QString &argument)
    {
        const QPoint cell = cellAt(argument);
        const QRect rect = grid->visualRect(grid->model()->index(cell.x(), cell.y()));
        QHeaderView *selector = grid->verticalHeader();
        const int middle = selector->sectionViewportPosition(cell.x()) + selector->sectionSize(cell.x()) / 2;
        const QPoint row(selector->width() / 2, middle);
        if (command == "cell" || command == "button")
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                              command == "cell" ? rect.center() : LineDelegate::buttonRect(rect).center());
        else if (command == "row" || command == "rows") // a click (with Shift) on the row selector
            QTest::mouseClick(selector->viewport(), Qt::LeftButton,
                              command == "rows" ? Qt::ShiftModifier : Qt::NoModifier, row);
        else if (command == "show" || command == "hide")
            grid->setColumnHidden(argument.toInt(), command == "hide");
        else if (command == "editor-button") {
            const auto *button = editor()->findChild<QToolButton *>();
            QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {},
                              button->mapTo(&window, button->rect().center()));
        } else if (command == "scan")
            grid->setItemCodeMasked(false);
        else if (command == "leave") // as a click elsewhere
            before->setFocus();
        else if (command == "bind")
            grid->bind(&spare);
    }
};

} // namespace

class TestLineGrid : public QObject {
    Q_OBJECT
    std::unique_ptr<GridWindow> m_w;

private slots:
    void init()
    {
        m_w = std::make_unique<GridWindow>();
        m_w->window.show();
        QVERIFY(QTest::qWaitForWindowActive(&m_w->window));
        m_w->grid->setFocus();
    }
    void cleanup() { m_w.reset(); }

    void keys_data()
    {
        QTest::addColumn<int>("rows");       // the first rows of Sample
        QTest::addColumn<QString>("from");   // the cell the cursor is put on
        QTest::addColumn<QString>("script"); // what the user does
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("events");
        QTest::addColumn<QString>("table");
        const auto add = [](const char *name, int rows, const char *from, const char *script,
                            const QString &status, const char *events, const QString &table) {
            QTest::newRow(name) << rows << QString(from) << QString(script) << status << QString(events)
                                << table;
        };
        const QString Row2 = "10-00-00-0002|||||||", A7 = "10-00-00-0001|Bolt|PCS|1|7|||";
        // A row is stored when it is left; a refused one stays, unstored and editable, until corrected.
        add("typed row kept", 0, "0:0", "1000000001<Tab>PCS<Tab>5",
            "0:4 dirty 10-00-00-0001||PCS||||| editing", "commit 0,commit 2", "");
        add("typed row stored", 0, "0:0", "1000000001<Tab>PCS<Tab>5<Down>", "1:4",
            "commit 0,commit 2,commit 4,storing,stored", "10-00-00-0001||PCS||5|||");
        add("refused by key", 1, "1:0", "1000000002<Up>", "1:0 dirty " + Row2, "commit 0,refused", A);
        add("refused, editable", 1, "1:0", "1000000002<Up><F2>", "1:0 dirty " + Row2 + " editing",
            "commit 0,refused", A);
        add("refused by click", 1, "1:0", "1000000002<Up><F2><Esc>{cell 0:4}", "1:0 dirty " + Row2,
            "commit 0,refused,refused", A);
        add("refused, corrected", 1, "1:0", "1000000002<Up>{cell 0:4}<Tab>BOX<Down>", "2:2",
            "commit 0,refused,refused,commit 2,storing,stored", A + ",10-00-00-0002||BOX|||||");
        // A stored row's change stays in the row until it is left; Escape drops the cell's, then the row's.
        add("edit kept in the row", 2, "0:4", "7<Return>", "0:4 dirty " + A7, "commit 4", AB);
        add("edit stored in place", 2, "0:4", "7<Return><Down>", "1:4", "commit 4,storing,stored",
            A7 + ',' + B);
        add("Escape drops the cell", 1, "0:2", "BOX<Tab>9<Esc>", "0:4 dirty 10-00-00-0001|Bolt|BOX|1|2|||",
            "commit 2", A);
        add("Escape drops the row", 1, "0:2", "BOX<Tab>9<Esc><Esc>", "0:4", "commit 2", A);
        add("rebinding drops the edit", 1, "0:4", "5{bind}", "-1:-1", "", A);
        // Moves skip the columns filled by code and hidden ones, wrap between rows and leave clean
        // rows without asking.
        add("Tab skips Description", 2, "0:0", "<Tab>", "0:2", "", AB);
        add("Tab skips Conversion", 2, "0:2", "<Tab>", "0:4", "", AB);
        add("Tab wraps", 2, "0:6", "<Tab>", "1:0", "", AB);
        add("Tab skips Sale Price", 2, "0:6", "{show 7}<Tab>", "1:0", "", AB);
        add("Tab skips hidden Qty.", 2, "0:2", "{hide 4}<Tab>", "0:5", "", AB);
        add("Shift+Tab wraps back", 2, "1:0", "<Shift+Tab>", "0:6", "", AB);
        add("Right wraps", 2, "0:6", "<Right>", "1:0", "", AB);
        add("Left wraps back", 2, "1:0", "<Left>", "0:6", "", AB);
        add("Left at first cell", 2, "0:0", "<Left>", "0:0", "", AB);
        add("Down", 2, "0:2", "<Down>", "1:2", "", AB);
        add("Up at the top", 2, "0:4", "<Up>", "0:4", "", AB);
        add("Down on clean new row", 2, "2:4", "<Down>", "2:4", "", AB);
        add("End", 2, "1:0", "<End>", "1:6", "", AB);
        add("Ctrl+End", 2, "0:2", "<Ctrl+End>", "2:2", "", AB);
        add("click on Description", 2, "0:0", "{cell 1:1}", "1:0", "", AB);
        add("click on Conversion", 2, "1:0", "{cell 0:3}", "0:2", "", AB);
        // Digits fill the mask ##-##-##-####; a mask untouched or emptied is ""; scanning takes any text.
        add("mask filled", 0, "0:0", "12345678901234<Return>", "0:0 dirty 12-34-56-7890|||||||", "commit 0",
            "");
        add("mask untouched", 0, "0:0", "<F2><Return>", "0:0", "", "");
        add("mask emptied", 1, "0:0", "<F2><Ctrl+A><Backspace><Down>", "1:0", "commit 0,storing,stored",
            "|Bolt|PCS|1|2|||");
        add("scanning", 0, "0:0", "{scan}AB-12X<Return>", "0:0 dirty AB-12X|||||||", "commit 0", "");
        // In-cell buttons open from F4, Alt+Down and the mouse; an open editor is committed first.
        add("button keys", 1, "0:0", "<F4><Tab><Alt+Down><Tab><F4>", "0:4", "button 0,button 2", A);
        add("button click", 1, "0:0", "{button 0:2}", "0:2", "button 2", A);
        add("editor's button", 0, "0:0", "1000000001{editor-button}", "0:0 dirty 10-00-00-0001|||||||",
            "commit 0,button 0", "");
        // Delete removes the stored rows chosen by the row selector, with their changes.
        add("Delete", 3, "1:4", "8<Return>{row 1}<Del>", "0:0", "commit 4,deleted", A + ',' + C);
        add("Delete through new row", 3, "0:0", "{row 0}{rows 3}<Del>", "0:0", "deleted,deleted,deleted", "");
        add("Delete on new row", 0, "0:0", "{row 0}<Del>", "0:0", "", "");
        // Ctrl+Tab, Ctrl+Shift+Tab and Tab past a clean new row leave the grid; edits are committed.
        add("Ctrl+Tab", 0, "0:0", "<Ctrl+Tab>", "0:0 after", "", "");
        add("Ctrl+Shift+Tab", 0, "0:0", "<Ctrl+Shift+Tab>", "0:0 before", "", "");
        add("Tab past new row", 0, "0:6", "<Tab>", "0:6 after", "", "");
        add("Shift+Tab before it", 0, "0:0", "<Shift+Backtab>", "0:0 before", "", "");
        add("Ctrl+Tab commits", 1, "0:5", "S1<Ctrl+Tab>", "0:5 dirty 10-00-00-0001|Bolt|PCS|1|2|S1|| after",
            "commit 5", A);
        add("click elsewhere commits", 1, "0:6", "E9{leave}",
            "0:6 dirty 10-00-00-0001|Bolt|PCS|1|2||E9| before", "commit 6", A);
        // A text longer than its cell is refused; seven characters fit "Unit".
        add("too long", 1, "0:2", "CARTONS2<Tab>", "0:4", "error 1", A);
        add("seven fit", 1, "0:2", "CARTONS<Return>", "0:2 dirty 10-00-00-0001|Bolt|CARTONS|1|2|||",
            "commit 2", A);
    }

    void keys()
    {
        QFETCH(int, rows);
        QFETCH(QString, from);
        QFETCH(QString, script);
        m_w->setRows(Sample.mid(0, rows));
        m_w->goTo(cellAt(from));
        m_w->events.clear();
        m_w->play(script);
        QTEST(m_w->status(), "status");
        QTEST(m_w->events.join(','), "events");
        QTEST(m_w->table(), "table");
    }

    // gridKeyPress sees every character typed into a cell and may discard or change it.
    void gridKeyPress()
    {
        QList<int> offered;
        connect(m_w->grid, &LineGrid::gridKeyPress, m_w->grid, [&offered](int &code) {
            offered << code;
            code = code == 'x' ? 0 : code == 'a' ? 'b' : code;
        });
        m_w->goTo({0, ColSerialNo});
        m_w->play("x"); // discarded: no editor opens
        QVERIFY(!m_w->editor());
        m_w->play("a1x<Backspace>2<Return>");
        QCOMPARE(offered, QList<int>({'x', 'a', '1', 'x', 8, '2'}));
        QCOMPARE(m_w->grid->cellText(ColSerialNo), QStringLiteral("b2"));
    }

    // Widths are kept in twips, fractions included, also for a hidden column and a dragged divider.
    void columnWidthsInTwips()
    {
        LineGrid *grid = m_w->grid;
        const QList<double> setup = {1289, 1470, 1379, 1470, 900, 1470, 1470, 1000};
        for (int c = 0; c < LineColumns; ++c)
            QCOMPARE(grid->columnWidthTwips(c), setup.at(c));
        QCOMPARE(grid->columnWidth(ColItemCode), 86); // 1289 / 15, rounded
        grid->setColumnWidthTwips(ColItemCode, 1500.5);
        QCOMPARE(grid->columnWidthTwips(ColItemCode), 1500.5);
        QCOMPARE(grid->columnWidth(ColItemCode), 100);
        grid->setColumnWidthTwips(ColSalePrice, 1234.5);
        grid->setColumnHidden(ColSalePrice, false);
        QCOMPARE(grid->columnWidth(ColSalePrice), 82);
        QCOMPARE(grid->columnWidthTwips(ColSalePrice), 1234.5);
        grid->horizontalHeader()->resizeSection(ColDescription, 120);
        QCOMPARE(grid->columnWidthTwips(ColDescription), 1800.0);
    }

    // An empty voucher is rows 0 to -1; cells outside the bounds are neither read nor written.
    void lineArrayBounds()
    {
        LineArray lines;
        lines.Resize(0, -5, 0, 7);
        QCOMPARE(lines.HighBound(1), -1);
        lines.Resize(0, 1, 0, 7);
        lines.SetCell(2, 0, "outside");
        lines.SetCell(1, 7, 12.5);
        QCOMPARE(lines.rowCount(), 2);
        QVERIFY(!lines.GetCell(-1, 0).isValid() && !lines.GetCell(2, 0).isValid());
        QCOMPARE(lines.GetCell(1, 7).toDouble(), 12.5);
    }
};

QVT_GUARDED_TEST_MAIN(TestLineGrid)
#include "tst_linegrid.moc"
