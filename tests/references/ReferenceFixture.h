#pragma once
// What the location and requisition tests share: companions that record their calls, and a
// shown host window holding the control beside an outside field.

#include "companions/DefaultFactory.h"
#include "control/TransferControl.h"
#include "support/ControlHost.h"

#include <QApplication>
#include <QLineEdit>
#include <QList>
#include <QPair>
#include <QSqlDatabase>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

// What the companion doubles record and answer. Shared by the factory and every double it makes.
struct CompanionScript {
    bool lookupAvailable = true;    // false: the pick-list component cannot be created
    QStringList lookupCalls;        // every pick-list call, in order, as "Name(argument)"
    QString selectedValue;          // what SelectedValue answers
    QList<QPair<int, int>> allowed; // (location, direction) pairs the user may use
    bool rightsFail = false;        // LocationAllowed cannot answer
    QStringList rightsCalls;        // every LocationAllowed call as "user,location,direction"
};

// The real companions, except the pick list and the location rights, which are doubles driven
// by a CompanionScript.
class RecordingFactory : public companions::DefaultFactory {
public:
    explicit RecordingFactory(std::shared_ptr<CompanionScript> script) : m_script(std::move(script)) {}
    std::unique_ptr<companions::LookupDialog> createLookupDialog() override;
    std::unique_ptr<companions::LocationRights> createLocationRights() override;

private:
    std::shared_ptr<CompanionScript> m_script;
};

// The shared host window (titled ControlHost::Caption, with an outside field) and what these
// tests do to the control in it.
class HostWindow {
public:
    HostWindow(const QSqlDatabase &db, std::shared_ptr<companions::Factory> factory, bool allowEdit = false)
        : m_host(db, QStringLiteral("ann"), allowEdit, std::move(factory))
    {
    }

    // Shows the window and gives the control the focus, which runs its first-focus set-up.
    bool start();

    ctlTransfer *control() { return m_host.control(); }
    QLineEdit *outside() { return m_host.outside(); }
    qvtrnsfr::TransferControl &state() { return *m_host.state(); }
    qvtrnsfr::TransferForm &form() { return state().form; }

    // Puts the text into the field and the focus into it, as the user would before leaving it.
    void enter(QLineEdit *field, const QString &text);
    // Replaces the lines by rows of item code and quantity and updates the total.
    void setLines(const QList<QPair<QString, QString>> &itemsAndQuantities);
    // The lines as compact rows: the cells joined by '|'.
    QStringList lineRows();

private:
    ControlHost m_host;
};

inline bool lastFocusIn(const QWidget *field)
{
    return hasFocusIn(field, true);
}

// A test main that keeps per-user settings in a temporary folder.
#define QVT_REFERENCES_TEST_MAIN(TestClass)                                                                  \
    int main(int argc, char **argv)                                                                          \
    {                                                                                                        \
        QTemporaryDir settingsHome;                                                                          \
        qputenv("XDG_CONFIG_HOME", settingsHome.path().toLocal8Bit());                                       \
        QApplication app(argc, argv);                                                                        \
        TestClass test;                                                                                      \
        return QTest::qExec(&test, argc, argv);                                                              \
    }
