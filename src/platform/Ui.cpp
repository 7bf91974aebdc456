#include "platform/Ui.h"

#include "platform/NoThrow.h"

#include <QApplication>

namespace qvtrnsfr {

Q_LOGGING_CATEGORY(lcUi, "qvtrnsfr.ui")

namespace {

// Gives the keyboard back to the host window once its box closed, so that the field that had the
// focus before the box has it again at once: window managers reactivate the owner only through
// a queued event, and platforms without one (offscreen) leave the hidden box active. A window
// the user activated meanwhile keeps the keyboard.
void reactivate(QWidget *window, const QMessageBox *box)
{
    const QWidget *active = QApplication::activeWindow();
    if (!window || !window->isVisible() || window->isActiveWindow() ||
        (active && active != box && active->isVisible()))
        return;
    window->activateWindow();
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
    QApplication::setActiveWindow(window);
#endif
}

} // namespace

QWidget *hostWindow(const QWidget *control)
{
    return control ? control->window() : nullptr;
}

QString hostCaption(const QWidget *control)
{
    const QWidget *window = hostWindow(control);
    return window ? window->windowTitle() : QString();
}

void closeHostWindow(const QWidget *control)
{
    if (QWidget *window = hostWindow(control))
        window->close();
}

QMessageBox::StandardButton showMessage(const QWidget *control, QMessageBox::Icon icon, const QString &text,
                                        const QString &title, QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton)
{
    QWidget *window = hostWindow(control);
    QMessageBox box(icon, title.isEmpty() ? hostCaption(control) : title, text, buttons, window);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    const auto answer = static_cast<QMessageBox::StandardButton>(box.exec());
    reactivate(window, &box);
    return answer;
}

BusyCursor::BusyCursor()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyCursor::~BusyCursor()
{
    QGuiApplication::restoreOverrideCursor();
}

} // namespace qvtrnsfr
