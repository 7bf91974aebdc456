#pragma once
// A fresh database for one test: a SQLite file in a temporary folder, or a new PostgreSQL
// database created through the server named by QVT_TEST_PG_URL and dropped again at the end.
// The host schema is applied unless asked otherwise.
//
//     TestDatabase db(TestDatabase::Sqlite);
//     QVERIFY2(db.isValid(), qPrintable(db.errorText()));
//     QSqlDatabase c = db.connection();
//
// Data-driven over both engines:
//
//     void test_data() { TestDatabase::addEngineColumn(); ... }
//     void test() { QFETCH(TestDatabase::Engine, engine); QVT_SKIP_UNLESS_AVAILABLE(engine); ... }

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QTemporaryDir>
#include <QVariantList>
#include <memory>

class TestDatabase {
public:
    enum Engine { Sqlite, Postgres };
    enum SchemaOption { WithSchema, WithoutSchema };

    explicit TestDatabase(Engine engine, SchemaOption schema = WithSchema);
    ~TestDatabase();
    TestDatabase(const TestDatabase &) = delete;
    TestDatabase &operator=(const TestDatabase &) = delete;

    bool isValid() const { return m_valid; }
    QString errorText() const { return m_error; }
    Engine engine() const { return m_engine; }
    QSqlDatabase connection() const;
    QString connectionName() const { return m_connectionName; }

    // Runs one statement on the connection; on failure returns false and keeps the error text.
    bool exec(const QString &sql, const QVariantList &binds = {});
    // The first column of the first row of a query, or an invalid QVariant.
    QVariant scalar(const QString &sql, const QVariantList &binds = {});

    // Sqlite always; Postgres when QVT_TEST_PG_URL is set.
    static QList<Engine> enginesAvailable();
    static bool isAvailable(Engine engine);
    static QString engineName(Engine engine);
    // Adds the column "engine" and one row per engine ("sqlite", "postgresql") to a _data function.
    // The PostgreSQL row is added even without a server, so that the test reports it as skipped.
    static void addEngineColumn();

private:
    bool openSqlite();
    bool openPostgres();
    bool createPostgresDatabase(const QString &name);
    void dropPostgresDatabase();
    bool applySchema();

    Engine m_engine;
    bool m_valid = false;
    QString m_error;
    QString m_connectionName;
    QString m_pgDatabase;
    std::unique_ptr<QTemporaryDir> m_dir;
};

Q_DECLARE_METATYPE(TestDatabase::Engine)

// Skips the current test function when the engine of this data row is not available.
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
