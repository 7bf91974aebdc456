#include "support/MessageCatcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMetaEnum>
#include <QPushButton>
#include <QTest>

MessageCatcher::MessageCatcher()
{
    m_timer.setInterval(10);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { poll(); });
    m_timer.start();
}

// Records the first box not handled yet and presses the queued answer; without one it fails the
// test and presses the box's Escape button (or rejects it). One box per tick, as pressing may
// open or close windows.
void MessageCatcher::poll()
{
    static const char *const icons[] = {"plain", "information", "warning", "critical", "question"};
    m_handled.removeIf([](const QPointer<QMessageBox> &box) { return !box || !box->isVisible(); });
    for (QWidget *window : QApplication::topLevelWidgets()) {
        auto *box = qobject_cast<QMessageBox *>(window);
        if (!box || !box->isVisible() || m_handled.contains(box))
            continue;
        m_handled.append(box);
        QString seen = QLatin1String(icons[box->icon()]) + ' ' + box->windowTitle() + ": " + box->text();
        if (box->standardButtons() != QMessageBox::Ok) {
            const QMetaEnum names = QMetaEnum::fromType<QMessageBox::StandardButtons>();
            QStringList buttons;
            for (QAbstractButton *button : box->buttons())
                buttons << names.valueToKey(box->standardButton(button));
            buttons.sort();
            seen += " [" + buttons.join(' ') + ", default " +
                    names.valueToKey(box->standardButton(box->defaultButton())) + ']';
        }
        m_seen << seen;
        QAbstractButton *button = m_answers.isEmpty() ? nullptr : box->button(m_answers.takeFirst());
        if (!button) {
            QTest::qFail(qPrintable("Unexpected or unanswerable box: " + seen), __FILE__, __LINE__);
            button = box->escapeButton();
        }
        if (button)
            button->click();
        else
            box->reject();
        return;
    }
}
