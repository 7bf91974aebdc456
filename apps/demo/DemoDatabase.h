#pragma once
// Getting a database ready for the demo host.

#include "DemoData.h"

#include <QSqlDatabase>
#include <QString>

// Whether the host tables exist in the database.
bool hasHostTables(const QSqlDatabase &db);

// Makes a database ready for the demo: when it has no host tables yet, creates them and writes
// the demo data of the given size. *created tells whether that happened.
bool prepareDemoDatabase(QSqlDatabase db, const DemoSize &size, QString *error, bool *created = nullptr);
