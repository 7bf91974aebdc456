// Item codes typed through the mask or scanned, and the units of a line.

#include "LineEntryFixture.h"

#include "grid/ItemResolution.h"
#include "grid/Units.h"

#include "support/QueryPlan.h"

#include <QTest>
#include <array>

using namespace qvtrnsfr;

namespace {

// Two items, an alias of the first and a decoy whose own code equals that alias undashed.
bool addCatalogue(LineEntryFixture &f)
{
    return f.addItem(QStringLiteral("10-00-00-0001"), QStringLiteral("Bolt"), QStringLiteral("PCS")) &&
           f.addItem(QStringLiteral("10-00-00-0002"), QStringLiteral("Nut"), QStringLiteral("KG")) &&
           f.addItem(QStringLiteral("ABC1"), QStringLiteral("Decoy"), QStringLiteral("EA")) &&
           f.addAlias(QStringLiteral("ABC-1"), QStringLiteral("10-00-00-0001")) &&
           f.addUnit(QStringLiteral("10-00-00-0001"), QStringLiteral("BOX"), 12) && f.addProfile(false, true);
}

} // namespace

class ItemResolutionTest : public QObject {
    Q_OBJECT
private slots:
    void typedCodeResolvesInPlace();
    void salePriceFollowsPriceDisplay_data();
    void salePriceFollowsPriceDisplay();
    void scannedCodeFillsLineAndMovesOn_data();
    void scannedCodeFillsLineAndMovesOn();
    void scanModeSwitchesTheMask();
    void unitGetsItsFactor_data();
    void unitGetsItsFactor();
    void undefinedUnitAfterLoadIsRefused();
    void lookupsSeekAnIndex_data();
    void lookupsSeekAnIndex();
};

void ItemResolutionTest::typedCodeResolvesInPlace()
{
    LineEntryFixture f;
    QVERIFY(addCatalogue(f));
    QVERIFY(f.start());
    QVERIFY(f.clickCell(0, ColItemCode));

    f.type(QStringLiteral("1000000001"));
    f.press(Qt::Key_Tab);
    QCOMPARE(f.currentRow(), QStringLiteral("10-00-00-0001|Bolt|PCS|1||"));
    QCOMPARE(f.state->LastStockUnit, QStringLiteral("PCS"));
    // The cursor stays in the row: nothing is stored by a typed code.
    QCOMPARE(f.grid->currentRowIndex(), 0);
    QVERIFY(f.storedLines().isEmpty());

    // A unit typed for the line, then a code that matches no item: only the description goes.
    f.type(QStringLiteral("BOX"));
    f.press(Qt::Key_Tab);
    f.press(Qt::Key_Backtab);
    f.press(Qt::Key_Backtab);
    QCOMPARE(f.grid->currentColumn(), int(ColItemCode));
    f.type(QStringLiteral("9999999999"));
    f.press(Qt::Key_Tab);
    QCOMPARE(f.currentRow(), QStringLiteral("99-99-99-9999||BOX|12||"));

    // A found code puts the stock unit and factor 1 back, whatever the row held.
    f.press(Qt::Key_Backtab);
    f.type(QStringLiteral("1000000002"));
    f.press(Qt::Key_Tab);
    QCOMPARE(f.currentRow(), QStringLiteral("10-00-00-0002|Nut|KG|1||"));

    // Emptying the code clears the description only.
    f.grid->setCell(ColItemCode, QString());
    ResolveItem(*f.state);
    QCOMPARE(f.currentRow(), QStringLiteral("||KG|1||"));
    QCOMPARE(f.state->LastStockUnit, QStringLiteral("KG"));
}

void ItemResolutionTest::salePriceFollowsPriceDisplay_data()
{
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QString>("priceList");
    QTest::addColumn<QString>("price");

    QTest::newRow("display off: never written") << false << "RETAIL"
                                                << "";
    QTest::newRow("listed name trimmed") << true << "RETAIL"
                                         << "12.5";
    QTest::newRow("no price in the list") << true << "WHOLESALE"
                                          << "0";
}

void ItemResolutionTest::salePriceFollowsPriceDisplay()
{
    QFETCH(bool, shown);
    QFETCH(QString, priceList);
    QFETCH(QString, price);

    LineEntryFixture f;
    QVERIFY(addCatalogue(f));
    // The list name is stored with a trailing blank; the combo box lists it trimmed.
    QVERIFY(f.db.exec(QStringLiteral("insert into icprc (PriceList) values ('RETAIL '), ('WHOLESALE')")));
    QVERIFY(f.db.exec(QStringLiteral("insert into icpric (itemid, pricelist, Price) values (?, ?, ?)"),
                      {QStringLiteral("10-00-00-0001"), QStringLiteral("RETAIL"), 12.5}));
    QVERIFY(f.start());
    f.state->form.chkPrice->setChecked(shown);
    f.state->form.cboPriceList->setCurrentText(priceList);
    QCOMPARE(f.state->form.cboPriceList->currentText(), priceList);

    QVERIFY(f.clickCell(0, ColItemCode));
    f.type(QStringLiteral("1000000001"));
    f.press(Qt::Key_Enter);
    QCOMPARE(f.grid->cellText(ColDescription), QStringLiteral("Bolt"));
    QCOMPARE(f.grid->cellText(ColSalePrice), price);
}

void ItemResolutionTest::scannedCodeFillsLineAndMovesOn_data()
{
    QTest::addColumn<TestDatabase::Engine>("engine");
    QTest::addColumn<QString>("scanned");
    QTest::addColumn<QString>("typedQty");
    QTest::addColumn<QString>("stored"); // empty: nothing stored, the cursor stays
    QTest::addColumn<QString>("lastStockUnit");

    const QList<std::array<const char *, 5>> cases{
        {"alias with its dash", "ABC-1", "", "10-00-00-0001|Bolt|PCS|1|1|", "PCS"},
        {"alias wins over an item of the same code", "ABC1", "", "10-00-00-0001|Bolt|PCS|1|1|", "PCS"},
        {"dashes ignored on both sides", "1000-0000-02", "", "10-00-00-0002|Nut|KG|1|1|", "KG"},
        {"quantity already typed stays", "1000000002", "5", "10-00-00-0002|Nut|KG|1|5|", "KG"},
        {"not found", "XYZ-9", "", "", ""},
    };
    for (const auto &row : cases) {
        for (TestDatabase::Engine engine : {TestDatabase::Sqlite, TestDatabase::Postgres}) {
            const QString tag =
                QStringLiteral("%1 %2").arg(QLatin1String(row[0]), TestDatabase::engineName(engine));
            QTest::newRow(qPrintable(tag))
                << engine << QString(row[1]) << QString(row[2]) << QString(row[3]) << QString(row[4]);
        }
    }
}

void ItemResolutionTest::scannedCodeFillsLineAndMovesOn()
{
    QFETCH(TestDatabase::Engine, engine);
    QFETCH(QString, scanned);
    QFETCH(QString, typedQty);
    QFETCH(QString, stored);
    QFETCH(QString, lastStockUnit);

    QVT_SKIP_UNLESS_AVAILABLE(engine);
    LineEntryFixture f(nullptr, engine);
    QVERIFY2(f.db.isValid(), qPrintable(f.db.errorText()));
    QVERIFY(addCatalogue(f));
    QVERIFY(f.start());
    f.state->form.chkScanMode->click();
    if (!typedQty.isEmpty()) {
        QVERIFY(f.clickCell(0, ColQty));
        f.type(typedQty);
        f.press(Qt::Key_Enter);
    }
    QVERIFY(f.clickCell(0, ColItemCode));
    f.type(scanned);
    f.press(Qt::Key_Enter);

    if (stored.isEmpty()) {
        QCOMPARE(f.grid->currentRowIndex(), 0);
        QCOMPARE(f.currentRow(), scanned + QStringLiteral("|||||"));
        QVERIFY(f.storedLines().isEmpty());
    } else {
        QTRY_COMPARE(f.grid->currentRowIndex(), 1);
        QCOMPARE(f.storedLines(), QStringList{stored});
        QCOMPARE(f.grid->currentColumn(), int(ColItemCode));
    }
    QCOMPARE(f.state->LastStockUnit, lastStockUnit);
}

void ItemResolutionTest::scanModeSwitchesTheMask()
{
    LineEntryFixture f;
    QVERIFY(addCatalogue(f));
    QVERIFY(f.start());
    QVERIFY(f.grid->itemCodeMasked());
    QVERIFY(f.clickCell(0, ColItemCode));
    f.type(QStringLiteral("1000000001"));
    f.press(Qt::Key_Enter);

    f.state->form.chkScanMode->click();
    QVERIFY(!f.grid->itemCodeMasked());
    f.state->form.chkScanMode->click();
    QVERIFY(f.grid->itemCodeMasked());
    // Codes already in the grid stay as they are.
    QCOMPARE(f.grid->cellText(ColItemCode), QStringLiteral("10-00-00-0001"));
}

void ItemResolutionTest::unitGetsItsFactor_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("lastStockUnit");
    QTest::addColumn<QString>("unitAfter");
    QTest::addColumn<QString>("conversionAfter");

    QTest::newRow("defined for the item") << "BOX"
                                          << "PCS"
                                          << "BOX"
                                          << "12";
    QTest::newRow("not defined: stock unit") << "KG"
                                             << "PCS"
                                             << "PCS"
                                             << "1";
    QTest::newRow("stock unit of the item resolved last") << "XX"
                                                          << "KG"
                                                          << "KG"
                                                          << "1";
    QTest::newRow("nothing resolved yet") << "XX"
                                          << ""
                                          << ""
                                          << "1";
    QTest::newRow("a quote is data") << "B'X"
                                     << "PCS"
                                     << "PCS"
                                     << "1";
    QTest::newRow("empty unit: nothing changes") << ""
                                                 << "PCS"
                                                 << ""
                                                 << "7";
}

void ItemResolutionTest::unitGetsItsFactor()
{
    QFETCH(QString, unit);
    QFETCH(QString, lastStockUnit);
    QFETCH(QString, unitAfter);
    QFETCH(QString, conversionAfter);

    LineEntryFixture f;
    QVERIFY(addCatalogue(f));
    QVERIFY(f.start());
    QVERIFY(f.clickCell(0, ColItemCode));
    f.grid->setCell(ColItemCode, QStringLiteral("10-00-00-0001"));
    f.grid->setCell(ColConversion, QStringLiteral("7"));
    f.grid->setCell(ColUnit, unit);
    f.state->LastStockUnit = lastStockUnit;

    GetConversion(*f.state);
    QCOMPARE(f.grid->cellText(ColUnit), unitAfter);
    QCOMPARE(f.grid->cellText(ColConversion), conversionAfter);
}

void ItemResolutionTest::undefinedUnitAfterLoadIsRefused()
{
    LineEntryFixture f;
    QVERIFY(addCatalogue(f));
    QVERIFY(f.start());
    // A voucher as loading puts it on the form: its lines, and no item resolved on the control.
    auto loaded = std::make_unique<LineArray>();
    loaded->Resize(0, 0, 0, LineColumns - 1);
    const QStringList cells{"10-00-00-0001", "Bolt", "BOX", "12", "2", "", "", "0"};
    for (int column = 0; column < LineColumns; ++column)
        loaded->SetCell(0, column, cells.at(column));
    f.state->replaceLines(std::move(loaded));
    QVERIFY(f.state->LastStockUnit.isEmpty());

    // Typing a unit the item does not have, by the keyboard.
    QVERIFY(f.clickCell(0, ColUnit));
    f.type(QStringLiteral("XX"));
    f.press(Qt::Key_Enter);
    QCOMPARE(f.currentRow(), QStringLiteral("10-00-00-0001|Bolt||1|2|"));

    MessageCatcher messages;
    messages.answerNext(QMessageBox::Ok);
    f.press(Qt::Key_Down);
    QTRY_COMPARE(messages.count(), 1);
    QCOMPARE(messages.last().text, QStringLiteral("Unit can not be blank."));
    QCOMPARE(f.grid->currentRowIndex(), 0);
    QCOMPARE(f.storedLines(), QStringList{"10-00-00-0001|Bolt|BOX|12|2|"});
}

void ItemResolutionTest::lookupsSeekAnIndex_data()
{
    QTest::addColumn<TestDatabase::Engine>("engine");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QVariantList>("binds");

    const QList<QPair<const char *, QPair<QString, QVariantList>>> lookups{
        {"typed code", {ItemByCodeSql, {"10-00-10017"}}},
        {"scanned alias", {AliasByUndashedCodeSql, {"AL17"}}},
        {"scanned code", {ItemByUndashedCodeSql, {"100010017"}}},
        {"unit of the item", {UnitOfItemSql, {"10-00-10017", "BOX"}}},
    };
    for (const auto &[name, lookup] : lookups) {
        for (TestDatabase::Engine engine : {TestDatabase::Sqlite, TestDatabase::Postgres}) {
            const QString tag =
                QStringLiteral("%1 %2").arg(QLatin1String(name), TestDatabase::engineName(engine));
            QTest::newRow(qPrintable(tag)) << engine << lookup.first << lookup.second;
        }
    }
}

// However many items there are, a look-up reads its rows through an index. The tables hold a few
// thousand rows and are analysed, so that PostgreSQL's planner chooses as on a real database.
void ItemResolutionTest::lookupsSeekAnIndex()
{
    QFETCH(TestDatabase::Engine, engine);
    QFETCH(QString, sql);
    QFETCH(QVariantList, binds);
    QVT_OPEN_DATABASE(db, engine);

    const QString numbers =
        QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) ");
    const QString code = QStringLiteral("'10-00-' || (10000 + i)");
    QVERIFY2(db.exec(numbers + "INSERT INTO ICItem (ItemID, Descp, StockUnit) SELECT " + code +
                     ", 'Item', 'PCS' FROM n"),
             qPrintable(db.errorText()));
    QVERIFY2(db.exec(numbers + "INSERT INTO ICItemL (item, itemid) SELECT 'AL-' || i, " + code + " FROM n"),
             qPrintable(db.errorText()));
    QVERIFY2(
        db.exec(numbers + "INSERT INTO ICUnit (ItemID, Unit, Conver) SELECT " + code + ", 'BOX', 12 FROM n"),
        qPrintable(db.errorText()));
    QVERIFY(db.exec(QStringLiteral("ANALYZE")));

    QString error;
    const QStringList plan = queryPlan(db.connection(), sql, binds, &error);
    QVERIFY2(!plan.isEmpty(), qPrintable(error));
    const QString problem = indexSeekProblem(db.connection(), plan);
    QVERIFY2(problem.isEmpty(), qPrintable(problem + QStringLiteral("\n") + plan.join(QLatin1Char('\n'))));
}

QVT_LINEENTRY_TEST_MAIN(ItemResolutionTest)
#include "tst_itemresolution.moc"
