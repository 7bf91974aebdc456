#pragma once
// A host window for control tests: a top-level window titled "Host Caption" holding one
// ctlTransfer and, outside it, one plain text field to move the focus to.
//
//     ControlHost host(db.connection());          // add mode, user "demo", real companions
//     QVERIFY(host.show());
//     host.focusControl();                        // first focus runs the set-up
//     QCOMPARE(host.field<QLineEdit>("txtDocNo")->text(), "1");

#include "ctlTransfer.h"

#include <QLineEdit>
#include <QSqlDatabase>
#include <QWidget>
#include <memory>

namespace companions {
class Factory;
}
namespace qvtrnsfr {
class TransferControl;
}

class ControlHost {
public:
    static inline const QString Caption = QStringLiteral("Host Caption");

    explicit ControlHost(const QSqlDatabase &db, const QString &user = QStringLiteral("demo"),
                         bool allowEdit = false, std::shared_ptr<companions::Factory> factory = {});
    ~ControlHost();

    bool show();         // shows the window and waits until it is exposed and active
    void focusControl(); // the focus enters the control (its first focusable field)
    void focusOutside(); // the focus goes to the text field outside the control

    QWidget *window() { return m_window.get(); }
    ctlTransfer *control() { return m_control; }
    QLineEdit *outside() { return m_outside; }
    qvtrnsfr::TransferControl *state();

    template <typename T> T *field(const char *name)
    {
        return m_control->findChild<T *>(QString::fromLatin1(name));
    }

private:
    std::unique_ptr<QWidget> m_window;
    ctlTransfer *m_control = nullptr;
    QLineEdit *m_outside = nullptr;
};
