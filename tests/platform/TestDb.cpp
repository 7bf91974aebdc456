// The Qt SQL helpers on a real SQLite file; connection URLs also on PostgreSQL (QVT_TEST_PG_URL).
#include "platform/Db.h"

#include <QtTest>

using namespace qvtrnsfr;

class TestDb : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QSqlDatabase m_db;

    static void warns(const char *re) { QTest::ignoreMessage(QtWarningMsg, QRegularExpression(re)); }
    static int countItems(const QSqlDatabase &db)
    {
        Snapshot count;
        return count.open(db, "SELECT COUNT(*) AS n FROM Items") ? count.value("n").toInt() : -1;
    }
private slots:
    void init()
    {
        QString error;
        m_db = openDatabaseUrl("sqlite:" + m_dir.filePath("items.db"), "testdb", &error);
        QVERIFY2(m_db.isOpen(), qPrintable(error));
        QVERIFY(execute(m_db, "CREATE TABLE Items (Code TEXT PRIMARY KEY, Name TEXT, Qty REAL)"));
    }
    void cleanup()
    {
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase("testdb");
        QFile::remove(m_dir.filePath("items.db"));
    }

    void snapshotMovesOverItsRows_data()
    {
        QTest::addColumn<int>("rows");
        QTest::newRow("empty") << 0;
        QTest::newRow("one row") << 1;
        QTest::newRow("many rows") << 25;
    }
    void snapshotMovesOverItsRows()
    {
        QFETCH(int, rows);
        for (int i = 0; i < rows; ++i)
            QVERIFY(execute(m_db, "INSERT INTO Items (Code, Qty) VALUES (?, ?)", {QString("I%1").arg(i), i}));
        const auto code = [&](int row) { return rows ? QString("I%1").arg(row) : QString(); };
        Snapshot snapshot;
        QVERIFY(snapshot.open(m_db, "SELECT Code FROM Items ORDER BY Qty"));
        int seen = 0;
        for (bool onRow = !snapshot.eof(); onRow; onRow = snapshot.next())
            QCOMPARE(snapshot.value("Code").toString(), code(seen++));
        QCOMPARE(seen, rows);
        QVERIFY(!snapshot.next() && snapshot.eof()); // stays past the end
        QCOMPARE(snapshot.last(), rows > 0);
        QCOMPARE(snapshot.value("Code").toString(), code(rows - 1));
        QCOMPARE(snapshot.recordCount(), rows); // counted from the last row, and back on the first
        QCOMPARE(snapshot.value("Code").toString(), code(0));
        QCOMPARE(snapshot.next(), rows > 1);
        QCOMPARE(snapshot.first(), rows > 0);
        QCOMPARE(snapshot.value("Code").toString(), code(0));
    }

    void columnsByNameInAnyCaseAndQuotesAsData()
    {
        const QString hostile = "x'); DROP TABLE Items; --";
        QVERIFY(execute(m_db, "INSERT INTO Items (Code, Name) VALUES (?, ?)", {"O'Brien", hostile}));
        Snapshot snapshot;
        QVERIFY(snapshot.open(m_db, "SELECT Code, Name AS ItemName, Name AS code FROM Items WHERE Code = ?",
                              {"O'Brien"}));
        QCOMPARE(snapshot.value("CODE").toString(), QString("O'Brien")); // the first of two equal names
        QCOMPARE(snapshot.value("itemname").toString(), hostile);
        QVERIFY(!snapshot.hasColumn("Qty") && !snapshot.value("Qty").isValid());
        QCOMPARE(countItems(m_db), 1); // the table is still there
    }

    void preparedStatementIsReusedAndFailuresReturnFalse()
    {
        PreparedStatement insert;
        QVERIFY(insert.prepare(m_db, "INSERT INTO Items (Code, Qty) VALUES (?, ?)"));
        for (int i = 0; i <= 200; ++i)
            QVERIFY(insert.exec({QString("P%1").arg(i), i}));
        warns("exec failed: INSERT INTO Items .*\\[P7, 1\\]");
        QVERIFY(!insert.exec({"P7", 1})); // a duplicate key fails that row only
        QVERIFY(insert.exec({"P201", 201}));
        Snapshot sum;
        QVERIFY(sum.open(m_db, "SELECT SUM(Qty) AS total FROM Items"));
        QCOMPARE(sum.value("total").toInt(), 201 * 202 / 2); // every row once, with its own values
        QSqlError error;
        warns("(prepare|exec) failed: INSERT INTO Missing");
        QVERIFY(!execute(m_db, "INSERT INTO Missing (Code) VALUES (?)", {"A"}, &error));
        QVERIFY2(errorText(error).contains("Missing"), qPrintable(errorText(error)));
        warns("exec failed: SELECT Nothing FROM Items");
        QVERIFY(!sum.open(m_db, "SELECT Nothing FROM Items") && !sum.isOpen());
    }

    // The save's way: a second connection, a transaction on it that rolls back unless committed.
    void clonedConnectionAndTransactionGuard()
    {
        const QStringList before = QSqlDatabase::connectionNames();
        QTest::failOnWarning(QRegularExpression("still in use"));
        for (const bool commit : {false, true}) {
            ClonedConnection clone(m_db);
            QVERIFY(clone.isOpen() && clone.database().connectionName() != m_db.connectionName());
            TransactionGuard guard(clone.database(), true);
            QVERIFY(guard.begin() && execute(clone.database(), "INSERT INTO Items (Code) VALUES ('C1')"));
            QCOMPARE(countItems(clone.database()), 1); // a snapshot was used on it, and it still goes
            QVERIFY(!commit || guard.commit());
        }
        QCOMPARE(QSqlDatabase::connectionNames(), before);
        QCOMPARE(countItems(m_db), 1); // only the committed row
        {
            TransactionGuard inactive(m_db, false);
            QVERIFY(inactive.begin() && execute(m_db, "INSERT INTO Items (Code) VALUES ('C2')"));
        } // nothing to roll back
        QCOMPARE(countItems(m_db), 2);
        QVERIFY(m_db.transaction() && m_db.rollback()); // and no transaction was left open
    }

    // The SQLite form opens in init().
    void openDatabaseUrlOpensOrFails_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("opens");
        QTest::newRow("postgres") << qEnvironmentVariable("QVT_TEST_PG_URL") << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("sqlite without a path") << "sqlite:" << false;
        QTest::newRow("postgres without user") << "postgresql://localhost/qvt" << false;
        QTest::newRow("postgres bad port") << "postgresql://user@localhost:port/db" << false;
        QTest::newRow("postgres nobody listening") << "postgresql://nobody@127.0.0.1:1/none" << false;
    }
    void openDatabaseUrlOpensOrFails()
    {
        QFETCH(QString, url);
        QFETCH(bool, opens);
        if (opens && url.isEmpty())
            QSKIP("QVT_TEST_PG_URL is not set: no PostgreSQL server to open");
        if (!opens)
            warns("open failed: ");
        QString error;
        QSqlDatabase db = openDatabaseUrl(url, "urltest", &error);
        QCOMPARE(QSqlDatabase::contains("urltest"), opens);
        QCOMPARE(error.isEmpty(), opens);
        if (!opens)
            return;
        const QUrl parsed(url);
        QVERIFY(isPostgres(db) && !isPostgres(m_db));
        QCOMPARE(QStringList({db.userName(), db.hostName(), db.databaseName()}),
                 QStringList({parsed.userName(), parsed.host(), parsed.path().mid(1)}));
        QCOMPARE(db.port(), parsed.port());
        {
            Snapshot snapshot; // PostgreSQL folds the unquoted name to lower case
            QVERIFY(snapshot.open(db, "SELECT 41 + ? AS Answer", {1}));
            QCOMPARE(snapshot.value("ANSWER").toInt(), 42);
        }
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase("urltest");
    }
};

QTEST_GUILESS_MAIN(TestDb)
#include "TestDb.moc"
