#pragma once
// Answers the modal message boxes a test provokes, in order, with the answers queued by
// answerNext(), and records what they showed. From construction on, a timer (which also runs inside
// a box's own event loop) catches every visible box; one without an answer fails the test.

#include <QMessageBox>
#include <QPointer>
#include <QTimer>

class MessageCatcher {
public:
    MessageCatcher();
    void answerNext(QMessageBox::StandardButton button, int times = 1)
    {
        m_answers += QList<QMessageBox::StandardButton>(times, button);
    }
    void expectNone() { m_answers.clear(); } // any box from now on fails the test

    int count() const { return int(m_seen.size()); }
    // Each box as "<icon> <title>: <text>", e.g. "warning PO: Requisition not ...", and, when it
    // offers more than OK, " [<buttons>, default <button>]"; joined by " / ".
    QString summaries() const { return m_seen.join(QStringLiteral(" / ")); }
    QString last() const { return m_seen.value(m_seen.size() - 1); }

private:
    void poll();

    QTimer m_timer;
    QList<QMessageBox::StandardButton> m_answers;
    QStringList m_seen;
    QList<QPointer<QMessageBox>> m_handled;
};
