// Deleting a recalled voucher and printing its ledger voucher.

#include "DocumentFixture.h"

#include "companions/DefaultFactory.h"
#include "support/MessageCatcher.h"

#include <QProcess>
#include <QStandardPaths>

class TestDeleteDocument : public QObject {
    Q_OBJECT
private slots:
    void deleteAsksThenResets_data();
    void deleteAsksThenResets();
    void refusedDeleteKeepsTheForm_data() { TestDatabase::addEngineColumn(); }
    void refusedDeleteKeepsTheForm();
    void printWritesTheLedgerRows();
};

namespace {

// Voucher 7 of source 1 (ledger link as given) and of source 2 (link 18), each with one line;
// ledger rows for the details 17 and 18.
bool seedVouchers(TestDatabase &db, const QVariant &link)
{
    const QString columns = QStringLiteral("FromLocID, DocNo, ToLocID, Narration, LinkDetID");
    return insertHeader(db, columns, {1, 7, 2, QStringLiteral("to delete"), link}) &&
           insertHeader(db, columns, {2, 7, 3, QStringLiteral("other source"), 18}) &&
           insertLine(db, 1, 7, QStringLiteral("A-1"), 1) && insertLine(db, 2, 7, QStringLiteral("B-2"), 2) &&
           db.exec(QStringLiteral(
               "Insert into GLTRH (DetID, LineNo, VoucherNo, AccountID, AccountName, Debit, Credit)"
               " Values (17, 1, 'TR-7', '1100', 'Stock in transit', 12.5, 0),"
               " (17, 2, 'TR-7', '1200', 'Main store stock', 0, 12.5),"
               " (18, 1, 'TR-8', '1300', 'Branch stock', 4, 0)"));
}

// Refuses every header delete.
bool refuseHeaderDelete(TestDatabase &db)
{
    if (db.engine() == TestDatabase::Sqlite)
        return db.exec(QStringLiteral("CREATE TRIGGER KeepHeaders BEFORE DELETE ON ICTRANH"
                                      " BEGIN SELECT RAISE(ABORT, 'Headers are kept'); END"));
    return db.exec(QStringLiteral("CREATE FUNCTION keep_headers() RETURNS trigger AS $$ BEGIN"
                                  " RAISE EXCEPTION 'Headers are kept'; END $$ LANGUAGE plpgsql")) &&
           db.exec(QStringLiteral("CREATE TRIGGER KeepHeaders BEFORE DELETE ON ICTRANH"
                                  " FOR EACH ROW EXECUTE FUNCTION keep_headers()"));
}

QString ledgerDetails(TestDatabase &db)
{
    return rowsOf(db, QStringLiteral("Select DetID from GLTRH Order by DetID, LineNo")).join(u',');
}

// A factory that counts the ledger components it makes.
class CountingFactory : public companions::DefaultFactory {
public:
    std::unique_ptr<companions::LedgerService> createLedgerService() override
    {
        ++ledgersMade;
        return companions::DefaultFactory::createLedgerService();
    }
    int ledgersMade = 0;
};

QString pdfText(const QString &path)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    if (!pdftotext.waitForFinished())
        return QString();
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

} // namespace

void TestDeleteDocument::deleteAsksThenResets_data()
{
    QTest::addColumn<TestDatabase::Engine>("engine");
    QTest::addColumn<QVariant>("link");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<QString>("ledgerAfter");
    QTest::addColumn<int>("headersAfter");
    for (const TestDatabase::Engine engine : {TestDatabase::Sqlite, TestDatabase::Postgres}) {
        const QString name = TestDatabase::engineName(engine);
        QTest::newRow(qPrintable(name + " linked"))
            << engine << QVariant(17) << QMessageBox::Yes << "18" << 1;
        QTest::newRow(qPrintable(name + " link 0"))
            << engine << QVariant(0) << QMessageBox::Yes << "17,17,18" << 1;
        QTest::newRow(qPrintable(name + " no link"))
            << engine << QVariant() << QMessageBox::Yes << "17,17,18" << 1;
        QTest::newRow(qPrintable(name + " answered no"))
            << engine << QVariant(17) << QMessageBox::No << "17,17,18" << 2;
    }
}

// The question comes first; on Yes the header goes, with its ledger rows when it is linked, and
// the voucher of the same number at another source stays. Whatever the answer, the form is
// reset, the focus goes to the number field and the delete button is disabled.
void TestDeleteDocument::deleteAsksThenResets()
{
    QFETCH(TestDatabase::Engine, engine);
    QFETCH(QVariant, link);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(QString, ledgerAfter);
    QFETCH(int, headersAfter);
    QVT_OPEN_DATABASE(db, engine);
    QVERIFY2(seedMasters(db), qPrintable(db.errorText()));
    QVERIFY2(seedVouchers(db, link), qPrintable(db.errorText()));
    const QString otherSource = QStringLiteral("Select * from ICTRANH Where FromLocID=2");
    const QStringList otherBefore = rowsOf(db, otherSource);

    VoucherHost host(db.connection(), true);
    QVERIFY(host.start());
    host.setSource(QStringLiteral("1"));
    host.leaveDocNo(QStringLiteral("7"));
    QVERIFY(host.form().cmdDelete->isEnabled());
    QCOMPARE(host.lineRows().size(), 1);

    MessageCatcher catcher;
    catcher.answerNext(answer);
    host.form().cmdDelete->click();
    QCOMPARE(catcher.count(), 1);
    QCOMPARE(catcher.last().text, QStringLiteral("Are you sure you want to delete?"));
    QCOMPARE(catcher.last().title, QStringLiteral("Delete Transfer"));
    QCOMPARE(catcher.last().icon, QMessageBox::Question);
    QCOMPARE(catcher.last().buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(catcher.last().defaultButton, QMessageBox::Yes);

    QCOMPARE(ledgerDetails(db), ledgerAfter);
    QCOMPARE(db.scalar(QStringLiteral("Select count(*) from ICTRANH")).toInt(), headersAfter);
    QCOMPARE(rowsOf(db, otherSource), otherBefore);
    QVERIFY(host.lineRows().isEmpty());
    QVERIFY(host.form().txtNarration->text().isEmpty());
    QCOMPARE(host.focusName(), QStringLiteral("txtDocNo"));
    QVERIFY(!host.form().cmdDelete->isEnabled());
}

// The database refuses the header delete: the ledger rows, deleted first without a transaction,
// are gone, the header stays, and the form is kept as it was.
void TestDeleteDocument::refusedDeleteKeepsTheForm()
{
    QFETCH(TestDatabase::Engine, engine);
    QVT_OPEN_DATABASE(db, engine);
    QVERIFY2(seedMasters(db), qPrintable(db.errorText()));
    QVERIFY2(seedVouchers(db, 17), qPrintable(db.errorText()));
    QVERIFY2(refuseHeaderDelete(db), qPrintable(db.errorText()));
    VoucherHost host(db.connection(), true);
    QVERIFY(host.start());
    host.setSource(QStringLiteral("1"));
    host.leaveDocNo(QStringLiteral("7"));

    MessageCatcher catcher;
    catcher.answerNext(QMessageBox::Yes);
    catcher.answerNext(QMessageBox::Ok);
    host.form().cmdDelete->click();
    QCOMPARE(catcher.count(), 2);
    QCOMPARE(catcher.last().title, QStringLiteral("Delete Error"));
    QCOMPARE(catcher.last().icon, QMessageBox::Critical);
    QVERIFY2(catcher.last().text.contains(QStringLiteral("Headers are kept")),
             qPrintable(catcher.last().text));
    QCOMPARE(ledgerDetails(db), QStringLiteral("18"));
    QCOMPARE(db.scalar(QStringLiteral("Select count(*) from ICTRANH")).toInt(), 2);
    QCOMPARE(host.lineRows().size(), 1);
    QCOMPARE(host.form().txtNarration->text(), QStringLiteral("to delete"));
    QVERIFY(host.form().cmdDelete->isEnabled());
}

// Each click hands the loaded voucher's ledger link and the window's caption at that moment to
// a ledger component of its own, which writes the voucher with the linked rows only.
void TestDeleteDocument::printWritesTheLedgerRows()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is needed to read the printed voucher");
    QVT_OPEN_DATABASE(db, TestDatabase::Sqlite);
    QVERIFY2(seedMasters(db), qPrintable(db.errorText()));
    QVERIFY2(seedVouchers(db, 17), qPrintable(db.errorText()));
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("voucher.pdf"));
    auto factory = std::make_shared<CountingFactory>();
    factory->setLedgerPdfPath(pdf);
    VoucherHost host(db.connection(), true, factory);
    QVERIFY(host.start());
    host.setSource(QStringLiteral("1"));
    host.leaveDocNo(QStringLiteral("7"));
    QVERIFY(host.form().cmdPrintGLVoucher->isEnabled());
    const int madeBefore = factory->ledgersMade;

    host.form().cmdPrintGLVoucher->click();
    QString text = pdfText(pdf);
    QVERIFY2(text.contains(QStringLiteral("Stock in transit")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Main store stock")));
    QVERIFY(!text.contains(QStringLiteral("Branch stock")));
    QVERIFY(text.contains(ControlHost::Caption));

    QVERIFY(QFile::remove(pdf));
    host.window()->setWindowTitle(QStringLiteral("Renamed Host"));
    host.form().cmdPrintGLVoucher->click();
    text = pdfText(pdf);
    QVERIFY2(text.contains(QStringLiteral("Renamed Host")), qPrintable(text));
    QCOMPARE(factory->ledgersMade - madeBefore, 2);
}

QVT_DOCUMENTS_TEST_MAIN(TestDeleteDocument)
#include "TestDeleteDocument.moc"
