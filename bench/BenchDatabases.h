#pragma once
// Runs a benchmark on a fresh SQLite file and, when QVT_TEST_PG_URL names a server, on a fresh
// database of that server (created for the run and dropped after it), so its rows stay out of
// any other data.

#include "platform/Db.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUrl>
#include <functional>

namespace bench {

using Run = std::function<void(QSqlDatabase db, const QString &engine)>;

inline void runOnSqlite(QTextStream &out, const Run &run)
{
    const QString connection = QStringLiteral("bench_sqlite");
    QTemporaryDir dir;
    QString error;
    {
        QSqlDatabase db = qvtrnsfr::openDatabaseUrl(
            QStringLiteral("sqlite:") + dir.filePath(QStringLiteral("bench.sqlite")), connection, &error);
        if (db.isValid() && db.isOpen())
            run(db, QStringLiteral("SQLite"));
        else
            out << "SQLite: cannot open: " << error << Qt::endl;
    }
    QSqlDatabase::removeDatabase(connection);
}

inline void runOnPostgres(QTextStream &out, const QString &serverUrl, const Run &run)
{
    const QString name = QStringLiteral("qvt_bench_%1").arg(QCoreApplication::applicationPid());
    QString error;
    QSqlDatabase server = qvtrnsfr::openDatabaseUrl(serverUrl, QStringLiteral("bench_server"), &error);
    if (!server.isValid() || !qvtrnsfr::execute(server, QStringLiteral("create database ") + name)) {
        out << "PostgreSQL: cannot create a database: " << error << Qt::endl;
    } else {
        QUrl url(serverUrl);
        url.setPath(QLatin1Char('/') + name);
        {
            QSqlDatabase db = qvtrnsfr::openDatabaseUrl(url.toString(), QStringLiteral("bench_pg"), &error);
            if (db.isValid() && db.isOpen())
                run(db, QStringLiteral("PostgreSQL"));
            else
                out << "PostgreSQL: cannot open: " << error << Qt::endl;
        }
        QSqlDatabase::removeDatabase(QStringLiteral("bench_pg"));
        if (!qvtrnsfr::execute(server,
                               QStringLiteral("drop database ") + name + QStringLiteral(" with (force)")))
            out << "PostgreSQL: the database " << name << " could not be dropped" << Qt::endl;
    }
    server = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("bench_server"));
}

// A second fresh database beside db, on the same engine (a SQLite file in a temporary folder, or
// a database created on the same server and dropped after), for run.
inline void withSecondDatabase(QTextStream &out, const QSqlDatabase &db,
                               const std::function<void(QSqlDatabase second)> &run)
{
    const QString connection = QStringLiteral("bench_second");
    QTemporaryDir dir;
    QString url = QStringLiteral("sqlite:") + dir.filePath(QStringLiteral("second.sqlite"));
    const QString name = db.databaseName() + QStringLiteral("_second");
    const bool postgres = qvtrnsfr::isPostgres(db);
    if (postgres) {
        if (!qvtrnsfr::execute(db, QStringLiteral("create database ") + name)) {
            out << "  the second database cannot be created" << Qt::endl;
            return;
        }
        QUrl server;
        server.setScheme(QStringLiteral("postgresql"));
        server.setUserName(db.userName());
        server.setPassword(db.password());
        server.setHost(db.hostName());
        server.setPort(db.port());
        server.setPath(QLatin1Char('/') + name);
        url = server.toString();
    }
    QString error;
    {
        QSqlDatabase second = qvtrnsfr::openDatabaseUrl(url, connection, &error);
        if (second.isValid() && second.isOpen())
            run(second);
        else
            out << "  the second database cannot be opened: " << error << Qt::endl;
    }
    QSqlDatabase::removeDatabase(connection);
    if (postgres &&
        !qvtrnsfr::execute(db, QStringLiteral("drop database ") + name + QStringLiteral(" with (force)")))
        out << "  the database " << name << " could not be dropped" << Qt::endl;
}

inline void runOnEngines(QTextStream &out, const Run &run)
{
    runOnSqlite(out, run);
    const QString pgUrl = qEnvironmentVariable("QVT_TEST_PG_URL");
    if (pgUrl.isEmpty())
        out << "PostgreSQL: skipped (QVT_TEST_PG_URL is not set)" << Qt::endl;
    else
        runOnPostgres(out, pgUrl, run);
}

} // namespace bench
