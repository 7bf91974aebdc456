// The Qt SQL helpers on a real SQLite file (and PostgreSQL when QVT_TEST_PG_URL names a server):
// snapshots, column names in any case, bound texts, failures, reused statements, the second
// connection of the save, transactions and connection URLs.
#include "platform/Db.h"

#include <QRegularExpression>
#include <QSqlDriver>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace qvtrnsfr;

class TestDb : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void snapshotMovesOverItsRows_data();
    void snapshotMovesOverItsRows();
    void columnsAreFoundByNameInAnyCase();
    void quotesInBoundTextsAreData();
    void failingStatementsAreLoggedAndReported();
    void preparedStatementIsReusedForManyRows();
    void clonedConnectionSeesCommittedDataAndIsRemoved();
    void transactionGuardKeepsOnlyCommittedWork();
    void openDatabaseUrlOpensSqliteAndRejectsGarbage_data();
    void openDatabaseUrlOpensSqliteAndRejectsGarbage();
    void openDatabaseUrlOpensPostgres();

private:
    void insertItems(int count);
    int countItems(const QSqlDatabase &db);

    std::unique_ptr<QTemporaryDir> m_dir;
    QSqlDatabase m_db;
};

void TestDb::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QString error;
    m_db = openDatabaseUrl("sqlite:" + m_dir->filePath("items.db"), "testdb", &error);
    QVERIFY2(m_db.isOpen(), qPrintable(error));
    QVERIFY(execute(m_db, "PRAGMA synchronous = OFF")); // the test needs no durability, only speed
    QVERIFY(execute(m_db, "PRAGMA journal_mode = MEMORY"));
    QVERIFY(execute(m_db, "CREATE TABLE Items (Code TEXT PRIMARY KEY, Name TEXT, Qty REAL)"));
}

void TestDb::cleanup()
{
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase("testdb");
    m_dir.reset();
}

void TestDb::insertItems(int count)
{
    for (int i = 0; i < count; ++i) {
        QVERIFY(execute(m_db, "INSERT INTO Items (Code, Name, Qty) VALUES (?, ?, ?)",
                        {QString("I%1").arg(i), QString("Item %1").arg(i), i * 1.5}));
    }
}

int TestDb::countItems(const QSqlDatabase &db)
{
    Snapshot count;
    if (!count.open(db, "SELECT COUNT(*) AS n FROM Items"))
        return -1;
    return count.value("n").toInt();
}

void TestDb::snapshotMovesOverItsRows_data()
{
    QTest::addColumn<int>("rows");
    QTest::newRow("empty") << 0;
    QTest::newRow("one row") << 1;
    QTest::newRow("many rows") << 25;
}

void TestDb::snapshotMovesOverItsRows()
{
    QFETCH(int, rows);
    insertItems(rows);
    Snapshot snapshot;
    QVERIFY(snapshot.open(m_db, "SELECT Code FROM Items ORDER BY Qty"));
    QVERIFY(snapshot.isOpen());
    QCOMPARE(snapshot.eof(), rows == 0);
    QCOMPARE(snapshot.recordCount(), rows);
    QCOMPARE(snapshot.value("Code").toString(), rows ? QString("I0") : QString());

    int seen = 0;
    for (bool onRow = !snapshot.eof(); onRow; onRow = snapshot.next())
        QCOMPARE(snapshot.value("Code").toString(), QString("I%1").arg(seen++));
    QCOMPARE(seen, rows);
    QVERIFY(snapshot.eof());
    QVERIFY(!snapshot.next()); // stays past the end
    QVERIFY(!snapshot.value("Code").isValid());

    QCOMPARE(snapshot.last(), rows > 0);
    QCOMPARE(snapshot.value("Code").toString(), rows ? QString("I%1").arg(rows - 1) : QString());
    QCOMPARE(snapshot.recordCount(), rows); // from the last row, and back to the first
    QCOMPARE(snapshot.first(), rows > 0);
    QCOMPARE(snapshot.value("Code").toString(), rows ? QString("I0") : QString());

    snapshot.close();
    QVERIFY(!snapshot.isOpen());
    QVERIFY(snapshot.eof());
    QCOMPARE(snapshot.recordCount(), 0);
}

void TestDb::columnsAreFoundByNameInAnyCase()
{
    insertItems(1);
    Snapshot snapshot;
    QVERIFY(snapshot.open(m_db, "SELECT Code, Name AS ItemName, Qty, Name AS code FROM Items"));
    QCOMPARE(snapshot.value("code").toString(), QString("I0")); // the first of two equal names
    QCOMPARE(snapshot.value("CODE").toString(), QString("I0"));
    QCOMPARE(snapshot.value("itemname").toString(), QString("Item 0"));
    QVERIFY(snapshot.hasColumn("QTY"));
    QVERIFY(!snapshot.hasColumn("Price"));
    QVERIFY(!snapshot.value("Price").isValid());

    ForwardReader reader;
    QVERIFY(reader.exec(m_db, "SELECT Code, Name FROM Items"));
    QCOMPARE(reader.columnOf("NAME"), 1);
    QCOMPARE(reader.columnOf("missing"), -1);
    QVERIFY(reader.next());
    QCOMPARE(reader.value("name").toString(), QString("Item 0"));
    QCOMPARE(reader.value(0).toString(), QString("I0"));
    QVERIFY(!reader.next());
}

void TestDb::quotesInBoundTextsAreData()
{
    const QString name = "O'Brien";
    const QString hostile = "x'); DROP TABLE Items; --";
    QVERIFY(execute(m_db, "INSERT INTO Items (Code, Name) VALUES (?, ?)", {name, hostile}));
    Snapshot found;
    QVERIFY(found.open(m_db, "SELECT Code, Name FROM Items WHERE Code = ?", {name}));
    QCOMPARE(found.recordCount(), 1);
    QCOMPARE(found.value("Code").toString(), name);
    QCOMPARE(found.value("Name").toString(), hostile);
    QCOMPARE(countItems(m_db), 1); // the table is still there
}

void TestDb::failingStatementsAreLoggedAndReported()
{
    QSqlError error;
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression("(prepare|exec) failed: INSERT INTO Missing .*no such table"));
    QVERIFY(!execute(m_db, "INSERT INTO Missing (Code) VALUES (?)", {"A"}, &error));
    QVERIFY(error.isValid());
    QVERIFY2(errorText(error).contains("Missing"), qPrintable(errorText(error)));

    Snapshot snapshot;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("exec failed: SELECT Nothing FROM Items"));
    QVERIFY(!snapshot.open(m_db, "SELECT Nothing FROM Items"));
    QVERIFY(!snapshot.isOpen());
    QVERIFY(snapshot.eof());
    QVERIFY(snapshot.lastError().isValid());

    PreparedStatement statement;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("prepare failed: UPDATE Missing"));
    QVERIFY(!statement.prepare(m_db, "UPDATE Missing SET Code = ?"));
    QVERIFY(statement.lastError().isValid());
}

void TestDb::preparedStatementIsReusedForManyRows()
{
    PreparedStatement insert;
    QVERIFY(insert.prepare(m_db, "INSERT INTO Items (Code, Qty) VALUES (?, ?)"));
    double expectedSum = 0;
    for (int i = 0; i < 200; ++i) {
        QVERIFY(insert.exec({QString("P%1").arg(i), double(i)}));
        expectedSum += i;
    }
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("exec failed: INSERT INTO Items .*\\[P7, 1\\]"));
    QVERIFY(!insert.exec({"P7", 1.0})); // a duplicate key fails that row only
    QVERIFY(insert.exec({"P200", 200.0}));
    expectedSum += 200;

    Snapshot sum;
    QVERIFY(sum.open(m_db, "SELECT COUNT(*) AS n, SUM(Qty) AS total FROM Items"));
    QCOMPARE(sum.value("n").toInt(), 201);
    QCOMPARE(sum.value("total").toDouble(), expectedSum);
}

void TestDb::clonedConnectionSeesCommittedDataAndIsRemoved()
{
    insertItems(3);
    const QStringList before = QSqlDatabase::connectionNames();
    QTest::failOnWarning(QRegularExpression("still in use"));
    {
        ClonedConnection clone(m_db);
        QVERIFY(clone.isOpen());
        QCOMPARE(clone.database().driverName(), m_db.driverName());
        QCOMPARE(clone.database().databaseName(), m_db.databaseName());
        QCOMPARE(QSqlDatabase::connectionNames().size(), before.size() + 1);
        QVERIFY(clone.database().connectionName() != m_db.connectionName());
        QCOMPARE(countItems(clone.database()), 3);

        Snapshot leftOpen; // the clone must still go cleanly when a snapshot was used on it
        QVERIFY(leftOpen.open(clone.database(), "SELECT Code FROM Items"));
        leftOpen.close();
        QVERIFY(execute(clone.database(), "INSERT INTO Items (Code) VALUES (?)", {"C1"}));
    }
    QCOMPARE(QSqlDatabase::connectionNames(), before);
    QCOMPARE(countItems(m_db), 4);
}

void TestDb::transactionGuardKeepsOnlyCommittedWork()
{
    {
        TransactionGuard guard(m_db, true);
        QVERIFY(guard.begin());
        QVERIFY(execute(m_db, "INSERT INTO Items (Code) VALUES (?)", {"dropped"}));
        QCOMPARE(countItems(m_db), 1);
    }
    QCOMPARE(countItems(m_db), 0); // not committed: rolled back

    {
        TransactionGuard guard(m_db, true);
        QVERIFY(guard.begin());
        QVERIFY(execute(m_db, "INSERT INTO Items (Code) VALUES (?)", {"kept"}));
        QVERIFY(guard.commit());
    }
    QCOMPARE(countItems(m_db), 1);

    {
        TransactionGuard inactive(m_db, false);
        QVERIFY(inactive.begin());
        QVERIFY(execute(m_db, "INSERT INTO Items (Code) VALUES (?)", {"autocommitted"}));
    } // nothing to roll back
    QCOMPARE(countItems(m_db), 2);
    QVERIFY(m_db.transaction()); // and no transaction was left open
    QVERIFY(m_db.rollback());
}

void TestDb::openDatabaseUrlOpensSqliteAndRejectsGarbage_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("opens");
    QTest::newRow("sqlite file") << "sqlite:" << true; // the path is appended in the test
    QTest::newRow("empty") << "" << false;
    QTest::newRow("sqlite without a path") << "sqlite:" << false;
    QTest::newRow("other scheme") << "mysql://user@localhost/db" << false;
    QTest::newRow("words") << "not a url at all" << false;
    QTest::newRow("postgres without user") << "postgresql://localhost/qvt" << false;
    QTest::newRow("postgres without database") << "postgresql://user@localhost/" << false;
    QTest::newRow("postgres nested path") << "postgresql://user@localhost/a/b" << false;
    QTest::newRow("postgres bad port") << "postgresql://user@localhost:port/db" << false;
    QTest::newRow("postgres nobody listening") << "postgresql://nobody@127.0.0.1:1/none" << false;
}

void TestDb::openDatabaseUrlOpensSqliteAndRejectsGarbage()
{
    QFETCH(QString, url);
    QFETCH(bool, opens);
    if (opens)
        url += m_dir->filePath("other.db");
    else
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("open failed: "));
    QString error;
    QSqlDatabase db = openDatabaseUrl(url, "urltest", &error);
    QCOMPARE(db.isOpen(), opens);
    QCOMPARE(QSqlDatabase::contains("urltest"), opens);
    QCOMPARE(error.isEmpty(), opens);
    if (opens) {
        QCOMPARE(db.driverName(), QString("QSQLITE"));
        QCOMPARE(db.databaseName(), m_dir->filePath("other.db"));
        QVERIFY(!isPostgres(db));
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase("urltest");
    }
}

void TestDb::openDatabaseUrlOpensPostgres()
{
    const QString url = qEnvironmentVariable("QVT_TEST_PG_URL");
    if (url.isEmpty())
        QSKIP("QVT_TEST_PG_URL is not set: no PostgreSQL server to open");
    QString error;
    QSqlDatabase db = openDatabaseUrl(url, "pgtest", &error);
    QVERIFY2(db.isOpen(), qPrintable(error));
    const QUrl parsed(url);
    QCOMPARE(db.driverName(), QString("QPSQL"));
    QCOMPARE(db.hostName(), parsed.host());
    QCOMPARE(db.port(), parsed.port(-1));
    QCOMPARE(db.userName(), parsed.userName());
    QCOMPARE(db.databaseName(), parsed.path().mid(1));
    QVERIFY(isPostgres(db));

    Snapshot snapshot; // PostgreSQL folds the unquoted name to lower case
    QVERIFY(snapshot.open(db, "SELECT 41 + ? AS Answer", {1}));
    QCOMPARE(snapshot.recordCount(), 1);
    QCOMPARE(snapshot.value("ANSWER").toInt(), 42);
    snapshot.close();
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase("pgtest");
}

QTEST_GUILESS_MAIN(TestDb)
#include "TestDb.moc"
