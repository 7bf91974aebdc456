// qvtdemo: the demo host of the transfer voucher control. Opens a database (by default an
// embedded SQLite file created with demo data on first run) and shows the form on it.

#include "DemoDatabase.h"
#include "DemoOptions.h"
#include "DemoWindow.h"
#include "platform/Db.h"
#include "schema/HostSchema.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <cstdio>
#include <cstring>

namespace {

const QString kConnectionName = QStringLiteral("qvtdemo");

const char kNoDisplay[] =
    "qvtdemo: there is no display (neither DISPLAY nor WAYLAND_DISPLAY is set), so the form cannot be "
    "shown.\n"
    "Run it on a desktop session, or save a picture of the form without one:\n"
    "  qvtdemo --screenshot form.png [--user NAME] [--edit] [--recall LOCATION/NUMBER] [--db URL]\n";

void printLine(const QString &text)
{
    std::fprintf(stderr, "qvtdemo: %s\n", qPrintable(text));
}

bool mentions(int argc, char **argv, const char *option)
{
    const size_t length = std::strlen(option);
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], option, length) == 0 &&
            (argv[i][length] == '\0' || argv[i][length] == '=')) {
            return true;
        }
    }
    return false;
}

// A screenshot always renders offscreen. Without a display, the generator and the help text run
// offscreen too; anything else is refused with a hint, before Qt would abort on the missing display.
bool choosePlatform(int argc, char **argv)
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        return true;
    }
    const bool display =
        !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    const bool headless = mentions(argc, argv, "--generate") || mentions(argc, argv, "--help") ||
                          mentions(argc, argv, "-h") || mentions(argc, argv, "--help-all") ||
                          mentions(argc, argv, "--version") || mentions(argc, argv, "-v");
    if (mentions(argc, argv, "--screenshot") || (!display && headless)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return true;
    }
    if (!display) {
        std::fputs(kNoDisplay, stderr);
        return false;
    }
    return true;
}

// The demo's connection, closed and removed again when the demo ends.
class DemoConnection {
public:
    explicit DemoConnection(const QString &url)
    {
        m_db = qvtrnsfr::openDatabaseUrl(url, kConnectionName, &m_error);
    }
    ~DemoConnection()
    {
        const bool opened = m_db.isValid();
        m_db.close();
        m_db = QSqlDatabase();
        if (opened) {
            QSqlDatabase::removeDatabase(kConnectionName);
        }
    }
    DemoConnection(const DemoConnection &) = delete;
    DemoConnection &operator=(const DemoConnection &) = delete;

    bool isOpen() const { return m_db.isOpen(); }
    QSqlDatabase database() const { return m_db; }
    QString errorText() const { return m_error; }

private:
    QSqlDatabase m_db;
    QString m_error;
};

int runGenerate(const DemoOptions &options)
{
    DemoConnection connection(options.databaseUrl);
    if (!connection.isOpen()) {
        printLine(QStringLiteral("cannot open %1: %2").arg(options.databaseUrl, connection.errorText()));
        return 1;
    }
    QSqlDatabase db = connection.database();
    if (!hasHostTables(db) && !qvtrnsfr::createHostSchema(db)) {
        printLine(QStringLiteral("creating the host tables in %1 failed").arg(options.databaseUrl));
        return 1;
    }
    QElapsedTimer clock;
    clock.start();
    QString error;
    if (options.scale) {
        if (!generateScaleData(db, options.scaleSize, &error)) {
            printLine(error);
            return 1;
        }
        printLine(QStringLiteral("wrote %1 items and %2 vouchers of %3 lines in %4 s")
                      .arg(options.scaleSize.items)
                      .arg(options.scaleSize.vouchers)
                      .arg(ScaleSize::LinesPerVoucher)
                      .arg(double(clock.elapsed()) / 1000.0, 0, 'f', 2));
        return 0;
    }
    if (!generateDemoData(db, options.size, &error)) {
        printLine(error);
        return 1;
    }
    const DemoSize &size = options.size;
    printLine(QStringLiteral("wrote %1 items, %2 vouchers, %3 stock movements and %4 requisitions in %5 s")
                  .arg(size.items)
                  .arg(size.vouchers)
                  .arg(size.movements)
                  .arg(size.requisitions)
                  .arg(double(clock.elapsed()) / 1000.0, 0, 'f', 2));
    return 0;
}

int runForm(QApplication &app, const DemoOptions &options)
{
    DemoConnection connection(options.databaseUrl);
    if (!connection.isOpen()) {
        printLine(QStringLiteral("cannot open %1: %2").arg(options.databaseUrl, connection.errorText()));
        return 1;
    }
    QString error;
    bool created = false;
    if (!prepareDemoDatabase(connection.database(), DemoSize(), &error, &created)) {
        printLine(error);
        return 1;
    }
    if (created) {
        printLine(QStringLiteral("created the demo database in %1").arg(options.databaseUrl));
    }
    DemoWindow window(connection.database(), options);
    if (!options.screenshotPath.isEmpty()) {
        QObject::connect(&window, &DemoWindow::screenshotFinished, &app,
                         [&app, &options](bool saved, bool controlHadFocus, bool recalled) {
                             if (!controlHadFocus) {
                                 printLine(QStringLiteral("the form did not receive the focus"));
                             }
                             if (!recalled) {
                                 printLine(QStringLiteral("the voucher could not be recalled"));
                             }
                             printLine(saved ? QStringLiteral("saved %1").arg(options.screenshotPath)
                                             : QStringLiteral("cannot save %1").arg(options.screenshotPath));
                             app.exit(saved && recalled ? 0 : 1);
                         });
        window.takeScreenshot(options.screenshotPath);
    } else if (options.recallNumber > 0) {
        QObject::connect(&window, &DemoWindow::recallFinished, &app, [](bool recalled) {
            if (!recalled) {
                printLine(QStringLiteral("the voucher could not be recalled"));
            }
        });
        window.startRecall();
    }
    window.show();
    return app.exec();
}

} // namespace

int main(int argc, char *argv[])
{
    if (!choosePlatform(argc, argv)) {
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quorvane"));
    QApplication::setApplicationName(QStringLiteral("qvtdemo"));
    QApplication::setApplicationVersion(QStringLiteral(QVT_VERSION));
    QString error;
    const std::optional<DemoOptions> options = parseDemoOptions(app, &error);
    if (!options) {
        printLine(error);
        return 1;
    }
    return options->generate ? runGenerate(*options) : runForm(app, *options);
}
