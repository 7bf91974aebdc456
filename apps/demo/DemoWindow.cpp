#include "DemoWindow.h"

#include "DemoOptions.h"
#include "companions/DefaultFactory.h"
#include "ctlTransfer.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTimer>
#include <memory>

namespace {

const QString kTitle = QStringLiteral("Velta Transfers");
constexpr int kFocusPollMs = 20;
constexpr int kFocusAttempts = 250;
constexpr int kSettleMs = 300;

} // namespace

DemoWindow::DemoWindow(const QSqlDatabase &db, const DemoOptions &options, QWidget *parent)
    : QMainWindow(parent), m_control(new ctlTransfer(this))
{
    setWindowTitle(kTitle);
    auto factory = std::make_shared<companions::DefaultFactory>();
    factory->setLedgerPdfPath(options.ledgerPdfPath);
    m_control->setCompanionFactory(factory);
    m_control->setConnection(db);
    m_control->setUser(options.user);
    m_control->setAllowEdit(options.edit);
    setCentralWidget(m_control);
    buildMenu();
    buildStatusBar(options);
    resize(sizeHint());
}

void DemoWindow::buildMenu()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    QAction *quit = file->addAction(QStringLiteral("&Quit"));
    quit->setShortcut(QKeySequence::Quit);
    connect(quit, &QAction::triggered, this, &QWidget::close);
}

void DemoWindow::buildStatusBar(const DemoOptions &options)
{
    const QString mode = options.edit ? QStringLiteral("Edit mode") : QStringLiteral("Add mode");
    QString database = options.databaseUrl;
    database.remove(QRegularExpression(QStringLiteral(":[^:@/]*@"))); // no password on screen
    statusBar()->addWidget(new QLabel(QStringLiteral("User: %1").arg(options.user), this));
    statusBar()->addWidget(new QLabel(mode, this));
    statusBar()->addPermanentWidget(new QLabel(database, this));
}

void DemoWindow::takeScreenshot(const QString &path)
{
    QTimer::singleShot(0, this, [this, path] {
        activateWindow();
        m_control->setFocus(Qt::ActiveWindowFocusReason);
        waitForFocus(path, kFocusAttempts);
    });
}

bool DemoWindow::controlHasFocus() const
{
    const QWidget *focus = QApplication::focusWidget();
    return focus && (focus == m_control || m_control->isAncestorOf(focus));
}

void DemoWindow::waitForFocus(const QString &path, int attemptsLeft)
{
    const bool focused = controlHasFocus();
    if (!focused && attemptsLeft > 0) {
        QTimer::singleShot(kFocusPollMs, this,
                           [this, path, attemptsLeft] { waitForFocus(path, attemptsLeft - 1); });
        return;
    }
    // The first focus builds the grid, asks the companions and proposes a number; the repaints
    // it causes run before the picture is taken.
    QTimer::singleShot(kSettleMs, this, [this, path, focused] {
        const bool saved = grab().save(path, "PNG");
        emit screenshotFinished(saved, focused);
    });
}
