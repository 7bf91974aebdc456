// The host schema: how the DDL is split, that it applies on both engines (twice, too), that rows
// giving only the named columns fit, that a header takes its lines with it, and what the stock
// view adds up.

#include "schema/HostSchema.h"
#include "support/TestDatabase.h"

#include <QSqlQuery>
#include <QtTest>

class TestSchema : public QObject {
    Q_OBJECT

private slots:
    void splitsStatementsAtDoubleSemicolonLines_data();
    void splitsStatementsAtDoubleSemicolonLines();
    void appliesOnEveryEngineAndAgain_data() { TestDatabase::addEngineColumn(); }
    void appliesOnEveryEngineAndAgain();
    void refusesConnectionsItCannotServe();
    void fillsUnnamedColumnsWithDefaults_data() { TestDatabase::addEngineColumn(); }
    void fillsUnnamedColumnsWithDefaults();
    void deletingAHeaderDeletesItsLines_data() { TestDatabase::addEngineColumn(); }
    void deletingAHeaderDeletesItsLines();
    void currentStockAddsMovementsAndTransfers_data() { TestDatabase::addEngineColumn(); }
    void currentStockAddsMovementsAndTransfers();
};

void TestSchema::splitsStatementsAtDoubleSemicolonLines_data()
{
    QTest::addColumn<QString>("ddl");
    QTest::addColumn<QStringList>("statements");

    QTest::newRow("two statements") << "CREATE TABLE a (x int);;\nCREATE TABLE b (y int);;\n"
                                    << QStringList{"CREATE TABLE a (x int)", "CREATE TABLE b (y int)"};
    QTest::newRow("comments go with their statement, alone they go")
        << "-- heading\nCREATE TABLE a (x int);;\n-- trailing note\n"
        << QStringList{"-- heading\nCREATE TABLE a (x int)"};
    QTest::newRow("trigger body keeps its semicolons")
        << "CREATE TRIGGER t AFTER DELETE ON a\nBEGIN\n    DELETE FROM b;\nEND;;\n"
        << QStringList{"CREATE TRIGGER t AFTER DELETE ON a\nBEGIN\n    DELETE FROM b;\nEND"};
    QTest::newRow("trailing blanks and last line without newline")
        << "SELECT 1;;  \r\nSELECT ';;x';;" << QStringList{"SELECT 1", "SELECT ';;x'"};
    QTest::newRow("nothing") << "\n-- only words\n" << QStringList{};
}

void TestSchema::splitsStatementsAtDoubleSemicolonLines()
{
    QFETCH(QString, ddl);
    QFETCH(QStringList, statements);
    QCOMPARE(qvtrnsfr::splitSchemaStatements(ddl), statements);
}

void TestSchema::appliesOnEveryEngineAndAgain()
{
    QFETCH(TestDatabase::Engine, engine);
    QVT_OPEN_DATABASE(db, engine);
    QSqlDatabase c = db.connection();

    QStringList tables;
    for (const QString &table : c.tables(QSql::AllTables))
        tables.append(table.toLower());
    const QStringList expected{"icloc",   "icitem",      "icitemL",   "icunit",      "icprc",
                               "icpric",  "reqh",        "reqstat",   "ictranh",     "ictrand",
                               "gltrh",   "glsetup",     "stockmove", "userprofile", "userlocright",
                               "icitemv", "currentstock"};
    for (const QString &table : expected)
        QVERIFY2(tables.contains(table.toLower()), qPrintable(table));

    QVERIFY(db.exec("INSERT INTO ICLoc (LocID, LocName) VALUES (1, 'Main')"));
    QVERIFY2(qvtrnsfr::createHostSchema(c), "a second application must leave the tables be");
    QCOMPARE(db.scalar("SELECT COUNT(*) FROM ICLoc").toInt(), 1);
}

void TestSchema::refusesConnectionsItCannotServe()
{
    TestDatabase db(TestDatabase::Sqlite, TestDatabase::WithoutSchema);
    QVERIFY2(db.isValid(), qPrintable(db.errorText()));
    QSqlDatabase c = db.connection();
    c.close();
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("the connection is not open"));
    QVERIFY(!qvtrnsfr::createHostSchema(c));

    QSqlDatabase none;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no host schema for the driver"));
    QVERIFY(!qvtrnsfr::createHostSchema(none));

    // A failing statement (an index on a column this ICItem lacks) ends the run with false and
    // leaves nothing half made.
    QVERIFY(c.open());
    QVERIFY(db.exec("CREATE TABLE ICItem (Code varchar(30))"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("schema statement failed.*ICItem_Undashed",
                                                          QRegularExpression::DotMatchesEverythingOption));
    QVERIFY(!qvtrnsfr::createHostSchema(c));
    QVERIFY(!c.tables().contains("ICLoc", Qt::CaseInsensitive));
}

void TestSchema::fillsUnnamedColumnsWithDefaults()
{
    QFETCH(TestDatabase::Engine, engine);
    QVT_OPEN_DATABASE(db, engine);

    QVERIFY2(db.exec("INSERT INTO UserProfile (UserName) VALUES ('ann')"), qPrintable(db.errorText()));
    QSqlQuery q(db.connection());
    QVERIFY(q.exec("SELECT ProfileNo, TrackSerialNo, AllowNegative, DateFixed, MayChangeSource, OwnLocID "
                   "FROM UserProfile"));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), 0);
    QCOMPARE(q.value(1).toBool(), false);
    QCOMPARE(q.value(2).toBool(), false);
    QCOMPARE(q.value(3).toBool(), false);
    QCOMPARE(q.value(4).toBool(), true);
    QCOMPARE(q.value(5).toInt(), 0);

    QVERIFY2(db.exec("INSERT INTO ICTRANH (FromLocID, DocNo) VALUES (1, 1)"), qPrintable(db.errorText()));
    QCOMPARE(db.scalar("SELECT Posted FROM ICTRANH").toBool(), false);
    QVERIFY2(db.exec("INSERT INTO GLSetup (DbID) VALUES (3)"), qPrintable(db.errorText()));
    QCOMPARE(db.scalar("SELECT UseTransaction FROM GLSetup").toInt(), 1);
    QVERIFY2(db.exec("INSERT INTO StockMove (ItemID, LocID, MoveDate, Qty) VALUES ('A', 1, ?, 5)",
                     {QDate(2024, 3, 1)}),
             qPrintable(db.errorText()));
    QCOMPARE(db.scalar("SELECT COUNT(*) FROM StockMove WHERE MoveDate <= ?", {QDate(2024, 3, 1)}).toInt(), 1);
    QCOMPARE(db.scalar("SELECT COUNT(*) FROM StockMove WHERE MoveDate < ?", {QDate(2024, 3, 1)}).toInt(), 0);
}

void TestSchema::deletingAHeaderDeletesItsLines()
{
    QFETCH(TestDatabase::Engine, engine);
    QVT_OPEN_DATABASE(db, engine);

    QVERIFY(db.exec("INSERT INTO ICTRANH (FromLocID, DocNo) VALUES (1, 7), (2, 7)"));
    QVERIFY(
        db.exec("INSERT INTO ICTRAND (FromLocID, DocNo, ItemID, Qty) VALUES (1, 7, 'A', 1), (1, 7, 'B', 2), "
                "(2, 7, 'A', 3)"));
    QVERIFY(db.exec("Delete from ICTRANH Where DocNo=7 and FromLocID=1"));
    QCOMPARE(db.scalar("SELECT COUNT(*) FROM ICTRAND WHERE FromLocID = 1").toInt(), 0);
    QCOMPARE(db.scalar("SELECT COUNT(*) FROM ICTRAND WHERE FromLocID = 2").toInt(), 1);
}

void TestSchema::currentStockAddsMovementsAndTransfers()
{
    QFETCH(TestDatabase::Engine, engine);
    QVT_OPEN_DATABASE(db, engine);

    QVERIFY(
        db.exec("INSERT INTO ICItem (ItemID, Descp) VALUES ('A', 'Apple'), ('B', 'Bolt'), ('C', 'Cord')"));
    QVERIFY(db.exec("INSERT INTO StockMove (ItemID, LocID, MoveDate, Qty) VALUES "
                    "('A', 1, '2024-01-01', 10), ('A', 1, '2024-01-02', -3), ('B', 1, '2024-01-01', 4), "
                    "('Z', 1, '2024-01-01', 9)"));
    // A to location 2 in two units, C moved out of 1 with no stock there, B from 2 to 1.
    QVERIFY(db.exec("INSERT INTO ICTRANH (FromLocID, DocNo, ToLocID) VALUES (1, 1, 2), (2, 1, 1)"));
    QVERIFY(db.exec("INSERT INTO ICTRAND (FromLocID, DocNo, ItemID, Conver, Qty) VALUES "
                    "(1, 1, 'A', 2, 1), (1, 1, 'A', 1, 1), (1, 1, 'C', 1, 5), (2, 1, 'B', 6, 1)"));

    QSqlQuery q(db.connection());
    QVERIFY(q.exec("SELECT ItemID, Descp, LocID, QtyOnHand FROM CurrentStock ORDER BY LocID, ItemID"));
    QStringList rows;
    while (q.next()) {
        rows.append(QStringLiteral("%1 %2 %3 %4")
                        .arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString())
                        .arg(q.value(3).toDouble()));
    }
    const QStringList expected{"A Apple 1 4", "B Bolt 1 10", "C Cord 1 -5", "Z  1 9",
                               "A Apple 2 3", "B Bolt 2 -6", "C Cord 2 5"};
    QCOMPARE(rows, expected);
}

QTEST_GUILESS_MAIN(TestSchema)
#include "TestSchema.moc"
