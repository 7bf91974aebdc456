#include "platform/Ui.h"

#include <QGuiApplication>

namespace qvtrnsfr {

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
    // Give the keyboard back to the host window, as window managers do, so that the field that
    // had the focus before the box has it again (platforms without one leave no window active).
    if (window && window->isVisible() && !window->isActiveWindow())
        window->activateWindow();
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
