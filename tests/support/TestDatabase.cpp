#include "support/TestDatabase.h"

#include "schema/HostSchema.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QRandomGenerator>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>

namespace {

QAtomicInt connectionCounter;

// A connection to a database of the server named in the URL (by default the URL's own).
QSqlDatabase addPostgres(const QString &connectionName, const QString &databaseName = {})
{
    const QUrl url(qEnvironmentVariable(TestDatabase::UrlVariable));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName);
    db.setHostName(url.host());
    db.setPort(url.port(5432));
    db.setUserName(url.userName());
    db.setPassword(url.password());
    db.setDatabaseName(databaseName.isEmpty() ? url.path().mid(1) : databaseName);
    return db;
}

// Runs a statement with its values, or unprepared without: PostgreSQL prepares no DDL or SET.
bool run(QSqlQuery &query, const QString &sql, const QVariantList &binds, QString *error)
{
    bool ok = binds.isEmpty() ? query.exec(sql) : query.prepare(sql);
    for (const QVariant &value : binds)
        query.addBindValue(value);
    ok = ok && (binds.isEmpty() || query.exec());
    if (!ok)
        *error = query.lastError().text() + QStringLiteral(" in: ") + sql;
    return ok;
}

// Runs one statement on a maintenance connection to the server's own database.
bool onServer(const QString &sql, QString *error)
{
    const QString name = QStringLiteral("qvt_server_%1").arg(connectionCounter.fetchAndAddRelaxed(1));
    bool ok = false;
    if (QSqlDatabase server = addPostgres(name); server.open()) {
        QSqlQuery query(server);
        ok = run(query, sql, {}, error);
    } else {
        *error = server.lastError().text();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

} // namespace

TestDatabase::TestDatabase(Engine engine, SchemaOption schema)
    : m_engine(engine),
      m_connectionName(QStringLiteral("qvt_testdb_%1").arg(connectionCounter.fetchAndAddRelaxed(1)))
{
    m_valid = open(schema);
}

bool TestDatabase::open(SchemaOption schema)
{
    const QString name = QStringLiteral("qvt_%1_%2")
                             .arg(QCoreApplication::applicationPid())
                             .arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0'));
    m_error = QStringLiteral("QVT_TEST_PG_URL is not set");
    if (m_engine == Postgres && (!isAvailable(Postgres) || !onServer("CREATE DATABASE " + name, &m_error)))
        return false;
    if (m_engine == Postgres)
        m_pgDatabase = name;
    QSqlDatabase db = m_engine == Sqlite
                          ? QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName)
                          : addPostgres(m_connectionName, name);
    if (m_engine == Sqlite)
        db.setDatabaseName(m_dir.filePath(QStringLiteral("host.sqlite")));
    m_error = QStringLiteral("the host schema could not be applied (see the log)");
    if (!db.open())
        m_error = db.lastError().text();
    // Notices ("drop cascades to ...") are no news in a test's output.
    return db.isOpen() && (m_engine == Sqlite || exec(QStringLiteral("SET client_min_messages = warning"))) &&
           (schema == WithoutSchema || qvtrnsfr::createHostSchema(db));
}

TestDatabase::~TestDatabase()
{
    if (QSqlDatabase db = connection(); db.isValid())
        db.close();
    QSqlDatabase::removeDatabase(m_connectionName);
    // FORCE ends connections the code under test may have left open (a save connection, say).
    if (!m_pgDatabase.isEmpty() &&
        !onServer("DROP DATABASE IF EXISTS " + m_pgDatabase + " WITH (FORCE)", &m_error))
        qWarning("TestDatabase: cannot drop %s: %s", qPrintable(m_pgDatabase), qPrintable(m_error));
}

bool TestDatabase::exec(const QString &sql, const QVariantList &binds)
{
    QSqlQuery query(connection());
    return run(query, sql, binds, &m_error);
}

QVariant TestDatabase::scalar(const QString &sql, const QVariantList &binds)
{
    QSqlQuery query(connection());
    if (run(query, sql, binds, &m_error) && query.next())
        return query.value(0);
    m_error += QStringLiteral(" (no row)");
    return {};
}

QString TestDatabase::rows(const QString &sql, const QVariantList &binds)
{
    QSqlQuery query(connection());
    if (!run(query, sql, binds, &m_error))
        return "failed: " + m_error;
    QStringList rows;
    while (query.next()) {
        QStringList cells;
        for (int i = 0; i < query.record().count(); ++i)
            cells << (query.isNull(i) ? QStringLiteral("NULL") : query.value(i).toString());
        rows << cells.join('|');
    }
    return rows.join(' ');
}

QStringList queryPlan(const QSqlDatabase &db, const QString &sql, const QVariantList &binds, QString *error,
                      bool analyze)
{
    const bool postgres = db.driverName() == "QPSQL";
    const bool prepared = postgres && analyze;
    QString text; // each '?' outside quotes replaced by the next value, or by $n when prepared
    QStringList values;
    bool inQuotes = false;
    for (const QChar c : sql) {
        inQuotes = inQuotes != (c == '\'');
        if (c != '?' || inQuotes || values.size() >= binds.size()) {
            text += c;
            continue;
        }
        QSqlField field("v", binds.at(values.size()).metaType());
        field.setValue(binds.at(values.size()));
        values << db.driver()->formatValue(field);
        text += prepared ? QString("$%1").arg(values.size()) : values.last();
    }
    // PostgreSQL's EXPLAIN ANALYZE runs the statement as the product runs it: prepared, with the
    // plan the server keeps for any values.
    QSqlQuery query(db);
    const bool explained = prepared
                               ? query.exec("SET plan_cache_mode = force_generic_plan") &&
                                     query.exec("PREPARE planned AS " + text) &&
                                     query.exec("EXPLAIN ANALYZE EXECUTE planned(" + values.join(", ") + ")")
                               : query.exec((postgres ? "EXPLAIN " : "EXPLAIN QUERY PLAN ") + text);
    if (!explained)
        *error = query.lastError().text();
    QStringList lines;
    while (query.next())
        lines << query.value(postgres ? 0 : 3).toString(); // SQLite: id, parent, notused, detail
    if (prepared) {
        QSqlQuery(db).exec("DEALLOCATE planned");
        QSqlQuery(db).exec("RESET plan_cache_mode");
    }
    return lines;
}
