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
    QMessageBox box(icon, title.isEmpty() ? hostCaption(control) : title, text, buttons, hostWindow(control));
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
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
