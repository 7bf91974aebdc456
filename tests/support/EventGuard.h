#pragma once
// An application that watches every event it delivers: an object destroyed while one of its own
// events is being handled (a widget deleted inside its own click or key handler) is a fault, as
// Qt may still touch it when the handler returns. Inside a test function the fault fails the
// test; outside one it ends the program with a message.

#include <QApplication>
#include <QTest>

class GuardedApplication : public QApplication {
public:
    GuardedApplication(int &argc, char **argv) : QApplication(argc, argv) {}

    bool notify(QObject *receiver, QEvent *event) override;
};

// QTEST_MAIN with the guarded application.
#define QVT_GUARDED_TEST_MAIN(TestClass) QTEST_MAIN_WRAPPER(TestClass, QTEST_QAPP_SETUP(GuardedApplication))
