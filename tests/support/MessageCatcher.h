#pragma once
// Answers the modal message boxes a test provokes, in order, with the answers queued by
// answerNext(), and records what they showed. From construction on, a timer (which also runs inside
// a box's own event loop) catches every visible box; one without an answer fails the test.

#include <QMessageBox>
#include <QPointer>
#include <QTimer>

class MessageCatcher {
public:
    struct Box {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        QString summary() const; // "<icon> <title>: <text>", e.g. "warning PO: Requisition not ..."
    };

    MessageCatcher();
    void answerNext(QMessageBox::StandardButton button, int times = 1)
    {
        m_answers += QList<QMessageBox::StandardButton>(times, button);
    }
    void expectNone() { m_answers.clear(); } // any box from now on fails the test
    void clear() { m_boxes.clear(); }        // forgets the boxes seen so far

    int count() const { return int(m_boxes.size()); }
    const Box &last() const { return m_boxes.isEmpty() ? m_none : m_boxes.constLast(); } // empty when none
    QString summaries() const; // the summaries of all boxes seen, joined by " / "

private:
    void poll();

    QTimer m_timer;
    QList<QMessageBox::StandardButton> m_answers;
    QList<Box> m_boxes;
    QList<QPointer<QMessageBox>> m_handled;
    Box m_none;
};
