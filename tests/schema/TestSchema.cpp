// The host schema on both engines: it applies (twice, too), rows giving only the named columns fit,
// a header takes its lines with it, the stock view adds up, and what it cannot serve it refuses.

#include "schema/HostSchema.h"
#include "support/TestDatabase.h"

#include <QtSql>
#include <QtTest>

class TestSchema : public QObject {
    Q_OBJECT
    // The rows of a query as "a b c" texts joined by ", ", or the error.
    static QString rows(TestDatabase &db, const QString &sql, const QVariantList &binds = {})
    {
        QSqlQuery query(db.connection());
        const bool prepared = query.prepare(sql);
        for (const QVariant &value : binds)
            query.addBindValue(value);
        if (!prepared || !query.exec())
            return query.lastError().text();
        QStringList rows;
        while (query.next()) {
            QStringList values;
            for (int column = 0; column < query.record().count(); ++column)
                values << query.value(column).toString();
            rows << values.join(' ');
        }
        return rows.join(", ");
    }

private slots:
    void appliesOnEveryEngineAndAgain_data() { addEngineColumn(); }
    void appliesOnEveryEngineAndAgain()
    {
        QFETCH(TestDatabase::Engine, engine);
        QVT_OPEN_DATABASE(db, engine);
        const QStringList tables = db.connection().tables(QSql::AllTables).join(' ').toLower().split(' ');
        for (const char *table : {"icloc", "icitem", "iciteml", "icunit", "icprc", "icpric", "reqh",
                                  "reqstat", "ictranh", "ictrand", "gltrh", "glsetup", "stockmove",
                                  "userprofile", "userlocright", "icitemv", "currentstock"})
            QVERIFY2(tables.contains(table), table);
        QVERIFY(db.exec("INSERT INTO ICLoc (LocID, LocName) VALUES (1, 'Main')"));
        QVERIFY2(qvtrnsfr::createHostSchema(db.connection()),
                 "a second application must leave the tables be");
        QCOMPARE(rows(db, "SELECT LocName FROM ICLoc"), QString("Main"));
    }

    void rowsOfTheNamedColumnsFit_data() { addEngineColumn(); }
    void rowsOfTheNamedColumnsFit()
    {
        QFETCH(TestDatabase::Engine, engine);
        QVT_OPEN_DATABASE(db, engine);
        QVERIFY(db.exec("INSERT INTO UserProfile (UserName) VALUES ('ann')"));
        QVERIFY(db.exec("INSERT INTO GLSetup (DbID) VALUES (3)"));
        QCOMPARE(
            rows(db, "SELECT ProfileNo, CAST(TrackSerialNo AS INTEGER), CAST(AllowNegative AS INTEGER), "
                     "CAST(DateFixed AS INTEGER), CAST(MayChangeSource AS INTEGER), OwnLocID, UseTransaction "
                     "FROM UserProfile, GLSetup"),
            QString("0 0 0 0 1 0 1"));
        // Dates compare as dates: a bound QDate against the stored MoveDate.
        QVERIFY(db.exec("INSERT INTO StockMove (ItemID, LocID, MoveDate, Qty) VALUES ('A', 1, ?, 5)",
                        {QDate(2024, 3, 1)}));
        QCOMPARE(rows(db, "SELECT COUNT(*) FROM StockMove WHERE MoveDate <= ?", {QDate(2024, 3, 1)}), "1");
        QCOMPARE(rows(db, "SELECT COUNT(*) FROM StockMove WHERE MoveDate < ?", {QDate(2024, 3, 1)}), "0");

        // The view: movements plus transfers in, minus transfers out in base units (A: 2 x 1 + 1 x 1
        // to location 2; C out of 1 with no stock there; B from 2 to 1 as 6 x 1; Z has no item row).
        QVERIFY(db.exec(
            "INSERT INTO ICItem (ItemID, Descp) VALUES ('A', 'Apple'), ('B', 'Bolt'), ('C', 'Cord')"));
        QVERIFY(
            db.exec("INSERT INTO StockMove (ItemID, LocID, MoveDate, Qty) VALUES ('A', 1, '2024-01-01', 2), "
                    "('B', 1, '2024-01-01', 4), ('Z', 1, '2024-01-01', 9)"));
        QVERIFY(db.exec(
            "INSERT INTO ICTRANH (FromLocID, DocNo, ToLocID) VALUES (1, 1, 2), (2, 1, 1), (3, 1, 1)"));
        QCOMPARE(rows(db, "SELECT CAST(Posted AS INTEGER) FROM ICTRANH WHERE FromLocID = 3"), QString("0"));
        QVERIFY(
            db.exec("INSERT INTO ICTRAND (FromLocID, DocNo, ItemID, Conver, Qty) VALUES (1, 1, 'A', 2, 1), "
                    "(1, 1, 'A', 1, 1), (1, 1, 'C', 1, 5), (2, 1, 'B', 6, 1), (3, 1, 'B', 1, 1)"));
        // Deleting a header takes its lines with it, and only its own: B is back at 3, where it
        // moved once.
        QVERIFY(db.exec("Delete from ICTRANH Where DocNo=1 and FromLocID=3"));
        QCOMPARE(
            rows(db, "SELECT ItemID, Descp, LocID, CAST(QtyOnHand AS INTEGER) FROM CurrentStock "
                     "ORDER BY LocID, ItemID"),
            QString("A Apple 1 4, B Bolt 1 10, C Cord 1 -5, Z  1 9, A Apple 2 3, B Bolt 2 -6, C Cord 2 5, "
                    "B Bolt 3 0"));
        QCOMPARE(rows(db, "SELECT COUNT(*) FROM ICTRAND"), QString("4"));
    }

    void refusesWhatItCannotServe()
    {
        TestDatabase db(TestDatabase::Sqlite, TestDatabase::WithoutSchema);
        QSqlDatabase c = db.connection();
        c.close();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("the connection is not open"));
        QVERIFY(!qvtrnsfr::createHostSchema(c));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no host schema for the driver"));
        QVERIFY(!qvtrnsfr::createHostSchema(QSqlDatabase()));
        // A failing statement (an index on a column this ICItem lacks) leaves nothing half made.
        QVERIFY(c.open() && db.exec("CREATE TABLE ICItem (Code varchar(30))"));
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("schema statement failed.*ICItem_Undashed",
                                                QRegularExpression::DotMatchesEverythingOption));
        QVERIFY(!qvtrnsfr::createHostSchema(c));
        QVERIFY(!c.tables().contains("ICLoc", Qt::CaseInsensitive));
    }
};

QTEST_GUILESS_MAIN(TestSchema)
#include "TestSchema.moc"
