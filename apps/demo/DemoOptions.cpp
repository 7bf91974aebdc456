#include "DemoOptions.h"

#include <QCommandLineParser>
#include <QDir>
#include <QStandardPaths>

namespace {

const QString kDatabaseFile = QStringLiteral("velta-demo.sqlite");

// A row count option: a whole number, 0 or more.
bool readCount(const QCommandLineParser &parser, const QCommandLineOption &option, int *count, QString *error)
{
    if (!parser.isSet(option)) {
        return true;
    }
    bool ok = false;
    const int value = parser.value(option).toInt(&ok);
    if (!ok || value < 0) {
        *error = QStringLiteral("--%1 takes a whole number of rows, not \"%2\"")
                     .arg(option.names().constFirst(), parser.value(option));
        return false;
    }
    *count = value;
    return true;
}

// A voucher to recall: "LOCATION/NUMBER", two whole numbers above 0.
bool readRecall(const QCommandLineParser &parser, const QCommandLineOption &option, DemoOptions *options,
                QString *error)
{
    if (!parser.isSet(option)) {
        return true;
    }
    const QStringList parts = parser.value(option).split(QLatin1Char('/'));
    bool locationOk = false;
    bool numberOk = false;
    const int location = parts.size() == 2 ? parts.at(0).toInt(&locationOk) : 0;
    const int number = parts.size() == 2 ? parts.at(1).toInt(&numberOk) : 0;
    if (!locationOk || !numberOk || location <= 0 || number <= 0) {
        *error = QStringLiteral("--recall takes LOCATION/NUMBER, such as 1/1, not \"%1\"")
                     .arg(parser.value(option));
        return false;
    }
    options->recallLocation = location;
    options->recallNumber = number;
    options->edit = true;
    return true;
}

} // namespace

std::optional<DemoOptions> parseDemoOptions(const QCoreApplication &app, QString *error)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Velta Transfers demo: the transfer voucher form on a demo database."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption db(
        QStringLiteral("db"),
        QStringLiteral("Database URL: sqlite:PATH or postgresql://user@host:port/dbname "
                       "(default: the embedded demo database)."),
        QStringLiteral("URL"));
    const QCommandLineOption user(QStringLiteral("user"), QStringLiteral("Signed-in user (default: demo)."),
                                  QStringLiteral("NAME"), QStringLiteral("demo"));
    const QCommandLineOption edit(QStringLiteral("edit"),
                                  QStringLiteral("Edit mode: recall saved vouchers."));
    const QCommandLineOption recall(
        QStringLiteral("recall"),
        QStringLiteral("Edit mode: recall voucher NUMBER of source LOCATION once the form has the focus."),
        QStringLiteral("LOCATION/NUMBER"));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Save a picture of the window to FILE.png and exit."),
                                        QStringLiteral("FILE"));
    const QCommandLineOption pdf(QStringLiteral("pdf"),
                                 QStringLiteral("Write printed ledger vouchers to this PDF file."),
                                 QStringLiteral("FILE"));
    const QCommandLineOption generate(QStringLiteral("generate"),
                                      QStringLiteral("Fill an empty database with demo data and exit."));
    const QCommandLineOption scale(
        QStringLiteral("scale"),
        QStringLiteral("With --generate: a warehouse's size (100,000 items, 50,000 vouchers of 20 lines) "
                       "for the benchmarks instead of the demo data."));
    const QCommandLineOption items(QStringLiteral("items"), QStringLiteral("Items to generate."),
                                   QStringLiteral("N"));
    const QCommandLineOption vouchers(QStringLiteral("vouchers"), QStringLiteral("Vouchers to generate."),
                                      QStringLiteral("N"));
    const QCommandLineOption movements(QStringLiteral("movements"),
                                       QStringLiteral("Stock movements to generate."), QStringLiteral("N"));
    const QCommandLineOption requisitions(QStringLiteral("requisitions"),
                                          QStringLiteral("Requisitions to generate."), QStringLiteral("N"));
    parser.addOptions(
        {db, user, edit, recall, screenshot, pdf, generate, scale, items, vouchers, movements, requisitions});
    parser.process(app);

    DemoOptions options;
    options.databaseUrl = parser.isSet(db) ? parser.value(db) : defaultDatabaseUrl();
    options.user = parser.value(user);
    options.edit = parser.isSet(edit);
    if (!readRecall(parser, recall, &options, error)) {
        return std::nullopt;
    }
    options.screenshotPath = parser.value(screenshot);
    options.ledgerPdfPath = parser.value(pdf);
    options.generate = parser.isSet(generate);
    options.scale = parser.isSet(scale);
    int *itemCount = options.scale ? &options.scaleSize.items : &options.size.items;
    int *voucherCount = options.scale ? &options.scaleSize.vouchers : &options.size.vouchers;
    if (!readCount(parser, items, itemCount, error) || !readCount(parser, vouchers, voucherCount, error) ||
        !readCount(parser, movements, &options.size.movements, error) ||
        !readCount(parser, requisitions, &options.size.requisitions, error)) {
        return std::nullopt;
    }
    const bool sized = parser.isSet(items) || parser.isSet(vouchers) || parser.isSet(movements) ||
                       parser.isSet(requisitions);
    if ((sized || options.scale) && !options.generate) {
        *error =
            QStringLiteral("--scale, --items, --vouchers, --movements and --requisitions go with --generate");
        return std::nullopt;
    }
    if (options.scale && (parser.isSet(movements) || parser.isSet(requisitions))) {
        *error = QStringLiteral("the scale data is sized by --items and --vouchers only");
        return std::nullopt;
    }
    if (options.scale && options.scaleSize.items == 0 && options.scaleSize.vouchers > 0) {
        *error = QStringLiteral("vouchers need items");
        return std::nullopt;
    }
    if (!parser.positionalArguments().isEmpty()) {
        *error = QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().constFirst());
        return std::nullopt;
    }
    return options;
}

QString defaultDatabaseUrl()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    return QStringLiteral("sqlite:") + QDir(folder).filePath(kDatabaseFile);
}
