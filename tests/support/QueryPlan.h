#pragma once
// What a database plans for a statement, to check that look-ups seek an index: the detail lines of
// SQLite's EXPLAIN QUERY PLAN, or the lines of PostgreSQL's EXPLAIN (whose tables should have been
// ANALYZEd with enough rows for the choice to mean something). Bound values are written into the
// statement as literals, since neither engine explains a statement with open parameters.

#include <QSqlDatabase>
#include <QStringList>
#include <QVariantList>

// The plan lines, or an empty list with *error set.
QStringList queryPlan(const QSqlDatabase &db, const QString &sql, const QVariantList &binds = {},
                      QString *error = nullptr);

// Empty when every table is reached by an index seek, otherwise the reason in words.
QString indexSeekProblem(const QSqlDatabase &db, const QStringList &plan);
