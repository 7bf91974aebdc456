#include "support/QueryPlan.h"

#include <QRegularExpression>
#include <QSet>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>

namespace {

bool isPostgres(const QSqlDatabase &db)
{
    return db.driverName() == QLatin1String("QPSQL");
}

QString literal(const QSqlDatabase &db, const QVariant &value)
{
    QSqlField field(QStringLiteral("v"), value.metaType());
    field.setValue(value);
    return db.driver()->formatValue(field);
}

// SQLite: a line "SCAN x" reads the whole of x, which is fine only where x is a subquery or view
// that the plan builds itself (named by a MATERIALIZE or CO-ROUTINE line).
QString sqliteProblem(const QStringList &plan, PlanRule rule)
{
    if (rule == PlanRule::OrderedWalkOnly) {
        const bool sorts = plan.contains(QStringLiteral("USE TEMP B-TREE FOR ORDER BY"));
        return sorts ? QStringLiteral("sorts instead of walking an index in order") : QString();
    }
    static const QRegularExpression built(QStringLiteral("^(?:MATERIALIZE|CO-ROUTINE) (\\S+)"));
    static const QRegularExpression scan(QStringLiteral("^SCAN (\\S+)"));
    QSet<QString> subqueries;
    for (const QString &line : plan) {
        const QRegularExpressionMatch m = built.match(line);
        if (m.hasMatch())
            subqueries.insert(m.captured(1));
    }
    bool seeks = false;
    for (const QString &line : plan) {
        const QRegularExpressionMatch m = scan.match(line);
        if (m.hasMatch() && !subqueries.contains(m.captured(1)) && m.captured(1) != QLatin1String("CONSTANT"))
            return QStringLiteral("reads a whole table or index: ") + line;
        seeks = seeks || line.startsWith(QLatin1String("SEARCH "));
    }
    return seeks ? QString() : QStringLiteral("no index seek in the plan");
}

QString postgresProblem(const QStringList &plan)
{
    bool seeks = false;
    for (const QString &line : plan) {
        if (line.contains(QLatin1String("Seq Scan")))
            return QStringLiteral("reads a whole table: ") + line.trimmed();
        seeks = seeks || line.contains(QLatin1String("Index Scan")) ||
                line.contains(QLatin1String("Index Only Scan"));
    }
    return seeks ? QString() : QStringLiteral("no index scan in the plan");
}

} // namespace

QString withLiterals(const QSqlDatabase &db, const QString &sql, const QVariantList &binds)
{
    QString result;
    bool inQuotes = false;
    int next = 0;
    for (const QChar c : sql) {
        if (c == QLatin1Char('\''))
            inQuotes = !inQuotes;
        if (c == QLatin1Char('?') && !inQuotes && next < binds.size())
            result += literal(db, binds.at(next++));
        else
            result += c;
    }
    return result;
}

QStringList queryPlan(const QSqlDatabase &db, const QString &sql, const QVariantList &binds, QString *error)
{
    const QString prefix =
        isPostgres(db) ? QStringLiteral("EXPLAIN ") : QStringLiteral("EXPLAIN QUERY PLAN ");
    QSqlQuery query(db);
    if (!query.exec(prefix + withLiterals(db, sql, binds))) {
        if (error)
            *error = query.lastError().text();
        return {};
    }
    const int column = isPostgres(db) ? 0 : 3; // SQLite: id, parent, notused, detail
    QStringList lines;
    while (query.next())
        lines.append(query.value(column).toString());
    return lines;
}

QString indexSeekProblem(const QSqlDatabase &db, const QStringList &plan, PlanRule rule)
{
    if (plan.isEmpty())
        return QStringLiteral("no plan");
    // PostgreSQL names an index walk an Index Scan too, so one rule serves both there.
    return isPostgres(db) ? postgresProblem(plan) : sqliteProblem(plan, rule);
}
