#pragma once
// What a database plans for a statement (SQLite's EXPLAIN QUERY PLAN details, PostgreSQL's EXPLAIN,
// bound values written in as literals), to check that look-ups seek an index. PostgreSQL's tables
// should have been ANALYZEd with enough rows for the planner's choice to mean something.

#include <QSqlDatabase>
#include <QStringList>
#include <QVariantList>

// The plan lines, or an empty list with *error set.
QStringList queryPlan(const QSqlDatabase &db, const QString &sql, const QVariantList &binds = {},
                      QString *error = nullptr);

// Empty when every table is reached by an index seek, otherwise the reason in words.
QString indexSeekProblem(const QSqlDatabase &db, const QStringList &plan);
