#pragma once
// Validation when the focus leaves a field. When the user leaves a watched field (Tab, Shift+Tab,
// a mouse click on another field or button, an access key such as Alt+S), the field's check runs
// first. When the check refuses, the focus stays in the field and the action that would have
// taken it away does not happen: the click or the access key is swallowed, so a button pressed
// while a refused field had the focus does not fire. Moving the focus from code, into a popup,
// a message box or another window does not run the check.
// A watched widget counts as left only when the focus goes outside it and its children (the
// line grid is watched as one field, including its cell editors). Where a widget of the field may
// keep Tab for itself (the cells of a view, the sections of a date), and for Ctrl+Tab, the key
// passes and the check runs only if the focus did leave, after the move; a refusal then puts the
// focus back.

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

class QKeyEvent;
class QMouseEvent;

namespace qvtrnsfr {

class LeaveValidator : public QObject {
    Q_OBJECT
public:
    using Check = std::function<bool()>; // true: the field may be left

    explicit LeaveValidator(QObject *parent = nullptr);
    ~LeaveValidator() override;

    void watch(QWidget *field, Check check);
    void unwatch(QWidget *field);

    // Runs the check of the watched field that holds the focus; true when none holds it or the
    // check passes. For actions that would leave the field by other means than those above.
    bool validateFocused();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Entry {
        QPointer<QWidget> field;
        Check check;
    };
    Entry *focusedEntry();
    Entry *entryOf(const QWidget *field);
    Entry *entryHolding(const QWidget *widget);
    bool runCheck(Entry entry); // a copy: the check may watch or unwatch fields

    bool onKeyPress(QObject *watched, QKeyEvent *key);
    bool onWindowPress(QObject *watched, QMouseEvent *mouse);
    bool onWidgetPress(QObject *watched, QMouseEvent *mouse);
    bool onShortcut(QObject *watched);
    void onFocusOut(QObject *watched, Qt::FocusReason reason);
    void runPendingCheck();
    bool swallowPress(QObject *receiver, QMouseEvent *mouse);
    void forgetAfterEvent();

    std::vector<Entry> m_entries;
    bool m_checking = false;
    QPointer<QWidget> m_passed;  // field whose check just passed for the pending focus move
    QPointer<QWidget> m_pending; // field the focus left without a check; checked late
    QPointer<QObject> m_swallowRelease;
    Qt::MouseButton m_swallowButton = Qt::NoButton;
};

} // namespace qvtrnsfr
