#pragma once
// The demo host's window: one ctlTransfer as its central widget, on the host's connection.

#include <QMainWindow>
#include <QSqlDatabase>
#include <QString>

class ctlTransfer;
struct DemoOptions;

class DemoWindow : public QMainWindow {
    Q_OBJECT

public:
    DemoWindow(const QSqlDatabase &db, const DemoOptions &options, QWidget *parent = nullptr);

    ctlTransfer *control() const { return m_control; }

    // Gives the control its first focus, lets the work that follows settle, then saves a picture
    // of the window to path and emits screenshotFinished.
    void takeScreenshot(const QString &path);

signals:
    void screenshotFinished(bool saved, bool controlHadFocus);

private:
    void buildMenu();
    void buildStatusBar(const DemoOptions &options);
    bool controlHasFocus() const;
    void waitForFocus(const QString &path, int attemptsLeft);

    ctlTransfer *m_control;
};
