#pragma once
// What a database plans to do for a statement, to check that look-ups seek an index.
// SQLite: the detail lines of EXPLAIN QUERY PLAN; PostgreSQL: the lines of EXPLAIN. Bound values
// are written into the statement as literals first, since neither engine explains a statement
// with open parameters; on PostgreSQL the tables should have been ANALYZEd with enough rows for
// the planner's choice to mean something.

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantList>

// The statement with each '?' outside quotes replaced by the literal of the next bound value.
QString withLiterals(const QSqlDatabase &db, const QString &sql, const QVariantList &binds);

// The plan lines, or an empty list with *error set.
QStringList queryPlan(const QSqlDatabase &db, const QString &sql, const QVariantList &binds = {},
                      QString *error = nullptr);

enum class PlanRule {
    SeekOnly,        // every table is reached by an index seek
    OrderedWalkOnly, // or walked in the order of an index or key, as a LIMIT without a sort stops early
};

// Empty when the plan keeps to the rule, otherwise the reason in words.
QString indexSeekProblem(const QSqlDatabase &db, const QStringList &plan, PlanRule rule = PlanRule::SeekOnly);
