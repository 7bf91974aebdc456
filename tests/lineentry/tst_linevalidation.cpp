// The check a grid row must pass before it is stored: required cells, the serial number's
// balance, and the item's balance net of the voucher's other lines.

#include "LineEntryFixture.h"

#include "grid/LineValidation.h"

#include <QTest>

using namespace qvtrnsfr;

namespace {

const QString Bolt = QStringLiteral("10-00-00-0001");
const QString Nut = QStringLiteral("10-00-00-0002");
const QString SerialRefused = QStringLiteral("This Serialized Item has not in balance.");
const QString ItemRefused = QStringLiteral("Item has not in balance and Negative Inventory not allowed.");

// Fills the current row cell by cell: code, description, unit, conversion, qty, serial.
void fillRow(LineEntryFixture &f, const QStringList &cells)
{
    const int columns[] = {ColItemCode, ColDescription, ColUnit, ColConversion, ColQty, ColSerialNo};
    for (int i = 0; i < cells.size(); ++i)
        f.grid->setCell(columns[i], cells.at(i));
}

// Stores the current row, answering a refusal; the refusal's text, or "" when stored.
QString storeRow(LineEntryFixture &f)
{
    MessageCatcher messages;
    messages.answerNext(QMessageBox::Ok);
    const bool stored = f.grid->storeCurrentRow();
    if (stored)
        return messages.count() == 0 ? QString() : QStringLiteral("stored after a message");
    if (messages.count() != 1)
        return QStringLiteral("refused without one message");
    const auto &box = messages.last();
    if (box.title != QStringLiteral("Host Caption") || box.icon != QMessageBox::Critical)
        return QStringLiteral("wrong title or icon: ") + box.title;
    return box.text;
}

QString formatCall(const BalanceCall &call)
{
    return QStringLiteral("%1,%2,%3,%4,%5,%6")
        .arg(call.code)
        .arg(call.locationId)
        .arg(call.date)
        .arg(call.documentKind)
        .arg(call.documentNo)
        .arg(call.bySerial ? QStringLiteral("serial") : QStringLiteral("item"));
}

QStringList formatCalls(const Recorder &recorder)
{
    QStringList calls;
    for (const BalanceCall &call : recorder.balanceCalls)
        calls << formatCall(call);
    return calls;
}

} // namespace

class LineValidationTest : public QObject {
    Q_OBJECT
private slots:
    void requiredCells_data();
    void requiredCells();
    void stockQueries_data();
    void stockQueries();
    void otherLinesOfTheItemCount_data();
    void otherLinesOfTheItemCount();
    void editedRowIsNotCountedTwice();
    void otherLinesQty_data();
    void otherLinesQty();
};

void LineValidationTest::requiredCells_data()
{
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<bool>("tracked");
    QTest::addColumn<QString>("refusal");

    QTest::newRow("complete") << QStringList{Bolt, "Bolt", "PCS", "1", "1", ""} << false << "";
    QTest::newRow("code not resolved")
        << QStringList{Bolt, "", "PCS", "1", "1", "S1"} << true << "Item Code code can not be blank.";
    QTest::newRow("description without code") << QStringList{"", "Bolt", "PCS", "1", "1", ""} << false << "";
    QTest::newRow("unit") << QStringList{Bolt, "Bolt", "", "1", "1", "S1"} << true
                          << "Unit can not be blank.";
    QTest::newRow("quantity") << QStringList{Bolt, "Bolt", "PCS", "1", "", "S1"} << true
                              << "Quantity can not be blank.";
    QTest::newRow("serial when tracked")
        << QStringList{Bolt, "Bolt", "PCS", "1", "1", ""} << true << "Serial No. does not exist.";
    QTest::newRow("blanks are not empty") << QStringList{Bolt, " ", " ", " ", " ", " "} << true << "";
}

void LineValidationTest::requiredCells()
{
    QFETCH(QStringList, cells);
    QFETCH(bool, tracked);
    QFETCH(QString, refusal);

    auto recorder = std::make_shared<Recorder>();
    recorder->serialBalance = 100;
    recorder->itemBalance = 100;
    LineEntryFixture f(std::make_shared<RecordingFactory>(recorder));
    QVERIFY(f.addProfile(tracked, false));
    QVERIFY(f.start());
    QVERIFY(f.clickCell(0, ColItemCode));
    fillRow(f, cells);

    QCOMPARE(storeRow(f), refusal);
    QCOMPARE(f.storedLines().size(), refusal.isEmpty() ? 1 : 0);
    // A row missing a cell never reaches the inventory component.
    if (!refusal.isEmpty())
        QVERIFY(recorder->balanceCalls.empty());
}

void LineValidationTest::stockQueries_data()
{
    QTest::addColumn<bool>("tracked");
    QTest::addColumn<bool>("negativeAllowed");
    QTest::addColumn<QString>("fromLocation");
    QTest::addColumn<QString>("qty");
    QTest::addColumn<QString>("conversion");
    QTest::addColumn<double>("serialBalance"); // negative: the call fails
    QTest::addColumn<double>("itemBalance");
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<double>("available");

    const QString serialCall = QStringLiteral("S1,%1,05/03/2024,5,7,serial");
    const QString itemCall = Bolt + QStringLiteral(",%1,05/03/2024,5,999999999,item");
    const QStringList serialOnly{serialCall.arg(1)};
    const QStringList itemOnly{itemCall.arg(1)};
    const QStringList both{serialCall.arg(1), itemCall.arg(1)};

    QTest::newRow("serial in balance") << true << true << "1"
                                       << "1"
                                       << "1" << 1.0 << 0.0 << "" << serialOnly << 1.0;
    QTest::newRow("serial short") << true << true << "1"
                                  << "2"
                                  << "1" << 1.0 << 0.0 << SerialRefused << serialOnly << 1.0;
    QTest::newRow("serial short in base units") << true << true << "1"
                                                << "1"
                                                << "2" << 1.0 << 0.0 << SerialRefused << serialOnly << 1.0;
    QTest::newRow("serial query fails") << true << true << "1"
                                        << "1"
                                        << "1" << -1.0 << 0.0 << SerialRefused << serialOnly << 0.0;
    QTest::newRow("location halves to even (down)")
        << true << true << "2.5"
        << "1"
        << "1" << 1.0 << 0.0 << "" << QStringList{serialCall.arg(2)} << 1.0;
    QTest::newRow("location halves to even (up)")
        << false << false << "3.5"
        << "1"
        << "1" << 0.0 << 1.0 << "" << QStringList{itemCall.arg(4)} << 1.0;
    QTest::newRow("item equal passes") << false << false << "1"
                                       << "3"
                                       << "1" << 0.0 << 3.0 << "" << itemOnly << 3.0;
    QTest::newRow("item short") << false << false << "1"
                                << "4"
                                << "1" << 0.0 << 3.0 << ItemRefused << itemOnly << 3.0;
    QTest::newRow("factor applies") << false << false << "1"
                                    << "2"
                                    << "1.5" << 0.0 << 3.0 << "" << itemOnly << 3.0;
    QTest::newRow("12abc counts as 12, covered") << false << false << "1"
                                                 << "12abc"
                                                 << "1" << 0.0 << 12.0 << "" << itemOnly << 12.0;
    QTest::newRow("12abc counts as 12, short") << false << false << "1"
                                               << "12abc"
                                               << "1" << 0.0 << 11.0 << ItemRefused << itemOnly << 11.0;
    QTest::newRow("abc counts as 0") << false << false << "1"
                                     << "abc"
                                     << "1" << 0.0 << 0.0 << "" << itemOnly << 0.0;
    QTest::newRow("item query fails") << false << false << "1"
                                      << "1"
                                      << "1" << 0.0 << -1.0 << ItemRefused << itemOnly << 0.0;
    QTest::newRow("serial then item, item short") << true << false << "1"
                                                  << "4"
                                                  << "1" << 5.0 << 3.0 << ItemRefused << both << 3.0;
    QTest::newRow("failing item query keeps the serial's figure") << true << false << "1"
                                                                  << "4"
                                                                  << "1" << 5.0 << -1.0 << "" << both << 5.0;
    QTest::newRow("negative stock allowed: no item query") << false << true << "1"
                                                           << "1000"
                                                           << "1" << 0.0 << 0.0 << "" << QStringList{} << 0.0;
}

void LineValidationTest::stockQueries()
{
    QFETCH(bool, tracked);
    QFETCH(bool, negativeAllowed);
    QFETCH(QString, fromLocation);
    QFETCH(QString, qty);
    QFETCH(QString, conversion);
    QFETCH(double, serialBalance);
    QFETCH(double, itemBalance);
    QFETCH(QString, refusal);
    QFETCH(QStringList, calls);
    QFETCH(double, available);

    auto recorder = std::make_shared<Recorder>();
    if (serialBalance >= 0)
        recorder->serialBalance = serialBalance;
    if (itemBalance >= 0)
        recorder->itemBalance = itemBalance;
    LineEntryFixture f(std::make_shared<RecordingFactory>(recorder));
    QVERIFY(f.addProfile(tracked, negativeAllowed));
    QVERIFY(f.start(fromLocation));
    f.state->form.txtDocNo->setText(QStringLiteral("7"));
    f.state->form.dtpDocDate->setDate(QDate(2024, 3, 5));
    QVERIFY(f.clickCell(0, ColItemCode));
    fillRow(f, {Bolt, "Bolt", "PCS", conversion, qty, "S1"});

    QCOMPARE(storeRow(f), refusal);
    QCOMPARE(formatCalls(*recorder), calls);
    QCOMPARE(f.state->AvailableBalance, available);
}

void LineValidationTest::otherLinesOfTheItemCount_data()
{
    TestDatabase::addEngineColumn();
}

// Two stored lines of the item take 3 x 1 and 2 x 2 of its 10 units; a third may take 3.
void LineValidationTest::otherLinesOfTheItemCount()
{
    QFETCH(TestDatabase::Engine, engine);
    QVT_SKIP_UNLESS_AVAILABLE(engine);
    LineEntryFixture f(nullptr, engine);
    QVERIFY2(f.db.isValid(), qPrintable(f.db.errorText()));
    QVERIFY(f.addProfile(false, false));
    QVERIFY(f.addItem(Bolt, QStringLiteral("Bolt"), QStringLiteral("PCS")));
    QVERIFY(f.addItem(Nut, QStringLiteral("Nut"), QStringLiteral("KG")));
    QVERIFY(f.addStock(Bolt, QString(), 1, 10));
    QVERIFY(f.addStock(Nut, QString(), 1, 100));
    QVERIFY(f.addStock(Bolt, QString(), 2, 50)); // another location's stock does not count
    QVERIFY(f.start(QStringLiteral("1")));

    const QList<QStringList> earlier{
        {Bolt, "Bolt", "PCS", "1", "3"}, {Nut, "Nut", "KG", "1", "40"}, {Bolt, "Bolt", "PR", "2", "2"}};
    for (const QStringList &cells : earlier) {
        QVERIFY(f.clickCell(f.state->lineArray().rowCount(), ColItemCode));
        fillRow(f, cells);
        QCOMPARE(storeRow(f), QString());
    }

    QVERIFY(f.clickCell(f.state->lineArray().rowCount(), ColItemCode));
    fillRow(f, {Bolt, "Bolt", "PCS", "1", "4"});
    QCOMPARE(storeRow(f), ItemRefused);
    QCOMPARE(f.state->AvailableBalance, 3.0);
    QCOMPARE(f.storedLines().size(), 3);

    f.grid->setCell(ColQty, QStringLiteral("3"));
    QCOMPARE(storeRow(f), QString());
    QCOMPARE(f.storedLines().size(), 4);
    QCOMPARE(f.state->form.txtTotalQty->text(), QStringLiteral("48.00"));
}

// A stored row of 5 units edited again, with 5 units in stock: its own quantity is not among the
// other lines.
void LineValidationTest::editedRowIsNotCountedTwice()
{
    LineEntryFixture f;
    QVERIFY(f.addProfile(false, false));
    QVERIFY(f.addItem(Bolt, QStringLiteral("Bolt"), QStringLiteral("PCS")));
    QVERIFY(f.addStock(Bolt, QString(), 1, 5));
    QVERIFY(f.start(QStringLiteral("1")));
    QVERIFY(f.clickCell(0, ColItemCode));
    fillRow(f, {Bolt, "Bolt", "PCS", "1", "5"});
    QCOMPARE(storeRow(f), QString());

    // Moving to the new-row line and back, then changing the row by the keyboard.
    QVERIFY(f.clickCell(1, ColItemCode));
    QVERIFY(f.clickCell(0, ColSerialNo));
    f.type(QStringLiteral("E1"));
    f.press(Qt::Key_Enter);
    MessageCatcher messages;
    f.press(Qt::Key_Down);
    QTRY_COMPARE(f.grid->currentRowIndex(), 1);
    QCOMPARE(messages.count(), 0);
    QCOMPARE(f.storedLines(), QStringList{Bolt + "|Bolt|PCS|1|5|E1"});
    QCOMPARE(f.state->AvailableBalance, 5.0);
}

void LineValidationTest::otherLinesQty_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("row");
    QTest::addColumn<double>("expected");

    QTest::newRow("all rows of the item") << Bolt << -1 << 7.0;
    QTest::newRow("own row left out") << Bolt << 0 << 4.0;
    QTest::newRow("row in other units left out") << Bolt << 3 << 3.0;
    QTest::newRow("another item") << Nut << -1 << 50.0;
    QTest::newRow("exact code only") << "10-00-00-00" << -1 << 0.0;
}

// Lines: Bolt 3 x 1, Bolt abc x 1 (adds nothing), Nut 50 x 1, Bolt 2 x 2, Bolt 1 x "" (nothing).
void LineValidationTest::otherLinesQty()
{
    QFETCH(QString, code);
    QFETCH(int, row);
    QFETCH(double, expected);

    LineEntryFixture f;
    const QList<QStringList> rows{
        {Bolt, "3", "1"}, {Bolt, "abc", "1"}, {Nut, "50", "1"}, {Bolt, "2", "2"}, {Bolt, "1", ""}};
    auto lines = std::make_unique<LineArray>();
    lines->Resize(0, rows.size() - 1, 0, LineColumns - 1);
    for (int i = 0; i < rows.size(); ++i) {
        lines->SetCell(i, ColItemCode, rows[i][0]);
        lines->SetCell(i, ColQty, rows[i][1]);
        lines->SetCell(i, ColConversion, rows[i][2]);
    }
    f.state->replaceLines(std::move(lines));
    QCOMPARE(GetOtherLinesQty(*f.state, code, row), expected);
}

QVT_LINEENTRY_TEST_MAIN(LineValidationTest)
#include "tst_linevalidation.moc"
