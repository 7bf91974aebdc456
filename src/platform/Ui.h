#pragma once
// The user-interface operations the logic calls: message boxes, the busy pointer and the host
// window (the top-level window that holds the control).

#include <QMessageBox>
#include <QString>
#include <QWidget>

namespace qvtrnsfr {

// The window that contains the control: its caption titles message boxes and printed vouchers,
// it owns the modal pick lists, and closing it closes the control.
QWidget *hostWindow(const QWidget *control);
QString hostCaption(const QWidget *control);
void closeHostWindow(const QWidget *control);

// A modal QMessageBox owned by the host window, titled with its caption unless a title is named.
QMessageBox::StandardButton showMessage(const QWidget *control, QMessageBox::Icon icon, const QString &text,
                                        const QString &title = QString(),
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// Shows the busy pointer for its lifetime.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

} // namespace qvtrnsfr
