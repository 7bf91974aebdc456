#pragma once
// The demo host's window: one ctlTransfer as its central widget, on the host's connection.

#include <QMainWindow>
#include <QSqlDatabase>
#include <QString>
#include <functional>

class ctlTransfer;
struct DemoOptions;

class DemoWindow : public QMainWindow {
    Q_OBJECT

public:
    DemoWindow(const QSqlDatabase &db, const DemoOptions &options, QWidget *parent = nullptr);

    ctlTransfer *control() const { return m_control; }

    // Gives the control its first focus, recalls the voucher asked for, lets the work that
    // follows settle, then saves a picture of the window to path and emits screenshotFinished.
    void takeScreenshot(const QString &path);
    // Gives the control its first focus and recalls the voucher asked for; emits recallFinished.
    void startRecall();

signals:
    void screenshotFinished(bool saved, bool controlHadFocus, bool recalled);
    void recallFinished(bool recalled);

private:
    void buildMenu();
    void buildStatusBar(const DemoOptions &options);
    bool controlHasFocus() const;
    void whenFocused(const std::function<void(bool focused)> &then, int attemptsLeft);
    bool recallVoucher();

    ctlTransfer *m_control;
    int m_recallLocation = 0;
    int m_recallNumber = 0;
};
