// The settings store, the user's profile and location rights, the ledger setup and printed
// ledger vouchers, and the control attachment.

#include "companions/ContextAttachment.h"
#include "companions/DefaultFactory.h"
#include "companions/NativeSettingsStore.h"
#include "companions/ProfileLocationRights.h"
#include "support/TestDatabase.h"

#include <QPrintPreviewDialog>
#include <QProcess>
#include <QScopeGuard>
#include <QtTest>

namespace {

QTemporaryDir *settingsHome = nullptr;

std::unique_ptr<companions::SettingsStore> columnWidthStore(const QString &valueName)
{
    auto store = companions::DefaultFactory().createSettingsStore();
    store->SetRootKey(companions::CurrentUserRoot);
    store->SetKeyPath(QStringLiteral("SOFTWARE\\Quorvane\\Settings\\ICTRNCols"));
    store->SetValueName(valueName);
    return store;
}

QString pdfText(const QString &path)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(-1) || pdftotext.exitCode() != 0)
        return QString();
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

} // namespace

class TestCompanions : public QObject {
    Q_OBJECT

private slots:
    void mapsKeyPathsToSettings_data();
    void mapsKeyPathsToSettings();
    void settingsRoundTrip();
    void profileOfKnownAndUnknownUsers_data() { TestDatabase::addEngineColumn(); }
    void profileOfKnownAndUnknownUsers();
    void locationRightsByDirection_data() { TestDatabase::addEngineColumn(); }
    void locationRightsByDirection();
    void ledgerSetupReadsTheFirstRow_data() { TestDatabase::addEngineColumn(); }
    void ledgerSetupReadsTheFirstRow();
    void printedVoucherHoldsTheLedgerRows_data() { TestDatabase::addEngineColumn(); }
    void printedVoucherHoldsTheLedgerRows();
    void voucherPreviewOpensOverTheActiveWindow();
    void attachmentForgetsADestroyedContext();
};

void TestCompanions::mapsKeyPathsToSettings_data()
{
    QTest::addColumn<QString>("root");
    QTest::addColumn<QString>("keyPath");
    QTest::addColumn<QString>("expected"); // scope|organisation|application|group, "" = unusable

    QTest::newRow("column widths") << "HKEY_CURRENT_USER"
                                   << "SOFTWARE\\Quorvane\\Settings\\ICTRNCols"
                                   << "user|Quorvane|Settings|ICTRNCols";
    QTest::newRow("deeper group, short root") << "HKCU"
                                              << "Software\\Org\\App\\A\\B"
                                              << "user|Org|App|A/B";
    QTest::newRow("application itself") << "HKEY_CURRENT_USER"
                                        << "SOFTWARE\\Org\\App\\"
                                        << "user|Org|App|";
    QTest::newRow("machine root") << "HKEY_LOCAL_MACHINE"
                                  << "SOFTWARE\\Org\\App\\X"
                                  << "system|Org|App|X";
    QTest::newRow("unknown root") << "HKEY_USERS"
                                  << "SOFTWARE\\Org\\App\\X"
                                  << "";
    QTest::newRow("not under SOFTWARE") << "HKEY_CURRENT_USER"
                                        << "Control Panel\\Org\\App"
                                        << "";
    QTest::newRow("no application") << "HKEY_CURRENT_USER"
                                    << "SOFTWARE\\Org"
                                    << "";
}

void TestCompanions::mapsKeyPathsToSettings()
{
    QFETCH(QString, root);
    QFETCH(QString, keyPath);
    QFETCH(QString, expected);
    const auto location = companions::settingsLocation(root, keyPath);
    const QString actual = location ? QStringLiteral("%1|%2|%3|%4")
                                          .arg(location->scope == QSettings::UserScope ? "user" : "system",
                                               location->organization, location->application, location->group)
                                    : QString();
    QCOMPARE(actual, expected);
}

void TestCompanions::settingsRoundTrip()
{
    auto writer = columnWidthStore(QStringLiteral("Col3"));
    writer->SetValueText(QStringLiteral("1440"));
    writer->WriteValue();

    QCOMPARE(columnWidthStore(QStringLiteral("Col3"))->ValueText(),
             std::optional<QString>(QStringLiteral("1440")));
    const std::optional<QString> missing = columnWidthStore(QStringLiteral("Col7"))->ValueText();
    QVERIFY(missing.has_value());
    QCOMPARE(*missing, QString());

    // The value is where the native format keeps Quorvane's "Settings", group ICTRNCols.
    QSettings native(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quorvane"),
                     QStringLiteral("Settings"));
    QVERIFY(native.fileName().startsWith(settingsHome->path()));
    QCOMPARE(native.value(QStringLiteral("ICTRNCols/Col3")).toString(), QStringLiteral("1440"));

    auto unusable = columnWidthStore(QStringLiteral("Col3"));
    unusable->SetKeyPath(QStringLiteral("Quorvane\\Settings"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("unusable key"));
    QVERIFY(!unusable->ValueText().has_value());
}

void TestCompanions::profileOfKnownAndUnknownUsers()
{
    QFETCH(TestDatabase::Engine, engine);
    QVT_OPEN_DATABASE(db, engine);
    QVERIFY(db.exec("INSERT INTO UserProfile (UserName, ProfileNo, TrackSerialNo, AllowNegative, DateFixed, "
                    "MayChangeSource, OwnLocID) VALUES (?, ?, ?, ?, ?, ?, ?)",
                    {"ann", 3, true, false, true, false, 4}));
    QVERIFY(db.exec("INSERT INTO UserProfile (UserName, ProfileNo, OwnLocID) VALUES ('bob', NULL, 2)"));

    companions::ProfileLocationRights rights;
    rights.SetConnection(db.connection());
    rights.SetUser("ann");
    rights.LoadProfile();
    QCOMPARE(rights.ProfileNumber(), std::optional<int>(3));
    QCOMPARE(rights.TrackSerialNo(), std::optional<bool>(true));
    QCOMPARE(rights.AllowNegativeInventory(), std::optional<bool>(false));
    QCOMPARE(rights.DateFixed(), std::optional<bool>(true));
    QCOMPARE(rights.MayChangeSource(), std::optional<bool>(false));
    QCOMPARE(rights.OwnLocation(), std::optional<int>(4));

    // Defaults fill what bob's row leaves out; a null number stays unanswered.
    rights.SetUser("bob");
    rights.LoadProfile();
    QCOMPARE(rights.ProfileNumber(), std::nullopt);
    QCOMPARE(rights.MayChangeSource(), std::optional<bool>(true));
    QCOMPARE(rights.OwnLocation(), std::optional<int>(2));

    rights.SetUser("zed");
    rights.LoadProfile();
    QCOMPARE(rights.TrackSerialNo(), std::nullopt);
    QCOMPARE(rights.MayChangeSource(), std::nullopt);
    QCOMPARE(rights.OwnLocation(), std::nullopt);

    rights.SetUser("ann");
    QVERIFY(db.exec("DROP TABLE UserProfile"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("rights: (prepare|query) failed"));
    rights.LoadProfile();
    QCOMPARE(rights.ProfileNumber(), std::nullopt);
    QCOMPARE(rights.DateFixed(), std::nullopt);
}

void TestCompanions::locationRightsByDirection()
{
    QFETCH(TestDatabase::Engine, engine);
    QVT_OPEN_DATABASE(db, engine);
    QVERIFY(
        db.exec("INSERT INTO UserLocRight (UserName, LocID, Direction) VALUES ('ann', 4, 1), ('ann', 5, 2)"));

    auto rights = companions::DefaultFactory().createLocationRights();
    rights->SetConnection(db.connection());
    QCOMPARE(rights->LocationAllowed("ann", 4, 1), std::optional<bool>(true));
    QCOMPARE(rights->LocationAllowed("ann", 4, 2), std::optional<bool>(false));
    QCOMPARE(rights->LocationAllowed("ann", 5, 2), std::optional<bool>(true));
    QCOMPARE(rights->LocationAllowed("ann", 6, 1), std::optional<bool>(false));
    QCOMPARE(rights->LocationAllowed("zed", 4, 1), std::optional<bool>(false));

    QVERIFY(db.exec("DROP TABLE UserLocRight"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("rights: (prepare|query) failed"));
    QCOMPARE(rights->LocationAllowed("ann", 4, 1), std::nullopt);
}

void TestCompanions::ledgerSetupReadsTheFirstRow()
{
    QFETCH(TestDatabase::Engine, engine);
    QVT_OPEN_DATABASE(db, engine);
    companions::DefaultFactory factory;

    auto ledger = factory.createLedgerService();
    ledger->SetConnection(db.connection());
    ledger->LoadSetup();
    QCOMPARE(ledger->TransactionSetting(), std::nullopt);

    QVERIFY(db.exec("INSERT INTO GLSetup (DbID, UseTransaction) VALUES (1, 0)"));
    ledger->LoadSetup();
    QCOMPARE(ledger->TransactionSetting(), std::optional<int>(0));

    QVERIFY(db.exec("UPDATE GLSetup SET UseTransaction = 1"));
    ledger->LoadSetup();
    QCOMPARE(ledger->TransactionSetting(), std::optional<int>(1));

    QVERIFY(db.exec("UPDATE GLSetup SET UseTransaction = NULL"));
    ledger->LoadSetup();
    QCOMPARE(ledger->TransactionSetting(), std::nullopt);
}

void TestCompanions::printedVoucherHoldsTheLedgerRows()
{
    QFETCH(TestDatabase::Engine, engine);
    QVT_OPEN_DATABASE(db, engine);
    // Written out of line order, with a row of another voucher between them.
    QVERIFY(db.exec(
        "INSERT INTO GLTRH (DetID, LineNo, VoucherNo, VoucherDate, AccountID, AccountName, Narration, "
        "Debit, Credit) VALUES "
        "(17, 2, 'JV-0042', '2024-03-05', '2100', 'Stock at Branch', 'Transfer 7 in', 0, 1250.5), "
        "(18, 1, 'JV-0043', '2024-03-06', '9999', 'Suspense', 'Other voucher', 3, 0), "
        "(17, 1, 'JV-0042', '2024-03-05', '1100', 'Stock at Main', 'Transfer 7 out', 1250.5, 0)"));
    QTemporaryDir dir;
    const QString pdf = dir.filePath("voucher.pdf");
    companions::DefaultFactory factory;
    factory.setLedgerPdfPath(pdf);

    auto ledger = factory.createLedgerService();
    ledger->SetConnection(db.connection());
    ledger->LoadSetup();
    ledger->PrintVoucher(17, QStringLiteral("Velta Branch Desk"));

    const QString text = pdfText(pdf);
    QVERIFY2(!text.isEmpty(), "pdftotext read nothing from the written voucher");
    for (const char *expected :
         {"Velta Branch Desk", "JV-0042", "05/03/2024", "Stock at Main", "Transfer 7 in", "1250.50", "Total"})
        QVERIFY2(text.contains(QLatin1String(expected)), expected);
    QVERIFY(text.indexOf("1100") < text.indexOf("2100"));
    QVERIFY(!text.contains("Suspense"));
    QCOMPARE(text.count("1250.50"), 4); // each row once and both totals

    // No rows, nothing printed.
    QFile::remove(pdf);
    QTest::ignoreMessage(QtInfoMsg, QRegularExpression("no rows for the detail id 99"));
    ledger->PrintVoucher(99, QStringLiteral("Velta Branch Desk"));
    QVERIFY(!QFile::exists(pdf));
}

void TestCompanions::voucherPreviewOpensOverTheActiveWindow()
{
    TestDatabase db(TestDatabase::Sqlite);
    QVERIFY2(db.isValid(), qPrintable(db.errorText()));
    QVERIFY(db.exec("INSERT INTO GLTRH (DetID, LineNo, AccountID, Debit) VALUES (5, 1, '1100', 10)"));
    QWidget host;
    host.setWindowTitle("Host");
    host.show();
    QApplication::setActiveWindow(&host);
    QVERIFY(QTest::qWaitForWindowActive(&host));

    bool previewShown = false;
    QWidget *owner = nullptr;
    QTimer::singleShot(0, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        previewShown = qobject_cast<QPrintPreviewDialog *>(modal) != nullptr;
        owner = modal ? modal->parentWidget() : nullptr;
        if (modal)
            modal->close();
    });
    auto ledger = companions::DefaultFactory().createLedgerService();
    ledger->SetConnection(db.connection());
    ledger->PrintVoucher(5, "Host");
    QVERIFY(previewShown);
    QCOMPARE(owner, &host);
}

void TestCompanions::attachmentForgetsADestroyedContext()
{
    auto attachment = companions::DefaultFactory().createControlAttachment();
    auto *context = new QObject;
    attachment->Attach(context);
    auto *kept = dynamic_cast<companions::ContextAttachment *>(attachment.get());
    QVERIFY(kept);
    QCOMPARE(kept->context(), context);
    delete context;
    QCOMPARE(kept->context(), nullptr);
}

int main(int argc, char *argv[])
{
    // Settings go to a folder of this run, never to the user's own.
    QTemporaryDir home;
    settingsHome = &home;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
    QApplication app(argc, argv);
    TestCompanions test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestCompanions.moc"
