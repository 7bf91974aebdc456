#include "support/MessageCatcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>
#include <QTest>

MessageCatcher::MessageCatcher()
{
    m_timer.setInterval(10);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { poll(); });
    m_timer.start();
}

QString MessageCatcher::Box::summary() const
{
    static const char *const icons[] = {"plain", "information", "warning", "critical", "question"};
    return QLatin1String(icons[icon]) + ' ' + title + ": " + text;
}

QString MessageCatcher::summaries() const
{
    QStringList seen;
    for (const Box &box : m_boxes)
        seen << box.summary();
    return seen.join(QStringLiteral(" / "));
}

// Records the first box not handled yet and presses the queued answer; without one it fails the
// test and presses the box's Escape button (or rejects it). One box per tick, as pressing may
// open or close windows.
void MessageCatcher::poll()
{
    m_handled.removeIf([](const QPointer<QMessageBox> &box) { return !box || !box->isVisible(); });
    for (QWidget *window : QApplication::topLevelWidgets()) {
        auto *box = qobject_cast<QMessageBox *>(window);
        if (!box || !box->isVisible() || m_handled.contains(box))
            continue;
        m_handled.append(box);
        QPushButton *byDefault = box->defaultButton();
        m_boxes.append({box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                        byDefault ? box->standardButton(byDefault) : QMessageBox::NoButton});
        QAbstractButton *button = m_answers.isEmpty() ? nullptr : box->button(m_answers.takeFirst());
        if (!button) {
            QTest::qFail(qPrintable("Unexpected or unanswerable box: " + m_boxes.constLast().summary()),
                         __FILE__, __LINE__);
            button = box->escapeButton();
        }
        if (button)
            button->click();
        else
            box->reject();
        return;
    }
}
