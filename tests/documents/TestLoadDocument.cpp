// Recalling saved vouchers in edit mode: leaving the number field, what loading shows, and the
// pick list of saved vouchers.

#include "DocumentFixture.h"

#include "companions/DefaultFactory.h"
#include "grid/LineGrid.h"
#include "support/MessageCatcher.h"

#include <QDate>

class TestLoadDocument : public QObject {
    Q_OBJECT
private slots:
    void numberZeroOrNoneDoesNothing_data();
    void numberZeroOrNoneDoesNothing();
    void unknownNumberKeepsTheFocus_data() { TestDatabase::addEngineColumn(); }
    void unknownNumberKeepsTheFocus();
    void loadShowsNullsAndLedgerLink_data() { TestDatabase::addEngineColumn(); }
    void loadShowsNullsAndLedgerLink();
    void voucherWithoutLines_data() { TestDatabase::addEngineColumn(); }
    void voucherWithoutLines();
    void pickListFillsTheNumber_data();
    void pickListFillsTheNumber();
};

namespace {

// A pick list that records its calls and answers a scripted pick.
struct PickScript {
    QStringList calls;
    QString picked;
    bool available = true;
};

class RecordingPickList : public companions::LookupDialog {
public:
    explicit RecordingPickList(std::shared_ptr<PickScript> script) : m_script(std::move(script)) {}
    void SetFilter(const QString &condition) override { record("SetFilter", condition); }
    void SetTitle(const QString &title) override { record("SetTitle", title); }
    void SetConnection(const QSqlDatabase &db) override { record("SetConnection", db.connectionName()); }
    void SetSource(const QString &source) override { record("SetSource", source); }
    void SetKeyColumn(int column) override { record("SetKeyColumn", QString::number(column)); }
    void SetSearchText(const QString &text) override { record("SetSearchText", text); }
    void SetResultColumn(int column) override { record("SetResultColumn", QString::number(column)); }
    void SetOwner(QWidget *owner) override { record("SetOwner", owner ? owner->windowTitle() : QString()); }
    void ShowList() override { record("ShowList", QString()); }
    QString SelectedValue() const override { return m_script->picked; }

private:
    void record(const char *name, const QString &argument)
    {
        m_script->calls << QStringLiteral("%1(%2)").arg(QLatin1String(name), argument);
    }
    std::shared_ptr<PickScript> m_script;
};

class PickListFactory : public companions::DefaultFactory {
public:
    explicit PickListFactory(std::shared_ptr<PickScript> script) : m_script(std::move(script)) {}
    std::unique_ptr<companions::LookupDialog> createLookupDialog() override
    {
        if (!m_script->available)
            return nullptr;
        return std::make_unique<RecordingPickList>(m_script);
    }

private:
    std::shared_ptr<PickScript> m_script;
};

const QString LinkedColumns =
    QStringLiteral("FromLocID, DocNo, DocDate, ToLocID, Narration, OrdNo, ShowPrice, ReqNo, LinkDetID");

} // namespace

void TestLoadDocument::numberZeroOrNoneDoesNothing_data()
{
    QTest::addColumn<QString>("number");
    QTest::newRow("zero") << "0";
    QTest::newRow("empty") << "";
    QTest::newRow("letters") << "abc";
    QTest::newRow("zero with decimals") << "0.00";
}

// A number field that reads as 0 is left without a reset, a load or a message.
void TestLoadDocument::numberZeroOrNoneDoesNothing()
{
    QFETCH(QString, number);
    QVT_OPEN_DATABASE(db, TestDatabase::Sqlite);
    QVERIFY2(seedMasters(db), qPrintable(db.errorText()));
    QVERIFY(insertHeader(db, QStringLiteral("FromLocID, DocNo, Narration"),
                         {1, 0, QStringLiteral("number zero")}));
    VoucherHost host(db.connection(), true);
    QVERIFY(host.start());
    host.setSource(QStringLiteral("1"));
    host.form().txtNarration->setText(QStringLiteral("typed"));
    host.setLines({{"A-1", "Bolt", "PCS", "1", "2"}});

    MessageCatcher catcher;
    catcher.expectNone();
    host.leaveDocNo(number);
    QCOMPARE(catcher.count(), 0);
    QCOMPARE(host.focusName(), QStringLiteral("txtToLocID"));
    QCOMPARE(host.form().txtNarration->text(), QStringLiteral("typed"));
    QCOMPARE(host.lineRows().size(), 1);
    QVERIFY(!host.form().cmdSave->isEnabled());
}

// A number that exists only for another source location is not found: the user is told, the
// form is left empty and the focus stays in the number field.
void TestLoadDocument::unknownNumberKeepsTheFocus()
{
    QFETCH(TestDatabase::Engine, engine);
    QVT_OPEN_DATABASE(db, engine);
    QVERIFY2(seedMasters(db), qPrintable(db.errorText()));
    QVERIFY(
        insertHeader(db, QStringLiteral("FromLocID, DocNo, Narration"), {2, 7, QStringLiteral("elsewhere")}));
    VoucherHost host(db.connection(), true);
    QVERIFY(host.start());
    host.setSource(QStringLiteral("1"));
    host.form().txtNarration->setText(QStringLiteral("typed"));

    MessageCatcher catcher;
    catcher.answerNext(QMessageBox::Ok);
    host.leaveDocNo(QStringLiteral("7"));
    QCOMPARE(catcher.count(), 1);
    QCOMPARE(catcher.last().text, QStringLiteral("Document not found."));
    QCOMPARE(catcher.last().icon, QMessageBox::Critical);
    QCOMPARE(catcher.last().title, ControlHost::Caption);
    QCOMPARE(host.focusName(), QStringLiteral("txtDocNo"));
    QCOMPARE(host.form().txtDocNo->text(), QStringLiteral("7"));
    QVERIFY(host.form().txtNarration->text().isEmpty());
    QVERIFY(!host.form().cmdSave->isEnabled());
    QVERIFY(!host.form().cmdDelete->isEnabled());

    // A source location that is no number finds no voucher either.
    host.form().txtFromLocID->setText(QStringLiteral("2x"));
    catcher.answerNext(QMessageBox::Ok);
    host.leaveDocNo(QStringLiteral("7"));
    QCOMPARE(catcher.count(), 2);
    QCOMPARE(catcher.last().text, QStringLiteral("Document not found."));
}

// Nulls load as empty fields, "0" for the requisition and the sale price; lines whose item is
// unknown are not shown; the ledger link decides the print button and is remembered.
void TestLoadDocument::loadShowsNullsAndLedgerLink()
{
    QFETCH(TestDatabase::Engine, engine);
    QVT_OPEN_DATABASE(db, engine);
    QVERIFY2(seedMasters(db), qPrintable(db.errorText()));
    QVERIFY(insertHeader(
        db, LinkedColumns,
        {1, 4, QDate(2024, 2, 1), 3, QStringLiteral("linked"), 77, 1, QStringLiteral("R-2"), 17}));
    QVERIFY(insertLine(db, 1, 4, QStringLiteral("A-1"), 2));
    QVERIFY(insertHeader(
        db, LinkedColumns,
        {1, 6, QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant()}));
    QVERIFY(db.exec(
        QStringLiteral("Insert into ICTRAND (FromLocID, DocNo, ItemID, Qty) Values (1, 6, 'C-3', 4.5)")));
    QVERIFY(db.exec(
        QStringLiteral("Insert into ICTRAND (FromLocID, DocNo, ItemID, Qty) Values (1, 6, 'GONE', 1)")));

    VoucherHost host(db.connection(), true);
    QVERIFY(host.start());
    host.setSource(QStringLiteral("1"));
    MessageCatcher catcher;
    catcher.expectNone();
    host.leaveDocNo(QStringLiteral("4"));
    QCOMPARE(host.form().dtpDocDate->date(), QDate(2024, 2, 1));
    QCOMPARE(host.form().txtOrdNo->text(), QStringLiteral("77"));
    QVERIFY(host.form().chkPrice->isChecked());
    QVERIFY(!host.form().grdDetail->isColumnHidden(qvtrnsfr::ColSalePrice));
    QVERIFY(host.form().cmdPrintGLVoucher->isEnabled());
    QCOMPARE(host.state().LedgerLinkId, 17);
    QCOMPARE(host.lineRows(), QStringList{QStringLiteral("A-1|Bolt|PCS|1|2|||0")});

    // Changes not saved are dropped when the same number is left again.
    host.form().txtNarration->setText(QStringLiteral("changed"));
    host.leaveDocNo(QStringLiteral("4"));
    QCOMPARE(host.form().txtNarration->text(), QStringLiteral("linked"));

    host.leaveDocNo(QStringLiteral("6"));
    QCOMPARE(host.form().dtpDocDate->date(), QDate::currentDate());
    QVERIFY(host.form().txtToLocID->text().isEmpty());
    QVERIFY(host.form().txtNarration->text().isEmpty());
    QVERIFY(host.form().txtOrdNo->text().isEmpty());
    QCOMPARE(host.form().txtReqNo->text(), QStringLiteral("0"));
    QVERIFY(!host.form().chkPrice->isChecked());
    QVERIFY(host.form().grdDetail->isColumnHidden(qvtrnsfr::ColSalePrice));
    QVERIFY(!host.form().cmdPrintGLVoucher->isEnabled());
    QCOMPARE(host.state().LedgerLinkId, 17);
    QCOMPARE(host.lineRows(), QStringList{QStringLiteral("C-3|Washer|||4.5|||0")});
    QCOMPARE(host.form().txtTotalQty->text(), QStringLiteral("4.50"));
    QVERIFY(host.form().cmdSave->isEnabled());
    QVERIFY(host.form().cmdDelete->isEnabled());
}

// A header without lines loads with an empty grid and can be saved or deleted.
void TestLoadDocument::voucherWithoutLines()
{
    QFETCH(TestDatabase::Engine, engine);
    QVT_OPEN_DATABASE(db, engine);
    QVERIFY2(seedMasters(db), qPrintable(db.errorText()));
    QVERIFY(insertHeader(db, QStringLiteral("FromLocID, DocNo, ToLocID, Narration"),
                         {3, 2, 1, QStringLiteral("bare")}));
    VoucherHost host(db.connection(), true);
    QVERIFY(host.start());
    host.setSource(QStringLiteral("3"));
    host.setLines({{"A-1", "Bolt", "PCS", "1", "2"}});
    MessageCatcher catcher;
    catcher.expectNone();
    host.leaveDocNo(QStringLiteral("2"));
    QCOMPARE(host.form().txtNarration->text(), QStringLiteral("bare"));
    QCOMPARE(host.form().txtToLocID->text(), QStringLiteral("1"));
    QVERIFY(host.lineRows().isEmpty());
    QCOMPARE(host.form().txtTotalQty->text(), QStringLiteral("0.00"));
    QVERIFY(host.form().cmdSave->isEnabled());
    QVERIFY(host.form().cmdDelete->isEnabled());
}

void TestLoadDocument::pickListFillsTheNumber_data()
{
    QTest::addColumn<bool>("available");
    QTest::addColumn<QString>("picked");
    QTest::addColumn<QString>("expectedNumber");
    QTest::newRow("picked") << true << "12"
                            << "12";
    QTest::newRow("closed without a pick") << true << ""
                                           << "3";
    QTest::newRow("no pick list") << false << "12"
                                  << "3";
}

// The pick list is set up in its order; a pick goes into the number field, and the focus goes
// there in every case, but nothing is loaded until the field is left.
void TestLoadDocument::pickListFillsTheNumber()
{
    QFETCH(bool, available);
    QFETCH(QString, picked);
    QFETCH(QString, expectedNumber);
    QVT_OPEN_DATABASE(db, TestDatabase::Sqlite);
    QVERIFY2(seedMasters(db), qPrintable(db.errorText()));
    QVERIFY(insertHeader(db, QStringLiteral("FromLocID, DocNo, Narration"),
                         {1, 12, QStringLiteral("picked one")}));
    auto script = std::make_shared<PickScript>();
    script->picked = picked;
    script->available = available;
    VoucherHost host(db.connection(), true, std::make_shared<PickListFactory>(script));
    QVERIFY(host.start());
    host.setSource(QStringLiteral("1"));
    host.form().txtDocNo->setText(QStringLiteral("3"));
    host.form().txtNarration->setFocus();

    MessageCatcher catcher;
    catcher.expectNone();
    host.form().cmdFindDoc->click();
    QApplication::processEvents();
    if (available) {
        const QString connection = db.connection().connectionName();
        QCOMPARE(script->calls,
                 (QStringList{"SetFilter()", "SetTitle(Transfers)", "SetConnection(" + connection + ")",
                              "SetSource(ICTRANH)", "SetKeyColumn(1)", "SetSearchText(3)",
                              "SetResultColumn(1)", "SetOwner(Host Caption)", "ShowList()"}));
    }
    QCOMPARE(host.form().txtDocNo->text(), expectedNumber);
    QCOMPARE(host.focusName(), QStringLiteral("txtDocNo"));
    QVERIFY(host.form().txtNarration->text().isEmpty());
    QVERIFY(!host.form().cmdDelete->isEnabled());
}

QVT_DOCUMENTS_TEST_MAIN(TestLoadDocument)
#include "TestLoadDocument.moc"
