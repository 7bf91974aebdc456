#include "DemoWindow.h"

#include "DemoOptions.h"
#include "companions/DefaultFactory.h"
#include "ctlTransfer.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
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
    m_recallLocation = options.recallLocation;
    m_recallNumber = options.recallNumber;
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
    QMenu *options = menuBar()->addMenu(QStringLiteral("&Options"));
    QAction *merge = options->addAction(QStringLiteral("&Merge Repeated Scans"));
    merge->setCheckable(true);
    merge->setChecked(m_control->MergeRepeatedScans());
    connect(merge, &QAction::toggled, m_control, &ctlTransfer::setMergeRepeatedScans);
    QAction *drafts = options->addAction(QStringLiteral("&Keep Drafts"));
    drafts->setCheckable(true);
    drafts->setChecked(m_control->KeepDrafts());
    connect(drafts, &QAction::toggled, m_control, &ctlTransfer::setKeepDrafts);
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
    whenFocused(
        [this, path](bool focused) {
            const bool recalled = recallVoucher();
            // The first focus builds the grid, asks the companions and proposes a number; the
            // repaints it causes run before the picture is taken.
            QTimer::singleShot(kSettleMs, this, [this, path, focused, recalled] {
                const bool saved = grab().save(path, "PNG");
                emit screenshotFinished(saved, focused, recalled);
            });
        },
        kFocusAttempts);
}

void DemoWindow::startRecall()
{
    whenFocused([this](bool) { emit recallFinished(recallVoucher()); }, kFocusAttempts);
}

bool DemoWindow::controlHasFocus() const
{
    const QWidget *focus = QApplication::focusWidget();
    return focus && (focus == m_control || m_control->isAncestorOf(focus));
}

void DemoWindow::whenFocused(const std::function<void(bool focused)> &then, int attemptsLeft)
{
    if (attemptsLeft == kFocusAttempts) {
        QTimer::singleShot(0, this, [this, then, attemptsLeft] {
            activateWindow();
            m_control->setFocus(Qt::ActiveWindowFocusReason);
            whenFocused(then, attemptsLeft - 1);
        });
        return;
    }
    const bool focused = controlHasFocus();
    if (!focused && attemptsLeft > 0) {
        QTimer::singleShot(kFocusPollMs, this,
                           [this, then, attemptsLeft] { whenFocused(then, attemptsLeft - 1); });
        return;
    }
    then(focused);
}

namespace {

// Tab on the widget that has the focus, as the keyboard gives it; what it runs is done on return.
void pressTab()
{
    QWidget *focus = QApplication::focusWidget();
    if (!focus) {
        return;
    }
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(focus, &press);
    if (QWidget *after = QApplication::focusWidget()) {
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(after, &release);
    }
    QCoreApplication::processEvents();
}

} // namespace

// Types the source and the number into the form as a user would, leaving each field with Tab so
// that its check runs (leaving the number recalls the voucher), then tabs through the destination
// so that its name shows too. A message box coming up on the way (no such voucher, a refused
// location) is closed, and the recall has failed.
bool DemoWindow::recallVoucher()
{
    if (m_recallNumber == 0) {
        return true;
    }
    auto *from = m_control->findChild<QLineEdit *>(QStringLiteral("txtFromLocID"));
    auto *number = m_control->findChild<QLineEdit *>(QStringLiteral("txtDocNo"));
    auto *to = m_control->findChild<QLineEdit *>(QStringLiteral("txtToLocID"));
    if (!from || !number || !to || !number->isEnabled()) {
        return false;
    }
    bool refused = false;
    QTimer closer; // runs only inside a message box's own event loop
    connect(&closer, &QTimer::timeout, this, [&refused] {
        if (QWidget *box = QApplication::activeModalWidget()) {
            refused = true;
            box->close();
        }
    });
    closer.start(kFocusPollMs);
    if (from->isEnabled()) {
        from->setFocus(Qt::TabFocusReason);
        from->setText(QString::number(m_recallLocation));
        pressTab();
    }
    number->setFocus(Qt::TabFocusReason);
    number->setText(QString::number(m_recallNumber));
    pressTab();
    if (QApplication::focusWidget() == to) {
        pressTab();
    }
    return !refused && !to->text().isEmpty();
}
