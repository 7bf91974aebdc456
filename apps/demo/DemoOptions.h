#pragma once
// The demo host's command line.

#include "DemoData.h"

#include <QCoreApplication>
#include <QString>
#include <optional>

struct DemoOptions {
    QString databaseUrl; // "sqlite:PATH" or "postgresql://user@host:port/dbname"
    QString user = QStringLiteral("demo");
    bool edit = false;
    // Recall this voucher (source location, number) once the form has the focus; implies edit.
    int recallLocation = 0;
    int recallNumber = 0;
    QString screenshotPath; // save a picture of the window and exit
    QString ledgerPdfPath;  // printed ledger vouchers go to this PDF
    bool generate = false;  // fill an empty database with data of the given size and exit
    DemoSize size;
    bool scale = false; // with generate: the scale data instead of the demo data
    ScaleSize scaleSize;
};

// Reads the application's arguments. --help and --version print their text and exit; a bad
// value gives no options and the reason in *error.
std::optional<DemoOptions> parseDemoOptions(const QCoreApplication &app, QString *error);

// The embedded demo database: a SQLite file in the application's data folder (created).
QString defaultDatabaseUrl();
