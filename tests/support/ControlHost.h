#pragma once
// A host window for control tests: a top-level window titled "Host Caption" holding one
// ctlTransfer (add mode, user "demo" and the real companions unless told) and, outside it, one
// plain text field to move the focus to.

#include "control/TransferControl.h"
#include "ctlTransfer.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <memory>

class ControlHost {
public:
    static inline const QString Caption = QStringLiteral("Host Caption");

    explicit ControlHost(const QSqlDatabase &db, const QString &user = QStringLiteral("demo"),
                         bool allowEdit = false, std::shared_ptr<companions::Factory> factory = {});

    bool show();         // shows the window and waits until it is exposed and active
    bool start();        // show(), then focusControl(); true when the first focus has run
    void focusControl(); // the focus enters the control (its first focusable field)
    void focusOutside(); // the focus goes to the text field outside the control

    QWidget *window() { return m_window.get(); }
    ctlTransfer *control() { return m_control; }
    QLineEdit *outside() { return m_outside; }
    qvtrnsfr::TransferControl *state() { return m_control->findChild<qvtrnsfr::TransferControl *>(); }
    qvtrnsfr::TransferForm &form() { return state()->form; }
    template <typename T> T *field(const char *name)
    {
        return m_control->findChild<T *>(QLatin1String(name));
    }

    // Replaces the lines by rows of cells in the grid's column order and updates the total.
    void setLines(const QList<QStringList> &rows);
    // The stored lines, each as its cells joined by '|' (all eight, or the first `columns`).
    QStringList lineRows(int columns = qvtrnsfr::LineColumns);

private:
    std::unique_ptr<QWidget> m_window = std::make_unique<QWidget>();
    ctlTransfer *m_control = nullptr;
    QLineEdit *m_outside = nullptr;
};

// True when the focus (or, with `remembered`, the focus the field's window gives back when a
// message box over it closes) is on the field or inside it.
bool hasFocusIn(const QWidget *field, bool remembered = false);

// A test main that keeps per-user settings (the column widths) in a temporary folder.
#define QVT_HOST_TEST_MAIN(TestClass)                                                                        \
    int main(int argc, char **argv)                                                                          \
    {                                                                                                        \
        QTemporaryDir settingsHome;                                                                          \
        qputenv("XDG_CONFIG_HOME", settingsHome.path().toLocal8Bit());                                       \
        QApplication app(argc, argv);                                                                        \
        TestClass test;                                                                                      \
        return QTest::qExec(&test, argc, argv);                                                              \
    }
