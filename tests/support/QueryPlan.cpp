#include "support/QueryPlan.h"

#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>

namespace {

// The statement with each '?' outside quotes replaced by the literal of the next bound value.
QString withLiterals(const QSqlDatabase &db, const QString &sql, const QVariantList &binds)
{
    QString result;
    bool inQuotes = false;
    int next = 0;
    for (const QChar c : sql) {
        inQuotes = inQuotes != (c == QLatin1Char('\''));
        if (c != QLatin1Char('?') || inQuotes || next >= binds.size()) {
            result += c;
            continue;
        }
        QSqlField field(QStringLiteral("v"), binds.at(next).metaType());
        field.setValue(binds.at(next++));
        result += db.driver()->formatValue(field);
    }
    return result;
}

// SQLite: "SCAN x" reads the whole of x, which is fine only where x is a subquery or view that
// the plan builds itself (named by a MATERIALIZE or CO-ROUTINE line). PostgreSQL: "Seq Scan".
QString planProblem(const QStringList &plan, bool postgres)
{
    static const QRegularExpression built(QStringLiteral("^(?:MATERIALIZE|CO-ROUTINE) (\\S+)"));
    static const QRegularExpression scan(QStringLiteral("^SCAN (\\S+)"));
    QStringList subqueries{QStringLiteral("CONSTANT")};
    for (const QString &line : plan)
        subqueries << built.match(line).captured(1);
    bool seeks = false;
    for (const QString &line : plan) {
        const QString scanned = scan.match(line).captured(1);
        if (postgres ? line.contains(QLatin1String("Seq Scan"))
                     : !scanned.isEmpty() && !subqueries.contains(scanned))
            return QStringLiteral("reads a whole table: ") + line.trimmed();
        seeks = seeks || line.contains(QRegularExpression(postgres ? "Index (Only )?Scan" : "^SEARCH "));
    }
    return seeks ? QString() : QStringLiteral("no index seek in the plan");
}

} // namespace

QStringList queryPlan(const QSqlDatabase &db, const QString &sql, const QVariantList &binds, QString *error)
{
    const bool postgres = db.driverName() == QLatin1String("QPSQL");
    QSqlQuery query(db);
    if (!query.exec((postgres ? "EXPLAIN " : "EXPLAIN QUERY PLAN ") + withLiterals(db, sql, binds))) {
        if (error)
            *error = query.lastError().text();
        return {};
    }
    QStringList lines;
    while (query.next())
        lines.append(query.value(postgres ? 0 : 3).toString()); // SQLite: id, parent, notused, detail
    return lines;
}

QString indexSeekProblem(const QSqlDatabase &db, const QStringList &plan)
{
    return plan.isEmpty() ? QStringLiteral("no plan")
                          : planProblem(plan, db.driverName() == QLatin1String("QPSQL"));
}
