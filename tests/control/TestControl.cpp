// The transfer control as a host sees it: the form, first focus, modes and numbering, column
// widths, totals and price lists.

#include "FakeCompanions.h"
#include "control/TransferControl.h"
#include "grid/LineGrid.h"
#include "grid/PriceList.h"
#include "grid/Totals.h"
#include "support/ControlHost.h"
#include "support/MessageCatcher.h"
#include "support/TestDatabase.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using qvtrnsfr::LineArray;

namespace {

QTemporaryDir *settingsDir()
{
    static QTemporaryDir dir;
    return &dir;
}

std::unique_ptr<LineArray> linesWithQuantities(const QStringList &quantities)
{
    auto lines = std::make_unique<LineArray>();
    lines->Resize(0, int(quantities.size()) - 1, 0, qvtrnsfr::LineColumns - 1);
    for (int row = 0; row < quantities.size(); ++row) {
        lines->SetCell(row, qvtrnsfr::ColItemCode, QStringLiteral("10-00-00-0001"));
        lines->SetCell(row, qvtrnsfr::ColQty, quantities.at(row));
    }
    return lines;
}

std::unique_ptr<QSettings> widthSettings()
{
    auto settings = std::make_unique<QSettings>(QStringLiteral("Quorvane"), QStringLiteral("Settings"));
    settings->beginGroup(QStringLiteral("ICTRNCols"));
    return settings;
}

} // namespace

class TestControl : public QObject {
    Q_OBJECT
public:
    static void initMain() { qputenv("XDG_CONFIG_HOME", settingsDir()->path().toLocal8Bit()); }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init() { widthSettings()->remove(QString()); }

    void shouldLayOutTheFormAsDesigned_data();
    void shouldLayOutTheFormAsDesigned();
    void shouldRunFirstFocusOnceInItsOrder();
    void shouldApplyTheUserProfile_data();
    void shouldApplyTheUserProfile();
    void shouldResetIntoAddMode();
    void shouldResetIntoEditMode();
    void shouldProposeTheNextNumberPerLocation();
    void shouldKeepColumnWidthsPerUser();
    void shouldTotalStoredQuantitiesAndSwitchRequisitionButtons_data();
    void shouldTotalStoredQuantitiesAndSwitchRequisitionButtons();
    void shouldFillPriceListsAndPriceItems();
    void shouldReportAPriceListFailure();
    void shouldKeepARefusedRowOutOfTheLinesAndTotal();
    void shouldKeepItsMinimumSizeAndCloseTheHost();
};

void TestControl::shouldLayOutTheFormAsDesigned_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");
    const auto row = [](const char *name, const char *caption, int l, int t, int w, int h) {
        QTest::newRow(name) << QString::fromLatin1(caption) << QRect(l, t, w, h);
    };
    row("lblSegID", "From Location:", 150, 135, 1050, 195);
    row("cmdFindCC", "", 2550, 135, 315, 315);
    row("txtFromLocID", "", 1350, 135, 1215, 315);
    row("txtFromLocName", "", 3000, 135, 4005, 300);
    row("Label24", "From Req. No.:", 3000, 525, 1080, 195);
    row("Label1", "Document No.:", 150, 540, 1080, 195);
    row("txtReqNo", "", 4125, 525, 915, 285);
    row("cmdRef", "", 5025, 525, 315, 315);
    row("cmdFindPo", "", 5355, 525, 315, 315);
    row("cmdNew", "", 2550, 540, 315, 315);
    row("cmdFindDoc", "", 2550, 540, 315, 315);
    row("txtDocNo", "", 1365, 540, 1215, 285);
    row("Label5", "To Location:", 150, 885, 900, 195);
    row("txtToLocID", "", 1365, 885, 990, 315);
    row("cmdFindLoc", "", 2385, 885, 315, 315);
    row("txtToLocName", "", 3000, 885, 4080, 300);
    row("Label2", "Documnt Date:", 150, 1320, 1080, 195);
    row("dtpDocDate", "", 1365, 1320, 1290, 315);
    row("Label3", "Narration:", 150, 1755, 690, 195);
    row("txtNarration", "", 1365, 1755, 7530, 285);
    row("Label6", "Sales Order No.:", 9075, 1800, 1170, 195);
    row("txtOrdNo", "", 10395, 1770, 1110, 315);
    row("grdDetail", "", 120, 2205, 11400, 3600);
    row("chkScanMode", "Enable Scanning Mode", 150, 5970, 2340, 315);
    row("Label9", "Total Qty.:", 9075, 5970, 735, 195);
    row("txtTotalQty", "0.00", 9975, 5970, 1515, 280);
    row("chkPrice", "Show item pricing using price list", 150, 6345, 2640, 240);
    row("cboPriceList", "", 2850, 6345, 1440, 315);
    row("cmdPrintGLVoucher", "Print Voucher", 6300, 6675, 1365, 315);
    row("cmdSave", "&Save", 7725, 6675, 1215, 315);
    row("cmdDelete", "&Delete", 9000, 6675, 1215, 315);
    row("cmdClose", "&Close", 10275, 6675, 1215, 315);
}

void TestControl::shouldLayOutTheFormAsDesigned()
{
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    ctlTransfer control;
    QWidget *field = control.findChild<QWidget *>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(field);
    QCOMPARE(field->parentWidget(), &control);
    const auto px = [](int t) { return qRound(t / 15.0); };
    QCOMPARE(field->geometry(), QRect(px(twips.x()), px(twips.y()), px(twips.width()), px(twips.height())));
    QString shown;
    if (auto *label = qobject_cast<QLabel *>(field))
        shown = label->text();
    else if (auto *button = qobject_cast<QAbstractButton *>(field))
        shown = button->text();
    else if (auto *edit = qobject_cast<QLineEdit *>(field))
        shown = edit->text();
    QCOMPARE(shown, caption);
    if (auto *button = qobject_cast<QPushButton *>(field); button && caption.isEmpty()) {
        QVERIFY(!button->icon().isNull());
        QVERIFY(!button->toolTip().isEmpty());
    }
}

void TestControl::shouldRunFirstFocusOnceInItsOrder()
{
    QVT_OPEN_DATABASE(db, TestDatabase::Sqlite);
    auto factory = std::make_shared<ScriptedFactory>();
    factory->profile.profileNumber = 7;
    factory->profile.transactionSetting = 1;
    ControlHost host(db.connection(), QStringLiteral("ann"), false, factory);
    QVERIFY(host.show());
    QVERIFY(factory->log.isEmpty());
    host.focusControl();

    const QStringList expected = {QStringLiteral("create inventory"),
                                  QStringLiteral("inventory.SetConnection"),
                                  QStringLiteral("create rights"),
                                  QStringLiteral("rights.SetConnection"),
                                  QStringLiteral("rights.SetUser ann"),
                                  QStringLiteral("rights.LoadProfile"),
                                  QStringLiteral("inventory.SetProfileNumber 7"),
                                  QStringLiteral("create ledger"),
                                  QStringLiteral("ledger.SetConnection"),
                                  QStringLiteral("ledger.LoadSetup"),
                                  QStringLiteral("ledger.released"),
                                  QStringLiteral("create attachment")};
    QCOMPARE(factory->log, expected);
    QVERIFY(host.state()->FocusInitialised);
    QVERIFY(host.state()->UseTransaction);
    QCOMPARE(host.field<QLineEdit>("txtDocNo")->text(), QStringLiteral("1"));

    // Later entries change nothing: no new set-up, no reset, no new number.
    host.field<QLineEdit>("txtNarration")->setText(QStringLiteral("kept"));
    db.exec(QStringLiteral("insert into ICTRANH (FromLocID, DocNo) values (0, 1)"));
    for (int round = 0; round < 2; ++round) {
        host.focusOutside();
        host.focusControl();
    }
    QCOMPARE(factory->log, expected);
    QCOMPARE(factory->attachments, 1);
    QCOMPARE(host.field<QLineEdit>("txtNarration")->text(), QStringLiteral("kept"));
    QCOMPARE(host.field<QLineEdit>("txtDocNo")->text(), QStringLiteral("1"));
}

void TestControl::shouldApplyTheUserProfile_data()
{
    QTest::addColumn<ScriptedProfile>("profile");
    QTest::addColumn<QStringList>("missing");
    QTest::addColumn<QString>("fromLocation");
    QTest::addColumn<bool>("restricted");
    QTest::addColumn<bool>("dateFixed");
    QTest::addColumn<bool>("serials");
    QTest::addColumn<bool>("negative");
    QTest::addColumn<bool>("transaction");
    QTest::addColumn<QString>("proposed");

    ScriptedProfile branch;
    branch.mayChangeSource = false;
    branch.ownLocation = 2;
    branch.dateFixed = true;
    branch.trackSerialNo = true;
    branch.allowNegative = true;
    branch.transactionSetting = 3;
    QTest::newRow("own location, fixed date")
        << branch << QStringList() << "2" << true << true << true << true << true << "42";
    ScriptedProfile open;
    open.mayChangeSource = true;
    open.ownLocation = 2;
    open.dateFixed = false;
    open.trackSerialNo = false;
    open.allowNegative = false;
    open.transactionSetting = 0;
    QTest::newRow("free to choose") << open << QStringList() << "" << false << false << false << false
                                    << false << "1";
    QTest::newRow("unknown user") << ScriptedProfile() << QStringList() << "" << false << false << false
                                  << false << false << "1";
    QTest::newRow("no companions") << branch << QStringList({"rights", "inventory", "ledger", "settings"})
                                   << "" << false << false << false << false << false << "1";
}

void TestControl::shouldApplyTheUserProfile()
{
    QFETCH(ScriptedProfile, profile);
    QFETCH(QStringList, missing);
    QVT_OPEN_DATABASE(db, TestDatabase::Sqlite);
    QVERIFY(
        db.exec(QStringLiteral("insert into ICTRANH (FromLocID, DocNo) values (2, 41), (2, 7), (3, 90)")));
    auto factory = std::make_shared<ScriptedFactory>();
    factory->profile = profile;
    factory->missing = missing;
    ControlHost host(db.connection(), QStringLiteral("bob"), false, factory);
    QVERIFY(host.show());
    host.focusControl();

    auto *from = host.field<QLineEdit>("txtFromLocID");
    QTEST(from->text(), "fromLocation");
    QTEST(!from->isEnabled(), "restricted");
    QTEST(!host.field<QPushButton>("cmdFindCC")->isEnabled(), "restricted");
    QTEST(!host.field<QDateEdit>("dtpDocDate")->isEnabled(), "dateFixed");
    QCOMPARE(host.field<QDateEdit>("dtpDocDate")->date(), QDate::currentDate());
    QTEST(host.state()->TrackSerialNo, "serials");
    QTEST(host.state()->AllowNegativeInventory, "negative");
    QTEST(host.state()->UseTransaction, "transaction");
    QTEST(host.field<QLineEdit>("txtDocNo")->text(), "proposed");
    QVERIFY(host.state()->FocusInitialised);
}

void TestControl::shouldResetIntoAddMode()
{
    QVT_OPEN_DATABASE(db, TestDatabase::Sqlite);
    QVERIFY(db.exec(QStringLiteral("insert into ICTRANH (FromLocID, DocNo) values (1, 4)")));
    ControlHost host(db.connection());
    QVERIFY(host.show());
    host.focusControl();
    auto *docNo = host.field<QLineEdit>("txtDocNo");
    auto *save = host.field<QPushButton>("cmdSave");
    QVERIFY(!docNo->isEnabled());
    QVERIFY(docNo->palette().color(QPalette::Base) !=
            host.field<QLineEdit>("txtNarration")->palette().color(QPalette::Base));
    QVERIFY(host.field<QPushButton>("cmdFindDoc")->isHidden());
    QVERIFY(!host.field<QPushButton>("cmdNew")->isHidden());
    QCOMPARE(save->text(), QStringLiteral("&Add"));
    QVERIFY(save->isEnabled());
    QVERIFY(host.field<QPushButton>("cmdPrintGLVoucher")->isHidden());
    QVERIFY(!host.field<QPushButton>("cmdDelete")->isEnabled());

    // A voucher in progress: cmdNew clears lines, total, destination, date, narration and prices,
    // and keeps the source, the requisition and the sales order; it proposes the source's number.
    host.field<QLineEdit>("txtFromLocID")->setText(QStringLiteral("1"));
    host.state()->replaceLines(linesWithQuantities({QStringLiteral("2"), QStringLiteral("3")}));
    qvtrnsfr::UpdateTotalQty(*host.state());
    host.field<QLineEdit>("txtToLocID")->setText(QStringLiteral("5"));
    host.field<QLineEdit>("txtNarration")->setText(QStringLiteral("to the branch"));
    host.field<QLineEdit>("txtReqNo")->setText(QStringLiteral("9"));
    host.field<QLineEdit>("txtOrdNo")->setText(QStringLiteral("77"));
    host.field<QDateEdit>("dtpDocDate")->setDate(QDate(2020, 1, 1));
    host.field<QCheckBox>("chkPrice")->setChecked(true);
    QVERIFY(!host.field<QPushButton>("cmdRef")->isEnabled());
    QTest::mouseClick(host.field<QPushButton>("cmdNew"), Qt::LeftButton);

    QCOMPARE(host.state()->lineArray().HighBound(1), -1);
    QCOMPARE(host.field<QLineEdit>("txtTotalQty")->text(), QStringLiteral("0.00"));
    QVERIFY(host.field<QPushButton>("cmdRef")->isEnabled());
    QVERIFY(host.field<QPushButton>("cmdFindPo")->isEnabled());
    QCOMPARE(host.field<QLineEdit>("txtToLocID")->text(), QString());
    QCOMPARE(host.field<QLineEdit>("txtNarration")->text(), QString());
    QCOMPARE(host.field<QDateEdit>("dtpDocDate")->date(), QDate::currentDate());
    QVERIFY(!host.field<QCheckBox>("chkPrice")->isChecked());
    QVERIFY(host.field<qvtrnsfr::LineGrid>("grdDetail")->isColumnHidden(qvtrnsfr::ColSalePrice));
    QCOMPARE(host.field<QLineEdit>("txtFromLocID")->text(), QStringLiteral("1"));
    QCOMPARE(host.field<QLineEdit>("txtReqNo")->text(), QStringLiteral("9"));
    QCOMPARE(host.field<QLineEdit>("txtOrdNo")->text(), QStringLiteral("77"));
    QCOMPARE(docNo->text(), QStringLiteral("5"));
}

void TestControl::shouldResetIntoEditMode()
{
    QVT_OPEN_DATABASE(db, TestDatabase::Sqlite);
    ControlHost host(db.connection(), QStringLiteral("demo"), true);
    QVERIFY(host.show());
    host.focusControl();
    auto *docNo = host.field<QLineEdit>("txtDocNo");
    auto *save = host.field<QPushButton>("cmdSave");
    auto *print = host.field<QPushButton>("cmdPrintGLVoucher");
    auto *del = host.field<QPushButton>("cmdDelete");
    QVERIFY(host.field<QPushButton>("cmdNew")->isHidden());
    QVERIFY(!host.field<QPushButton>("cmdFindDoc")->isHidden());
    QVERIFY(docNo->isEnabled());
    QCOMPARE(docNo->text(), QString());
    QCOMPARE(save->text(), QStringLiteral("&Save"));
    QVERIFY(!save->isEnabled());
    QVERIFY(!print->isHidden());
    QVERIFY(!print->isEnabled());

    // The reset keeps the typed number and the states it does not own.
    docNo->setText(QStringLiteral("17"));
    del->setEnabled(true);
    print->setEnabled(true);
    save->setEnabled(true);
    host.state()->ResetForm();
    QCOMPARE(docNo->text(), QStringLiteral("17"));
    QVERIFY(del->isEnabled());
    QVERIFY(print->isEnabled());
    QVERIFY(!save->isEnabled());
}

void TestControl::shouldProposeTheNextNumberPerLocation()
{
    QVT_OPEN_DATABASE(db, TestDatabase::Sqlite);
    QVERIFY(db.exec(QStringLiteral(
        "insert into ICTRANH (FromLocID, DocNo) values (1, 41), (1, 3), (3, 5), (0, 8), (12, 2)")));
    ControlHost host(db.connection());
    QVERIFY(host.show());
    host.focusControl();
    auto *from = host.field<QLineEdit>("txtFromLocID");
    const auto next = [&](const QString &source) {
        from->setText(source);
        return host.state()->NextDocNo();
    };
    QCOMPARE(next(QStringLiteral("1")), 42);
    QCOMPARE(next(QStringLiteral("3")), 6);
    QCOMPARE(next(QStringLiteral("2")), 1);
    QCOMPARE(next(QString()), 9);
    QCOMPARE(next(QStringLiteral("12abc")), 3);
    QCOMPARE(next(QStringLiteral(" 1 2")), 3);

    host.control()->setConnection(QSqlDatabase());
    QCOMPARE(next(QStringLiteral("1")), 0);
    QVERIFY(db.exec(QStringLiteral("drop table ICTRAND")));
    QVERIFY(db.exec(QStringLiteral("drop table ICTRANH")));
    host.control()->setConnection(db.connection());
    QCOMPARE(next(QStringLiteral("1")), 0);
}

void TestControl::shouldKeepColumnWidthsPerUser()
{
    QVT_OPEN_DATABASE(db, TestDatabase::Sqlite);
    {
        // First use: no stored widths, every column 1000 twips wide, "Qty." and "Item Code" included.
        ControlHost host(db.connection());
        QVERIFY(host.show());
        host.focusControl();
        auto *grid = host.field<qvtrnsfr::LineGrid>("grdDetail");
        QCOMPARE(grid->model()->columnCount(), 8);
        for (int column = 0; column < 8; ++column)
            QCOMPARE(grid->columnWidthTwips(column), 1000.0);

        grid->setColumnWidthTwips(qvtrnsfr::ColQty, 1234);
        host.focusOutside();
        auto settings = widthSettings();
        QCOMPARE(settings->childKeys().size(), 8);
        QCOMPARE(settings->value(QStringLiteral("Col4")).toString(), QStringLiteral("1234"));
        QCOMPARE(settings->value(QStringLiteral("Col7")).toString(), QStringLiteral("1000"));
    }
    {
        auto settings = widthSettings();
        settings->setValue(QStringLiteral("Col0"), QStringLiteral("1500.5"));
        settings->setValue(QStringLiteral("Col1"), QStringLiteral("0"));
        settings->setValue(QStringLiteral("Col2"), QString());
        settings->setValue(QStringLiteral("Col3"), QStringLiteral("abc"));
        settings->remove(QStringLiteral("Col5"));
    }
    {
        ControlHost host(db.connection());
        QVERIFY(host.show());
        host.focusControl();
        auto *grid = host.field<qvtrnsfr::LineGrid>("grdDetail");
        const QList<double> expected = {1500.5, 1000, 1000, 1000, 1234, 1000, 1000, 1000};
        for (int column = 0; column < 8; ++column)
            QCOMPARE(grid->columnWidthTwips(column), expected.at(column));
    }
    {
        // Without a settings store the widths of the grid's set-up stay.
        auto factory = std::make_shared<ScriptedFactory>();
        factory->missing = QStringList{QStringLiteral("settings")};
        ControlHost host(db.connection(), QStringLiteral("demo"), false, factory);
        QVERIFY(host.show());
        host.focusControl();
        auto *grid = host.field<qvtrnsfr::LineGrid>("grdDetail");
        QCOMPARE(grid->columnWidthTwips(qvtrnsfr::ColItemCode), 1289.0);
        QCOMPARE(grid->columnWidthTwips(qvtrnsfr::ColQty), 900.0);
    }
}

void TestControl::shouldTotalStoredQuantitiesAndSwitchRequisitionButtons_data()
{
    QTest::addColumn<QStringList>("quantities");
    QTest::addColumn<QString>("total");
    QTest::addColumn<bool>("requisitionButtons");
    QTest::newRow("no lines") << QStringList() << "0.00" << true;
    QTest::newRow("2 and 3.5") << QStringList{"2", "3.5"} << "5.50" << false;
    QTest::newRow("abc and 4") << QStringList{"abc", "4"} << "4.00" << false;
    QTest::newRow("2 and -2") << QStringList{"2", "-2"} << "0.00" << true;
    QTest::newRow("grouped thousands") << QStringList{"1,000", "234.5"} << "1,234.50" << false;
    QTest::newRow("negative") << QStringList{"-3", ""} << "-3.00" << false;
    QTest::newRow("below a cent") << QStringList{"0.004"} << "0.00" << true;
}

void TestControl::shouldTotalStoredQuantitiesAndSwitchRequisitionButtons()
{
    QFETCH(QStringList, quantities);
    QVT_OPEN_DATABASE(db, TestDatabase::Sqlite);
    ControlHost host(db.connection());
    QVERIFY(host.show());
    host.focusControl();
    host.state()->replaceLines(linesWithQuantities({QStringLiteral("9")}));
    qvtrnsfr::UpdateTotalQty(*host.state()); // start from a total that is not 0
    host.state()->replaceLines(linesWithQuantities(quantities));
    qvtrnsfr::UpdateTotalQty(*host.state());
    QTEST(host.field<QLineEdit>("txtTotalQty")->text(), "total");
    QTEST(host.field<QPushButton>("cmdRef")->isEnabled(), "requisitionButtons");
    QTEST(host.field<QPushButton>("cmdFindPo")->isEnabled(), "requisitionButtons");
}

void TestControl::shouldFillPriceListsAndPriceItems()
{
    QVT_OPEN_DATABASE(db, TestDatabase::Sqlite);
    {
        ControlHost host(db.connection());
        QVERIFY(host.show());
        host.focusControl();
        QVERIFY(host.field<QCheckBox>("chkPrice")->isHidden());
        QCOMPARE(host.field<QComboBox>("cboPriceList")->currentIndex(), -1);
    }
    QVERIFY(db.exec(QStringLiteral("insert into icprc (PriceList) values ('B'), ('A  '), ('C')")));
    QVERIFY(db.exec(QStringLiteral("insert into icpric (itemid, pricelist, Price) values "
                                   "('10-00-00-0001', 'A', 12.5), ('10-00-00-0002', 'A', NULL)")));
    ControlHost host(db.connection());
    QVERIFY(host.show());
    host.focusControl();
    auto *lists = host.field<QComboBox>("cboPriceList");
    QCOMPARE(lists->count(), 3);
    QCOMPARE(lists->itemText(0), QStringLiteral("A"));
    QCOMPARE(lists->itemText(1), QStringLiteral("B"));
    QCOMPARE(lists->currentText(), QStringLiteral("C"));
    auto *check = host.field<QCheckBox>("chkPrice");
    QVERIFY(!check->isHidden());

    auto *grid = host.field<qvtrnsfr::LineGrid>("grdDetail");
    QVERIFY(grid->isColumnHidden(qvtrnsfr::ColSalePrice));
    QVERIFY(lists->isHidden());
    check->click();
    QVERIFY(!grid->isColumnHidden(qvtrnsfr::ColSalePrice));
    QVERIFY(!lists->isHidden());
    check->click();
    QVERIFY(grid->isColumnHidden(qvtrnsfr::ColSalePrice));
    QVERIFY(lists->isHidden());

    auto &ctl = *host.state();
    QCOMPARE(qvtrnsfr::GetItemPrice(ctl, QStringLiteral("10-00-00-0001"), QStringLiteral("A")), 12.5);
    QCOMPARE(qvtrnsfr::GetItemPrice(ctl, QStringLiteral("10-00-00-0001"), QStringLiteral("B")), 0.0);
    QCOMPARE(qvtrnsfr::GetItemPrice(ctl, QStringLiteral("10-00-00-0001"), QString()), 0.0);
    QCOMPARE(qvtrnsfr::GetItemPrice(ctl, QStringLiteral("10-00-00-0002"), QStringLiteral("A")), 0.0);
    QCOMPARE(qvtrnsfr::GetItemPrice(ctl, QStringLiteral("10'00"), QStringLiteral("A")), 0.0);
}

void TestControl::shouldReportAPriceListFailure()
{
    QVT_OPEN_DATABASE(db, TestDatabase::Sqlite);
    QVERIFY(db.exec(QStringLiteral("insert into icprc (PriceList) values ('A'), (NULL)")));
    MessageCatcher catcher;
    catcher.answerNext(QMessageBox::Ok, 2);
    {
        ControlHost host(db.connection());
        QVERIFY(host.show());
        host.focusControl();
        QCOMPARE(catcher.count(), 1);
        QCOMPARE(catcher.last().title, QStringLiteral("Error"));
        QCOMPARE(catcher.last().icon, QMessageBox::Critical);
        QCOMPARE(
            catcher.last().text,
            QStringLiteral(
                "Error 94 (Invalid use of Null) in procedure FillPriceList of User Control ctlTransfer"));
        // The check box keeps its visibility and nothing is selected; the form still reset.
        QCOMPARE(host.field<QComboBox>("cboPriceList")->currentIndex(), -1);
        QVERIFY(host.state()->FocusInitialised);
        QCOMPARE(host.field<QLineEdit>("txtDocNo")->text(), QStringLiteral("1"));
    }
    QVERIFY(db.exec(QStringLiteral("drop table icprc")));
    ControlHost host(db.connection());
    QVERIFY(host.show());
    host.focusControl();
    QCOMPARE(catcher.count(), 2);
    QVERIFY(catcher.last().text.startsWith(QStringLiteral("Error ")));
    QVERIFY(catcher.last().text.contains(QStringLiteral("icprc")));
    QVERIFY(catcher.last().text.endsWith(
        QStringLiteral(") in procedure FillPriceList of User Control ctlTransfer")));
}

void TestControl::shouldKeepARefusedRowOutOfTheLinesAndTotal()
{
    QVT_OPEN_DATABASE(db, TestDatabase::Sqlite);
    auto factory = std::make_shared<ScriptedFactory>();
    factory->profile.allowNegative = true; // the line check passes; the refusal below decides
    ControlHost host(db.connection(), QStringLiteral("demo"), false, factory);
    QVERIFY(host.show());
    host.focusControl();
    MessageCatcher catcher;
    catcher.expectNone();
    auto *grid = host.field<qvtrnsfr::LineGrid>("grdDetail");
    bool refuse = true;
    QObject::connect(grid, &qvtrnsfr::LineGrid::rowStoring, grid, [&refuse](bool &cancel) {
        if (refuse)
            cancel = true;
    });
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(0, qvtrnsfr::ColQty));
    grid->setCell(qvtrnsfr::ColItemCode, QStringLiteral("10-00-00-0001"));
    grid->setCell(qvtrnsfr::ColDescription, QStringLiteral("Bolt"));
    grid->setCell(qvtrnsfr::ColUnit, QStringLiteral("PCS"));
    grid->setCell(qvtrnsfr::ColQty, QStringLiteral("5"));
    QVERIFY(!grid->storeCurrentRow());
    QCOMPARE(host.state()->lineArray().HighBound(1), -1);
    QCOMPARE(host.field<QLineEdit>("txtTotalQty")->text(), QStringLiteral("0.00"));

    refuse = false;
    QVERIFY(grid->storeCurrentRow());
    QCOMPARE(host.state()->lineArray().HighBound(1), 0);
    QCOMPARE(host.state()->lineArray().cellText(0, qvtrnsfr::ColQty), QStringLiteral("5"));
    QCOMPARE(host.field<QLineEdit>("txtTotalQty")->text(), QStringLiteral("5.00"));
    QVERIFY(!host.field<QPushButton>("cmdRef")->isEnabled());
    QCOMPARE(catcher.count(), 0);
}

void TestControl::shouldKeepItsMinimumSizeAndCloseTheHost()
{
    {
        ctlTransfer control;
        const auto twips = [](int px) { return px * 15; };
        control.resize(qRound(11000 / 15.0), qRound(8000 / 15.0));
        QCOMPARE(twips(control.width()), 11715);
        QCOMPARE(control.height(), qRound(8000 / 15.0));
        control.resize(800, qRound(5000 / 15.0));
        QCOMPARE(control.size(), QSize(800, 480));
        control.resize(900, 600);
        QCOMPARE(control.size(), QSize(900, 600));
    }
    QVT_OPEN_DATABASE(db, TestDatabase::Sqlite);
    ControlHost host(db.connection());
    QVERIFY(host.show());
    host.focusControl();
    host.state()->replaceLines(linesWithQuantities({QStringLiteral("3")}));
    MessageCatcher catcher;
    catcher.answerNext(QMessageBox::Ok); // the incomplete voucher may be refused by the save
    QSignalSpy added(host.field<QPushButton>("cmdSave"), &QPushButton::clicked);
    host.field<QLineEdit>("txtNarration")->setFocus();
    QTest::keyClick(host.window(), Qt::Key_A, Qt::AltModifier);
    QTRY_COMPARE(added.count(), 1);

    // Closing asks nothing, even with unsaved lines.
    catcher.expectNone();
    const int boxes = catcher.count();
    QTest::keyClick(host.window(), Qt::Key_C, Qt::AltModifier);
    QTRY_VERIFY(!host.window()->isVisible());
    QCOMPARE(catcher.count(), boxes);
}

QTEST_MAIN(TestControl)
#include "TestControl.moc"
