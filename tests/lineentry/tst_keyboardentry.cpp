// A whole voucher entered with the keyboard alone, in add mode: source and destination, three
// lines typed in the grid (one refused for stock and corrected), then Alt+A. The saved voucher is
// read back from the database with its costs.

#include "LineEntryFixture.h"

#include <QSqlQuery>
#include <QTest>

using namespace qvtrnsfr;

namespace {

const QString Bolt = QStringLiteral("10-00-00-0001");
const QString Nut = QStringLiteral("10-00-00-0002");

// Bolts: 10 in stock at location 1 at 2.50, also in pairs; nuts: 5 at 4.00.
bool addStore(LineEntryFixture &f)
{
    return f.addProfile(false, false) && f.addLocation(1, QStringLiteral("Main Store")) &&
           f.addLocation(2, QStringLiteral("Branch")) &&
           f.addItem(Bolt, QStringLiteral("Bolt"), QStringLiteral("PCS")) &&
           f.addItem(Nut, QStringLiteral("Nut"), QStringLiteral("KG")) &&
           f.addUnit(Bolt, QStringLiteral("PR"), 2) && f.addStock(Bolt, QString(), 1, 10, 2.5) &&
           f.addStock(Nut, QString(), 1, 5, 4);
}

// The stored lines of the voucher, one compact string each, in the order written.
QStringList savedLines(TestDatabase &db, int fromLocation, int docNo)
{
    QSqlQuery query(db.connection());
    QStringList lines;
    if (!query.prepare(QStringLiteral("select ItemID, Unit, Conver, Qty, Cost, Amount from ICTRAND "
                                      "where FromLocID = ? and DocNo = ? order by Cost desc, Qty desc")))
        return {query.lastError().text()};
    query.addBindValue(fromLocation);
    query.addBindValue(docNo);
    if (!query.exec())
        return {query.lastError().text()};
    while (query.next()) {
        QStringList cells{query.value(0).toString(), query.value(1).toString()};
        for (int column = 2; column < 6; ++column)
            cells << QString::number(query.value(column).toDouble());
        lines << cells.join(QLatin1Char('|'));
    }
    return lines;
}

// Types one line from its "Item Code" cell: the code, Tab, the unit (or Tab past it), the
// quantity, then Down to store it, or Tab on past the end of the row.
void enterLine(const QString &code, const QString &unit, const QString &qty, bool byTab = false)
{
    LineEntryFixture::press(Qt::Key_Home);
    LineEntryFixture::type(code);
    LineEntryFixture::press(Qt::Key_Tab);
    LineEntryFixture::type(unit);
    LineEntryFixture::press(Qt::Key_Tab);
    LineEntryFixture::type(qty);
    if (!byTab) {
        LineEntryFixture::press(Qt::Key_Down);
        return;
    }
    for (int cell = 0; cell < 3; ++cell) // "Serial No.", "Engine No.", then on to the next row
        LineEntryFixture::press(Qt::Key_Tab);
}

} // namespace

class KeyboardEntryTest : public QObject {
    Q_OBJECT
private slots:
    void wholeVoucherByKeyboard_data();
    void wholeVoucherByKeyboard();
};

void KeyboardEntryTest::wholeVoucherByKeyboard_data()
{
    TestDatabase::addEngineColumn();
}

void KeyboardEntryTest::wholeVoucherByKeyboard()
{
    QFETCH(TestDatabase::Engine, engine);
    QVT_SKIP_UNLESS_AVAILABLE(engine);
    LineEntryFixture f(nullptr, engine);
    QVERIFY2(f.db.isValid(), qPrintable(f.db.errorText()));
    QVERIFY(addStore(f));
    QVERIFY(f.show());
    const TransferForm &form = f.state->form;

    // From the host's field into the form: the first focus sets the control up.
    QVERIFY(f.tabTo(form.txtFromLocID));
    QVERIFY(f.state->FocusInitialised);
    f.type(QStringLiteral("1"));
    QVERIFY(f.tabTo(form.txtToLocID));
    QCOMPARE(form.txtFromLocName->text(), QStringLiteral("Main Store"));
    QCOMPARE(form.txtDocNo->text(), QStringLiteral("1"));
    f.type(QStringLiteral("2"));
    QVERIFY(f.tabTo(f.grid));
    QCOMPARE(form.txtToLocName->text(), QStringLiteral("Branch"));

    enterLine(QStringLiteral("1000000001"), QString(), QStringLiteral("4"));
    QTRY_COMPARE(f.storedLines().size(), 1);

    // Twenty nuts are more than the five in stock: refused, the row stays; five pass.
    MessageCatcher messages;
    messages.answerNext(QMessageBox::Ok);
    enterLine(QStringLiteral("1000000002"), QString(), QStringLiteral("20"));
    QTRY_COMPARE(messages.count(), 1);
    QCOMPARE(messages.last().text,
             QStringLiteral("Item has not in balance and Negative Inventory not allowed."));
    QCOMPARE(f.grid->currentRowIndex(), 1);
    QCOMPARE(f.storedLines().size(), 1);
    f.type(QStringLiteral("5"));
    f.press(Qt::Key_Down);
    QTRY_COMPARE(f.storedLines().size(), 2);

    // Three pairs are the six bolts the first line leaves; this row is left by Tab.
    enterLine(QStringLiteral("1000000001"), QStringLiteral("PR"), QStringLiteral("3"), true);
    QTRY_COMPARE(f.storedLines().size(), 3);
    QCOMPARE(f.storedLines(),
             QStringList({Bolt + "|Bolt|PCS|1|4|", Nut + "|Nut|KG|1|5|", Bolt + "|Bolt|PR|2|3|"}));
    QCOMPARE(form.txtTotalQty->text(), QStringLiteral("12.00"));

    messages.answerNext(QMessageBox::Ok);
    f.press(Qt::Key_A, Qt::AltModifier);
    QTRY_COMPARE(messages.count(), 2);
    QCOMPARE(messages.last().title, QStringLiteral("Save Document"));
    QCOMPARE(messages.last().text, QStringLiteral("Document Number  1  Is Saved Successfully "));

    QCOMPARE(
        f.db.scalar(QStringLiteral("select ToLocID from ICTRANH where FromLocID = 1 and DocNo = 1")).toInt(),
        2);
    QCOMPARE(f.db.scalar(QStringLiteral("select TotalQty from ICTRANH where FromLocID = 1 and DocNo = 1"))
                 .toDouble(),
             12.0);
    QCOMPARE(savedLines(f.db, 1, 1),
             QStringList({Nut + "|KG|1|5|4|20", Bolt + "|PCS|1|4|2.5|10", Bolt + "|PR|2|3|2.5|15"}));
    // The form starts the next voucher.
    QCOMPARE(form.txtDocNo->text(), QStringLiteral("2"));
    QVERIFY(f.storedLines().isEmpty());
}

QVT_LINEENTRY_TEST_MAIN(KeyboardEntryTest)
#include "tst_keyboardentry.moc"
