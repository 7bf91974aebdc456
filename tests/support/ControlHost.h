#pragma once
// A host window for control tests: a top-level window titled "Host Caption" holding one
// ctlTransfer (add mode, user "demo" and the real companions unless told) and, outside it, one
// plain text field to move the focus to.

#include "control/TransferControl.h"
#include "ctlTransfer.h"
#include "support/EventGuard.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <memory>

class ControlHost {
public:
    static inline const QString Caption = QStringLiteral("Host Caption");

    explicit ControlHost(const QSqlDatabase &db, const QString &user = QStringLiteral("demo"),
                         bool allowEdit = false, std::shared_ptr<companions::Factory> factory = {});

    bool show(); // shows the window and waits until it is exposed and active
    bool start() { return show() && focusControl(); }
    bool focusControl(); // the focus enters the control's first field; true once its first focus ran
    void focusOutside(); // the focus goes to the text field outside the control

    QWidget *window() { return m_window.get(); }
    ctlTransfer *control() { return m_control; }
    QLineEdit *outside() { return m_outside; }
    qvtrnsfr::TransferControl *state() { return m_control->findChild<qvtrnsfr::TransferControl *>(); }
    qvtrnsfr::TransferForm &form() { return state()->form(); }

    // Replaces the lines by rows of cells in the grid's column order and updates the total.
    void setLines(const QList<QStringList> &rows);
    // The stored lines, each as its cells joined by '|' (all eight, or the first `columns`).
    QStringList lineRows(int columns = qvtrnsfr::LineColumns);

private:
    std::unique_ptr<QWidget> m_window = std::make_unique<QWidget>();
    ctlTransfer *m_control = nullptr;
    QLineEdit *m_outside = nullptr;
};

// Per-user settings (the column widths) of a test program go to a temporary folder, set before main.
inline const bool TemporarySettings = [] {
    static QTemporaryDir home;
    return qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
}();
#define QVT_HOST_TEST_MAIN(TestClass) QVT_GUARDED_TEST_MAIN(TestClass)
