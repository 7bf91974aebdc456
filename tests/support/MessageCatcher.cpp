#include "support/MessageCatcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMap>
#include <QPushButton>
#include <QTest>

namespace {

MessageCatcher::Box describe(QMessageBox *box)
{
    MessageCatcher::Box seen;
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    seen.buttons = box->standardButtons();
    if (QPushButton *button = box->defaultButton())
        seen.defaultButton = box->standardButton(button);
    return seen;
}

QAbstractButton *buttonInRole(QMessageBox *box, QMessageBox::ButtonRole role)
{
    const QList<QAbstractButton *> buttons = box->buttons();
    for (QAbstractButton *button : buttons) {
        if (box->buttonRole(button) == role)
            return button;
    }
    return nullptr;
}

// Closes a box nobody expected with the button Escape would press (the one set for it, else the
// rejecting one, else the one without a role), else its default button, else any.
void dismiss(QMessageBox *box)
{
    QAbstractButton *button = box->escapeButton();
    if (!button)
        button = buttonInRole(box, QMessageBox::RejectRole);
    if (!button)
        button = buttonInRole(box, QMessageBox::NoRole);
    if (!button)
        button = box->defaultButton();
    if (!button && !box->buttons().isEmpty())
        button = box->buttons().constFirst();
    if (button)
        button->click();
    else
        box->reject();
}

} // namespace

MessageCatcher::MessageCatcher()
{
    m_timer.setInterval(10);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { poll(); });
    m_timer.start();
}

void MessageCatcher::answerNext(QMessageBox::StandardButton button, int times)
{
    for (int i = 0; i < times; ++i)
        m_answers.append(button);
}

void MessageCatcher::expectNone()
{
    m_answers.clear();
}

QString MessageCatcher::Box::summary() const
{
    static const QMap<QMessageBox::Icon, QString> names{{QMessageBox::NoIcon, "plain"},
                                                        {QMessageBox::Information, "information"},
                                                        {QMessageBox::Warning, "warning"},
                                                        {QMessageBox::Critical, "critical"},
                                                        {QMessageBox::Question, "question"}};
    return names.value(icon) + ' ' + title + ": " + text;
}

QString MessageCatcher::summaries() const
{
    QStringList seen;
    for (const Box &box : m_boxes)
        seen << box.summary();
    return seen.join(QStringLiteral(" / "));
}

const MessageCatcher::Box &MessageCatcher::last() const
{
    static const Box none;
    return m_boxes.isEmpty() ? none : m_boxes.constLast();
}

void MessageCatcher::poll()
{
    m_handled.removeIf([](const QPointer<QMessageBox> &box) { return !box || !box->isVisible(); });
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        auto *box = qobject_cast<QMessageBox *>(window);
        if (box && box->isVisible() && !m_handled.contains(box)) {
            m_handled.append(box);
            handle(box);
            return; // answering may have closed or opened windows: look again on the next tick
        }
    }
}

void MessageCatcher::handle(QMessageBox *box)
{
    Box seen = describe(box);
    if (m_answers.isEmpty()) {
        m_boxes.append(seen);
        QTest::qFail(
            qPrintable(QStringLiteral("Unexpected message box \"%1\": %2").arg(seen.title, seen.text)),
            __FILE__, __LINE__);
        dismiss(box);
        return;
    }
    seen.answer = m_answers.takeFirst();
    m_boxes.append(seen);
    if (QAbstractButton *button = box->button(seen.answer)) {
        button->click();
        return;
    }
    QTest::qFail(qPrintable(QStringLiteral("Message box \"%1\" has no button to answer %2 with: %3")
                                .arg(seen.title)
                                .arg(int(seen.answer))
                                .arg(seen.text)),
                 __FILE__, __LINE__);
    dismiss(box);
}
