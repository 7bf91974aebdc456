// What the grid's notifications start: the quantity keys, the grid's own errors, the pick lists
// behind the in-cell buttons, and a bar-code scanner entering lines.

#include "LineEntryFixture.h"

#include <QTest>

using namespace qvtrnsfr;

namespace {

const QString Bolt = QStringLiteral("10-00-00-0001");

bool addCatalogue(LineEntryFixture &f)
{
    return f.addItem(Bolt, QStringLiteral("Bolt"), QStringLiteral("PCS")) &&
           f.addItem(QStringLiteral("10-00-00-0002"), QStringLiteral("Nut"), QStringLiteral("KG")) &&
           f.addAlias(QStringLiteral("ABC-1"), Bolt) && f.addUnit(Bolt, QStringLiteral("BOX"), 12);
}

// The calls a pick list makes, in their order.
QStringList itemListCalls(const QString &connection, const QString &filter, const QString &search)
{
    return {"SetFilter(" + filter + ")", "SetTitle(Items)",        "SetConnection(" + connection + ")",
            "SetSource(CurrentStock)",   "SetKeyColumn(0)",        "SetSearchText(" + search + ")",
            "SetResultColumn(0)",        "SetOwner(Host Caption)", "ShowList()"};
}

QStringList unitListCalls(const QString &connection, const QString &filter, const QString &search)
{
    return {"SetTitle(Units)",    "SetConnection(" + connection + ")",
            "SetSource(ICUnit)",  "SetFilter(" + filter + ")",
            "SetKeyColumn(1)",    "SetSearchText(" + search + ")",
            "SetResultColumn(1)", "SetOwner(Host Caption)",
            "ShowList()"};
}

} // namespace

class GridEventsTest : public QObject {
    Q_OBJECT
private slots:
    void quantityTakesNumberKeysOnly_data();
    void quantityTakesNumberKeysOnly();
    void gridShowsNoErrorOfItsOwn();
    void itemPickList_data();
    void itemPickList();
    void unitPickList_data();
    void unitPickList();
    void pickListThatCannotBeCreated();
    void scannerEntersLines();
};

void GridEventsTest::quantityTakesNumberKeysOnly_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("cell");

    QTest::newRow("letter dropped") << int(ColQty) << "12a"
                                    << "12";
    QTest::newRow("sign and point") << int(ColQty) << "-1.5"
                                    << "-1.5";
    QTest::newRow("plus, letters and blank") << int(ColQty) << "+3x. 5"
                                             << "+3.5";
    QTest::newRow("backspace passes") << int(ColQty) << "123\b"
                                      << "12";
    QTest::newRow("serial takes anything") << int(ColSerialNo) << "12a"
                                           << "12a";
    QTest::newRow("engine number takes anything") << int(ColEngineNo) << "a1"
                                                  << "a1";
}

void GridEventsTest::quantityTakesNumberKeysOnly()
{
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(QString, cell);

    LineEntryFixture f;
    QVERIFY(f.start());
    QVERIFY(f.clickCell(0, column));
    f.type(typed);
    f.press(Qt::Key_Enter);
    QCOMPARE(f.grid->cellText(column), cell);
}

// A unit longer than the column takes is refused by the grid without a message of its own.
void GridEventsTest::gridShowsNoErrorOfItsOwn()
{
    LineEntryFixture f;
    QVERIFY(addCatalogue(f));
    QVERIFY(f.start());
    QVERIFY(f.clickCell(0, ColItemCode));
    f.type(QStringLiteral("1000000001"));
    f.press(Qt::Key_Tab);
    QCOMPARE(f.grid->cellText(ColUnit), QStringLiteral("PCS"));

    MessageCatcher messages; // no answer queued: any message box fails the test
    f.type(QStringLiteral("ABCDEFGH"));
    f.press(Qt::Key_Enter);
    QTest::qWait(50);
    QCOMPARE(messages.count(), 0);
    QCOMPARE(f.grid->cellText(ColUnit), QStringLiteral("PCS"));
}

void GridEventsTest::itemPickList_data()
{
    QTest::addColumn<QString>("fromLocation");
    QTest::addColumn<QString>("picked");
    QTest::addColumn<QString>("rowAfter");

    QTest::newRow("picked") << "1" << Bolt << Bolt + "|Bolt|PCS|1||";
    QTest::newRow("cancelled") << "1"
                               << ""
                               << "10-00-00-0002|Nut|KG|1||";
    QTest::newRow("no source location") << ""
                                        << ""
                                        << "10-00-00-0002|Nut|KG|1||";
}

// The row holds the nut when the list is opened with F4 on its code.
void GridEventsTest::itemPickList()
{
    QFETCH(QString, fromLocation);
    QFETCH(QString, picked);
    QFETCH(QString, rowAfter);

    auto recorder = std::make_shared<Recorder>();
    recorder->pickedValue = picked;
    LineEntryFixture f(std::make_shared<RecordingFactory>(recorder));
    QVERIFY(addCatalogue(f));
    QVERIFY(f.start(fromLocation));
    QVERIFY(f.clickCell(0, ColItemCode));
    f.type(QStringLiteral("1000000002"));
    f.press(Qt::Key_Tab);
    // The list takes the focus while it is open.
    recorder->focusDuringList = f.outside;
    f.state->LastStockUnit = QStringLiteral("untouched");

    QVERIFY(f.clickCell(0, ColItemCode));
    f.press(Qt::Key_F4);
    QCOMPARE(recorder->lookupCalls,
             itemListCalls(f.db.connectionName(), "LocID=" + fromLocation, QStringLiteral("10-00-00-0002")));
    QCOMPARE(f.currentRow(), rowAfter);
    // Only a pick resolves the item.
    QCOMPARE(f.state->LastStockUnit, picked.isEmpty() ? QStringLiteral("untouched") : QStringLiteral("PCS"));
    QTRY_VERIFY(f.grid->hasFocus());
    QCOMPARE(f.grid->currentColumn(), int(ColItemCode));
}

void GridEventsTest::unitPickList_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("picked");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("rowAfter");

    QTest::newRow("picked") << "1000000001"
                            << "BOX"
                            << "ItemID='" + Bolt + "'" << Bolt + "|Bolt|BOX|12||";
    QTest::newRow("cancelled") << "1000000001"
                               << ""
                               << "ItemID='" + Bolt + "'" << Bolt + "|Bolt|PCS|1||";
    QTest::newRow("row without a code") << ""
                                        << ""
                                        << "ItemID=''"
                                        << "|||||";
}

void GridEventsTest::unitPickList()
{
    QFETCH(QString, code);
    QFETCH(QString, picked);
    QFETCH(QString, filter);
    QFETCH(QString, rowAfter);

    auto recorder = std::make_shared<Recorder>();
    recorder->pickedValue = picked;
    LineEntryFixture f(std::make_shared<RecordingFactory>(recorder));
    QVERIFY(addCatalogue(f));
    QVERIFY(f.start());
    QVERIFY(f.clickCell(0, ColItemCode));
    if (!code.isEmpty())
        f.type(code);
    f.press(Qt::Key_Tab);
    QCOMPARE(f.grid->currentColumn(), int(ColUnit));
    recorder->focusDuringList = f.outside;

    f.press(Qt::Key_F4);
    QCOMPARE(recorder->lookupCalls, unitListCalls(f.db.connectionName(), filter,
                                                  code.isEmpty() ? QString() : QStringLiteral("PCS")));
    QCOMPARE(f.currentRow(), rowAfter);
    QTRY_VERIFY(f.grid->hasFocus());
    QCOMPARE(f.grid->currentColumn(), int(ColUnit));

    // The one dialog serves every list of the control.
    recorder->lookupCalls.clear();
    QVERIFY(f.clickCell(0, ColItemCode));
    f.press(Qt::Key_F4);
    QCOMPARE(recorder->lookupCalls.size(), 9);
    QCOMPARE(recorder->lookupsCreated, 1);
}

// Without a pick-list component the buttons change nothing and the grid keeps the focus.
void GridEventsTest::pickListThatCannotBeCreated()
{
    auto recorder = std::make_shared<Recorder>();
    auto factory = std::make_shared<RecordingFactory>(recorder);
    factory->lookupMissing = true;
    LineEntryFixture f(factory);
    QVERIFY(addCatalogue(f));
    QVERIFY(f.start());
    QVERIFY(f.clickCell(0, ColItemCode));
    f.type(QStringLiteral("1000000001"));
    f.press(Qt::Key_Tab);
    f.press(Qt::Key_F4);
    QCOMPARE(f.currentRow(), Bolt + "|Bolt|PCS|1||");
    QVERIFY(f.grid->hasFocus());
    QCOMPARE(f.grid->currentColumn(), int(ColUnit));

    // A button reported for another column only brings the focus back to that column.
    f.outside->setFocus();
    emit f.grid->cellButtonPressed(ColQty);
    QTRY_VERIFY(f.grid->hasFocus());
    QCOMPARE(f.grid->currentColumn(), int(ColQty));
    QCOMPARE(recorder->lookupsCreated, 0);
}

// A scanner types the code and Enter: the line is filled, stored and the cursor waits on the
// next line. A code without stock is refused there and stays.
void GridEventsTest::scannerEntersLines()
{
    LineEntryFixture f;
    QVERIFY(addCatalogue(f));
    QVERIFY(f.addProfile(false, false));
    QVERIFY(f.addStock(Bolt, QString(), 1, 10));
    QVERIFY(f.start(QStringLiteral("1")));
    f.state->form.chkScanMode->click();
    QVERIFY(f.clickCell(0, ColItemCode));

    f.type(QStringLiteral("ABC-1"));
    f.press(Qt::Key_Enter);
    QTRY_COMPARE(f.grid->currentRowIndex(), 1);
    f.type(QStringLiteral("1000000001"));
    f.press(Qt::Key_Enter);
    QTRY_COMPARE(f.grid->currentRowIndex(), 2);
    QCOMPARE(f.storedLines(), QStringList({Bolt + "|Bolt|PCS|1|1|", Bolt + "|Bolt|PCS|1|1|"}));
    QCOMPARE(f.state->form.txtTotalQty->text(), QStringLiteral("2.00"));

    MessageCatcher messages;
    messages.answerNext(QMessageBox::Ok);
    f.type(QStringLiteral("10-00-00-0002"));
    f.press(Qt::Key_Enter);
    QTRY_COMPARE(messages.count(), 1);
    QCOMPARE(messages.last().text,
             QStringLiteral("Item has not in balance and Negative Inventory not allowed."));
    QCOMPARE(f.grid->currentRowIndex(), 2);
    QCOMPARE(f.currentRow(), QStringLiteral("10-00-00-0002|Nut|KG|1|1|"));
    QCOMPARE(f.storedLines().size(), 2);
}

QVT_LINEENTRY_TEST_MAIN(GridEventsTest)
#include "tst_gridevents.moc"
