#include "support/TestDatabase.h"

#include "schema/HostSchema.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QUrl>

namespace {

QAtomicInt connectionCounter;

QString postgresUrl()
{
    return qEnvironmentVariable("QVT_TEST_PG_URL");
}

// A connection to the database named in the URL, or to another database of the same server.
QSqlDatabase addPostgresConnection(const QString &connectionName, const QString &databaseName = QString())
{
    const QUrl url(postgresUrl());
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName);
    db.setHostName(url.host());
    db.setPort(url.port(5432));
    db.setUserName(url.userName());
    db.setPassword(url.password());
    db.setDatabaseName(databaseName.isEmpty() ? url.path().mid(1) : databaseName);
    return db;
}

QString nextConnectionName()
{
    return QStringLiteral("qvt_testdb_%1").arg(connectionCounter.fetchAndAddRelaxed(1));
}

// Runs one statement on a maintenance connection to the server's own test database.
bool execOnServer(const QString &sql, QString *error)
{
    const QString name = nextConnectionName();
    bool ok = false;
    {
        QSqlDatabase server = addPostgresConnection(name);
        if (!server.open()) {
            *error = server.lastError().text();
        } else {
            QSqlQuery query(server);
            ok = query.exec(sql);
            if (!ok)
                *error = query.lastError().text();
        }
        server.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

bool prepareAndExec(QSqlQuery &query, const QString &sql, const QVariantList &binds)
{
    if (!query.prepare(sql))
        return false;
    for (const QVariant &value : binds)
        query.addBindValue(value);
    return query.exec();
}

} // namespace

TestDatabase::TestDatabase(Engine engine, SchemaOption schema) : m_engine(engine)
{
    m_connectionName = nextConnectionName();
    m_valid = engine == Sqlite ? openSqlite() : openPostgres();
    if (m_valid && schema == WithSchema)
        m_valid = applySchema();
}

TestDatabase::~TestDatabase()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        if (db.isValid())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
    if (!m_pgDatabase.isEmpty())
        dropPostgresDatabase();
}

QSqlDatabase TestDatabase::connection() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

bool TestDatabase::openSqlite()
{
    m_dir = std::make_unique<QTemporaryDir>();
    if (!m_dir->isValid()) {
        m_error = QStringLiteral("cannot create a temporary folder: ") + m_dir->errorString();
        return false;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    db.setDatabaseName(m_dir->filePath(QStringLiteral("host.sqlite")));
    if (!db.open()) {
        m_error = db.lastError().text();
        return false;
    }
    return true;
}

bool TestDatabase::openPostgres()
{
    if (postgresUrl().isEmpty()) {
        m_error = QStringLiteral("QVT_TEST_PG_URL is not set");
        return false;
    }
    const QString name = QStringLiteral("qvt_%1_%2")
                             .arg(QCoreApplication::applicationPid())
                             .arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0'));
    if (!createPostgresDatabase(name))
        return false;
    QSqlDatabase db = addPostgresConnection(m_connectionName, name);
    if (!db.open()) {
        m_error = db.lastError().text();
        return false;
    }
    // Notices ("drop cascades to ...") are no news in a test's output.
    return exec(QStringLiteral("SET client_min_messages = warning"));
}

bool TestDatabase::createPostgresDatabase(const QString &name)
{
    if (!execOnServer(QStringLiteral("CREATE DATABASE %1").arg(name), &m_error))
        return false;
    m_pgDatabase = name;
    return true;
}

void TestDatabase::dropPostgresDatabase()
{
    // FORCE ends connections the code under test may have left open (a save connection, say).
    QString error;
    if (!execOnServer(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_pgDatabase), &error))
        qWarning("TestDatabase: cannot drop %s: %s", qPrintable(m_pgDatabase), qPrintable(error));
}

bool TestDatabase::applySchema()
{
    if (!qvtrnsfr::createHostSchema(connection())) {
        m_error = QStringLiteral("the host schema could not be applied (see the log)");
        return false;
    }
    return true;
}

bool TestDatabase::exec(const QString &sql, const QVariantList &binds)
{
    QSqlQuery query(connection());
    // Statements without values run unprepared: PostgreSQL prepares no DDL, ANALYZE or SET.
    const bool ok = binds.isEmpty() ? query.exec(sql) : prepareAndExec(query, sql, binds);
    if (!ok)
        m_error = query.lastError().text() + QStringLiteral(" in: ") + sql;
    return ok;
}

QVariant TestDatabase::scalar(const QString &sql, const QVariantList &binds)
{
    QSqlQuery query(connection());
    const bool ok = binds.isEmpty() ? query.exec(sql) : prepareAndExec(query, sql, binds);
    if (!ok || !query.next()) {
        m_error = query.lastError().text() + QStringLiteral(" in: ") + sql;
        return QVariant();
    }
    return query.value(0);
}

QList<TestDatabase::Engine> TestDatabase::enginesAvailable()
{
    QList<Engine> engines{Sqlite};
    if (isAvailable(Postgres))
        engines.append(Postgres);
    return engines;
}

bool TestDatabase::isAvailable(Engine engine)
{
    return engine == Sqlite || !postgresUrl().isEmpty();
}

QString TestDatabase::engineName(Engine engine)
{
    return engine == Sqlite ? QStringLiteral("sqlite") : QStringLiteral("postgresql");
}

void TestDatabase::addEngineColumn()
{
    QTest::addColumn<TestDatabase::Engine>("engine");
    for (Engine engine : {Sqlite, Postgres})
        QTest::newRow(qPrintable(engineName(engine))) << engine;
}
