#pragma once
// Answers the modal message boxes a test provokes and records what they showed.
//
//     MessageCatcher catcher;
//     catcher.answerNext(QMessageBox::Yes);   // queue one answer per expected box, in order
//     ...action that shows a box...
//     QCOMPARE(catcher.count(), 1);
//     QCOMPARE(catcher.last().text, QStringLiteral("..."));
//
// From construction on, every visible QMessageBox is caught. A box for which no answer is queued
// (after expectNone(), or once the queued answers are used up) fails the running test and is
// closed, so the test never hangs on it. Boxes are found by polling the top-level windows with a
// timer, which also runs inside the box's own event loop.

#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QTimer>

class MessageCatcher {
public:
    struct Box {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        QMessageBox::StandardButton answer = QMessageBox::NoButton; // NoButton: it was not expected
        // "<icon> <title>: <text>", e.g. "warning PO: Requisition not found ...".
        QString summary() const;
    };

    MessageCatcher();
    MessageCatcher(const MessageCatcher &) = delete;
    MessageCatcher &operator=(const MessageCatcher &) = delete;

    // The next box (or the next `times` boxes) is answered with the button.
    void answerNext(QMessageBox::StandardButton button, int times = 1);
    // Drops the queued answers: any box from now on fails the test.
    void expectNone();
    // Forgets the boxes seen so far (the queued answers stay).
    void clear() { m_boxes.clear(); }

    int count() const { return int(m_boxes.size()); }
    const QList<Box> &boxes() const { return m_boxes; }
    const Box &last() const;   // an empty Box when none was seen
    QString summaries() const; // every box seen, as its summary, joined by " / "; "" when none
    int pendingAnswers() const { return int(m_answers.size()); }

private:
    void poll();
    void handle(QMessageBox *box);

    QTimer m_timer;
    QList<QMessageBox::StandardButton> m_answers;
    QList<Box> m_boxes;
    QList<QPointer<QMessageBox>> m_handled;
};
