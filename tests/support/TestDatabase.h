#pragma once
// A fresh database for one test, with the host schema unless asked otherwise: a SQLite file in a
// temporary folder, or a PostgreSQL database made on the server of QVT_TEST_PG_URL and dropped.

#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QTest>
#include <QVariantList>

class TestDatabase {
public:
    enum Engine { Sqlite, Postgres };
    enum SchemaOption { WithSchema, WithoutSchema };

    explicit TestDatabase(Engine engine, SchemaOption schema = WithSchema);
    ~TestDatabase();

    bool isValid() const { return m_valid; }
    QString errorText() const { return m_error; }
    Engine engine() const { return m_engine; }
    QSqlDatabase connection() const { return QSqlDatabase::database(m_connectionName, false); }
    QString connectionName() const { return m_connectionName; }
    bool exec(const QString &sql, const QVariantList &binds = {});       // false: see errorText()
    QVariant scalar(const QString &sql, const QVariantList &binds = {}); // first value, or invalid
    // The rows of a query: cells joined by '|' ("NULL" for a null), rows by ' '.
    QString rows(const QString &sql, const QVariantList &binds = {});

    static bool isAvailable(Engine e) { return e == Sqlite || !qEnvironmentVariableIsEmpty(UrlVariable); }
    static QList<Engine> enginesAvailable()
    {
        return isAvailable(Postgres) ? QList{Sqlite, Postgres} : QList{Sqlite};
    }
    static QString engineName(Engine engine) { return engine == Sqlite ? "sqlite" : "postgresql"; }
    static constexpr const char *UrlVariable = "QVT_TEST_PG_URL";

private:
    bool open(SchemaOption schema);

    Engine m_engine;
    bool m_valid = false;
    QString m_error;
    QString m_connectionName;
    QString m_pgDatabase;
    QTemporaryDir m_dir;
};

Q_DECLARE_METATYPE(TestDatabase::Engine)

// One row of a data table per engine ("sqlite name", "postgresql name"), the engine in the first
// column; PostgreSQL rows also without a server, where the test skips them.
template <typename... Values> void addEngineRows(const char *name, const Values &...values)
{
    for (const TestDatabase::Engine engine : {TestDatabase::Sqlite, TestDatabase::Postgres})
        ((QTest::addRow("%s %s", qPrintable(TestDatabase::engineName(engine)), name) << engine)
         << ... << values);
}

// The column "engine" with one plain row per engine.
inline void addEngineColumn()
{
    QTest::addColumn<TestDatabase::Engine>("engine");
    for (const TestDatabase::Engine engine : {TestDatabase::Sqlite, TestDatabase::Postgres})
        QTest::newRow(qPrintable(TestDatabase::engineName(engine))) << engine;
}

// The plan lines of the statement, its bound values written in as literals: SQLite's EXPLAIN
// QUERY PLAN details, PostgreSQL's EXPLAIN; or, when analyze is set, PostgreSQL's EXPLAIN ANALYZE
// of the statement prepared with the plan it keeps for any values, as the product runs it. None,
// with *error set, when it cannot be planned.
QStringList queryPlan(const QSqlDatabase &db, const QString &sql, const QVariantList &binds, QString *error,
                      bool analyze = false);

#define QVT_SKIP_UNLESS_AVAILABLE(engine)                                                                    \
    do {                                                                                                     \
        if (!TestDatabase::isAvailable(engine))                                                              \
            QSKIP("PostgreSQL cases need QVT_TEST_PG_URL (scripts/test.sh starts a throw-away server)");     \
    } while (false)

// Opens a fresh database of the engine into the variable name, failing the test when it cannot.
#define QVT_OPEN_DATABASE(name, engine)                                                                      \
    QVT_SKIP_UNLESS_AVAILABLE(engine);                                                                       \
    TestDatabase name(engine);                                                                               \
    QVERIFY2(name.isValid(), qPrintable(name.errorText()))
