#include "schema/HostSchema.h"

#include <QFile>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

namespace qvtrnsfr {

namespace {

Q_LOGGING_CATEGORY(lcSchema, "qvtrnsfr.schema")

QString schemaResourceFor(const QSqlDatabase &db)
{
    if (db.driverName() == QLatin1String("QSQLITE"))
        return QStringLiteral(":/qvtrnsfr/schema/sqlite.sql");
    if (db.driverName() == QLatin1String("QPSQL"))
        return QStringLiteral(":/qvtrnsfr/schema/postgresql.sql");
    return QString();
}

bool holdsOnlyComments(const QString &chunk)
{
    const QStringList lines = chunk.split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty() && !trimmed.startsWith(QLatin1String("--")))
            return false;
    }
    return true;
}

// SQLite cannot add a column only if it is missing: "ALTER TABLE t ADD COLUMN c ..." is skipped
// where t has c already.
bool hasColumnAdded(QSqlDatabase &db, const QString &statement)
{
    static const QRegularExpression addColumn(QStringLiteral("^ALTER TABLE (\\w+) ADD COLUMN (\\w+)"),
                                              QRegularExpression::CaseInsensitiveOption |
                                                  QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = addColumn.match(statement);
    if (!match.hasMatch() || db.driverName() != QLatin1String("QSQLITE"))
        return false;
    QSqlQuery columns(db);
    if (!columns.exec(QStringLiteral("PRAGMA table_info(%1)").arg(match.captured(1))))
        return false;
    while (columns.next()) {
        if (columns.value(1).toString().compare(match.captured(2), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool runStatements(QSqlDatabase &db, const QStringList &statements)
{
    for (const QString &statement : statements) {
        if (hasColumnAdded(db, statement))
            continue;
        QSqlQuery query(db);
        if (!query.exec(statement)) {
            qCWarning(lcSchema).noquote() << "schema statement failed:" << query.lastError().text() << "\n"
                                          << statement;
            return false;
        }
    }
    return true;
}

} // namespace

QStringList splitSchemaStatements(const QString &ddl)
{
    static const QRegularExpression separator(QStringLiteral(";;[ \\t\\r]*(\\n|$)"));
    QStringList statements;
    const QStringList chunks = ddl.split(separator);
    for (const QString &chunk : chunks) {
        if (!holdsOnlyComments(chunk))
            statements.append(chunk.trimmed());
    }
    return statements;
}

bool createHostSchema(QSqlDatabase db)
{
    const QString resource = schemaResourceFor(db);
    if (resource.isEmpty()) {
        qCWarning(lcSchema) << "no host schema for the driver" << db.driverName();
        return false;
    }
    if (!db.isOpen()) {
        qCWarning(lcSchema) << "the connection is not open";
        return false;
    }
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qCWarning(lcSchema) << "cannot read" << resource;
        return false;
    }
    const QStringList statements = splitSchemaStatements(QString::fromUtf8(file.readAll()));
    const bool inTransaction = db.transaction();
    // Objects that exist already are skipped; PostgreSQL would say so for each one.
    if (inTransaction && db.driverName() == QLatin1String("QPSQL"))
        runStatements(db, {QStringLiteral("SET LOCAL client_min_messages = warning")});
    if (!runStatements(db, statements)) {
        if (inTransaction)
            db.rollback();
        return false;
    }
    if (inTransaction && !db.commit()) {
        qCWarning(lcSchema) << "commit of the schema failed:" << db.lastError().text();
        return false;
    }
    return true;
}

} // namespace qvtrnsfr
