#include "platform/LeaveValidator.h"

#include "platform/NoThrow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDateTimeEdit>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QTextEdit>
#include <QTimer>
#include <QWindow>
#include <algorithm>

namespace qvtrnsfr {

namespace {

bool holds(const QWidget *field, const QWidget *widget)
{
    return field && widget && (widget == field || field->isAncestorOf(widget));
}

QWidget *deepestFocusProxy(QWidget *widget)
{
    while (widget->focusProxy())
        widget = widget->focusProxy();
    return widget;
}

bool takesClickFocus(QWidget *widget)
{
    const QWidget *proxy = deepestFocusProxy(widget);
    return widget->isEnabled() && (widget->focusPolicy() & Qt::ClickFocus) &&
           (proxy->focusPolicy() & Qt::ClickFocus);
}

// The widget a mouse press on target gives the focus to, as QApplication decides it: the first
// widget upwards that takes focus by click; none once a window or the focused widget is reached.
QWidget *clickFocusTaker(QWidget *target)
{
    for (QWidget *widget = target; widget; widget = widget->parentWidget()) {
        if (takesClickFocus(widget))
            return deepestFocusProxy(widget);
        if (widget->isWindow() || deepestFocusProxy(widget)->hasFocus())
            return nullptr;
    }
    return nullptr;
}

// True when a widget between the focus and the field may use Tab itself (cells of a view,
// sections of a date, tabs typed into a text) instead of moving the focus.
bool mayKeepTab(QWidget *focus, const QWidget *field)
{
    for (QWidget *widget = focus; widget; widget = widget->parentWidget()) {
        if (const auto *view = qobject_cast<QAbstractItemView *>(widget); view && view->tabKeyNavigation())
            return true;
        if (qobject_cast<QDateTimeEdit *>(widget))
            return true;
        if (const auto *text = qobject_cast<QTextEdit *>(widget); text && !text->tabChangesFocus())
            return true;
        if (const auto *text = qobject_cast<QPlainTextEdit *>(widget); text && !text->tabChangesFocus())
            return true;
        if (widget == field)
            break;
    }
    return false;
}

// The widget Tab (forward) or Shift+Tab moves the focus to from focus; nullptr when none.
QWidget *tabTarget(QWidget *focus, bool forward)
{
    QWidget *top = focus->window();
    QWidget *widget = focus;
    for (int guard = 0; guard < 100000; ++guard) {
        widget = forward ? widget->nextInFocusChain() : widget->previousInFocusChain();
        if (!widget || widget == focus)
            return nullptr;
        QWidget *taker = deepestFocusProxy(widget);
        if (taker != focus && widget->window() == top && widget->isVisibleTo(top) && widget->isEnabled() &&
            taker->isEnabled() && (taker->focusPolicy() & Qt::TabFocus))
            return taker;
    }
    return nullptr;
}

void restoreFocus(QWidget *field)
{
    if (field && !holds(field, field->window()->focusWidget()))
        field->setFocus(Qt::OtherFocusReason);
}

} // namespace

LeaveValidator::LeaveValidator(QObject *parent) : QObject(parent)
{
    if (qApp)
        qApp->installEventFilter(this);
}

LeaveValidator::~LeaveValidator()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

void LeaveValidator::watch(QWidget *field, Check check)
{
    if (!field)
        return;
    if (Entry *entry = entryOf(field)) {
        entry->check = std::move(check);
        return;
    }
    m_entries.push_back({field, std::move(check)});
}

void LeaveValidator::unwatch(QWidget *field)
{
    m_entries.erase(
        std::remove_if(m_entries.begin(), m_entries.end(),
                       [field](const Entry &entry) { return !entry.field || entry.field == field; }),
        m_entries.end());
}

bool LeaveValidator::validateFocused()
{
    if (m_checking)
        return true;
    const Entry *entry = focusedEntry();
    return !entry || runCheck(*entry);
}

LeaveValidator::Entry *LeaveValidator::entryHolding(const QWidget *widget)
{
    for (Entry &entry : m_entries) {
        if (holds(entry.field, widget))
            return &entry;
    }
    return nullptr;
}

LeaveValidator::Entry *LeaveValidator::entryOf(const QWidget *field)
{
    for (Entry &entry : m_entries) {
        if (entry.field && entry.field == field)
            return &entry;
    }
    return nullptr;
}

LeaveValidator::Entry *LeaveValidator::focusedEntry()
{
    return entryHolding(QApplication::focusWidget());
}

bool LeaveValidator::runCheck(Entry entry)
{
    if (!entry.field || !entry.check)
        return true;
    const QString name = entry.field->objectName(); // the check may delete the field
    bool passed = false;
    {
        const QScopedValueRollback<bool> guard(m_checking, true);
        // A check that throws refuses; the guard says why.
        runNoThrow(qPrintable("field check of " + name), [&] { passed = entry.check(); });
    }
    if (passed) {
        m_passed = entry.field; // the focus move this check allowed is not checked again
        forgetAfterEvent();
    } else {
        restoreFocus(entry.field);
    }
    return passed;
}

void LeaveValidator::forgetAfterEvent()
{
    QTimer::singleShot(0, this, [this] { m_passed.clear(); });
}

bool LeaveValidator::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        return !m_checking && onKeyPress(watched, static_cast<QKeyEvent *>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        m_swallowRelease.clear();
        if (m_checking)
            return false;
        return watched->isWindowType() ? onWindowPress(watched, static_cast<QMouseEvent *>(event))
                                       : onWidgetPress(watched, static_cast<QMouseEvent *>(event));
    case QEvent::MouseButtonRelease:
        if (!m_swallowRelease || m_swallowRelease != watched ||
            static_cast<QMouseEvent *>(event)->button() != m_swallowButton)
            return false;
        m_swallowRelease.clear();
        return true;
    case QEvent::Shortcut:
        return !m_checking && onShortcut(watched);
    case QEvent::FocusOut:
        if (!m_checking)
            onFocusOut(watched, static_cast<QFocusEvent *>(event)->reason());
        return false;
    default:
        return false;
    }
}

// Tab and Shift+Tab on the focused widget of a watched field, and Ctrl+Tab, with which a widget
// that keeps Tab for itself (the cells of a view) is left.
bool LeaveValidator::onKeyPress(QObject *watched, QKeyEvent *key)
{
    if ((key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab) || (key->modifiers() & Qt::AltModifier))
        return false;
    QWidget *focus = QApplication::focusWidget();
    const Entry *entry = watched == focus ? focusedEntry() : nullptr;
    if (!entry)
        return false;
    if ((key->modifiers() & Qt::ControlModifier) || mayKeepTab(focus, entry->field))
        return false; // should the focus leave after all, it is checked late
    const bool forward = key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier);
    QWidget *target = tabTarget(focus, forward);
    if (!target || holds(entry->field, target))
        return false;
    return !runCheck(*entry);
}

// A press as the window system delivers it to a window, before Qt moves the focus for it.
bool LeaveValidator::onWindowPress(QObject *watched, QMouseEvent *mouse)
{
    const Entry *entry = focusedEntry();
    if (!entry || QApplication::activePopupWidget())
        return false;
    QWidget *top = entry->field->window();
    if (top->windowHandle() != watched)
        return false;
    QWidget *target = QWidget::mouseGrabber();
    if (!target)
        target = top->childAt(mouse->position().toPoint());
    QWidget *taker = clickFocusTaker(target ? target : top);
    if (!taker || holds(entry->field, taker) || runCheck(*entry))
        return false;
    return swallowPress(watched, mouse);
}

// A press sent straight to a widget (as test tools do): Qt has already moved the focus for it,
// so the field it left is checked now and the press is swallowed when the check refuses.
bool LeaveValidator::onWidgetPress(QObject *watched, QMouseEvent *mouse)
{
    QPointer<QWidget> field = m_pending;
    m_pending.clear();
    const Entry *entry = entryOf(field);
    if (!entry || !watched->isWidgetType())
        return false;
    const auto *target = static_cast<QWidget *>(watched);
    if (target->window() != field->window() || holds(field, target) || runCheck(*entry))
        return false;
    return swallowPress(watched, mouse);
}

// An access key (Alt+S) or another shortcut delivered to a widget outside the focused field.
bool LeaveValidator::onShortcut(QObject *watched)
{
    const Entry *entry = focusedEntry();
    if (!entry || !watched->isWidgetType())
        return false;
    const auto *target = static_cast<QWidget *>(watched);
    if (target->window() != entry->field->window() || holds(entry->field, target))
        return false;
    return !runCheck(*entry);
}

// A focus move out of a watched field that no check saw coming (a press sent straight to a
// widget, a Tab that a view let go, Ctrl+Tab): the check runs once the move is done.
void LeaveValidator::onFocusOut(QObject *watched, Qt::FocusReason reason)
{
    const Entry *entry = watched->isWidgetType() ? entryHolding(static_cast<QWidget *>(watched)) : nullptr;
    QWidget *now = QApplication::focusWidget();
    if (!entry || !now || holds(entry->field, now) || now->window() != entry->field->window())
        return;
    if (m_passed == entry->field) {
        m_passed.clear();
        return;
    }
    if (reason != Qt::MouseFocusReason && reason != Qt::ShortcutFocusReason && reason != Qt::TabFocusReason &&
        reason != Qt::BacktabFocusReason)
        return;
    m_pending = entry->field;
    QTimer::singleShot(0, this, &LeaveValidator::runPendingCheck);
}

void LeaveValidator::runPendingCheck()
{
    QPointer<QWidget> field = m_pending;
    m_pending.clear();
    const Entry *entry = entryOf(field);
    if (entry && !m_checking && !holds(field, QApplication::focusWidget()))
        runCheck(*entry);
}

bool LeaveValidator::swallowPress(QObject *receiver, QMouseEvent *mouse)
{
    m_swallowRelease = receiver;
    m_swallowButton = mouse->button();
    return true;
}

} // namespace qvtrnsfr
