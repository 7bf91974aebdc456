#pragma once
// Plays a script on the real form, over a database filled with the demo data and the real
// companions: keys and clicks as the platform delivers a user's, some straight to the widget as
// test tools send them. Every message box and pick list an action opens is answered as the
// action's seed says:
// a button of the box, a row picked or the list cancelled. Before every action it checks what
// must always hold: the database holds whole vouchers of numbers, the shown total is the sum of
// the shown lines. Meant for a process of its own: a sanitizer report, a widget destroyed during
// its own event or a model tester's assertion ends it.

#include "MonkeyScript.h"
#include "companions/DefaultFactory.h"
#include "support/ControlHost.h"
#include "support/TestDatabase.h"

#include <QMap>
#include <QObject>
#include <QPointer>

#include <memory>
#include <random>

class MonkeyPlayer : public QObject {
public:
    MonkeyPlayer(TestDatabase::Engine engine, QList<MonkeyAction> script);
    ~MonkeyPlayer() override;

    int run(); // the process's exit code: 0 when every action played and every check held

private:
    int step();
    void play(const MonkeyAction &action);
    void startSession(bool edit, const QString &user);
    QString broken(); // what does not hold, or "" when everything does
    bool eventFilter(QObject *watched, QEvent *event) override;
    void postAnswer();
    void answerModal();
    void answer(QWidget *modal);
    void answerList(QWidget *dialog);
    void pressWhileClosing();

    // Input as the platform delivers it, or straight to the widget (m_direct).
    void activate(QWidget *window);
    QWindow *keyWindow() const;
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void type(const QString &text);
    void click(QWidget *widget, QPoint at, Qt::KeyboardModifiers modifiers = {}, bool twice = false);
    void clickTarget(MonkeyTarget target, quint32 b, quint32 c, bool twice);
    void clickField(const QString &name);
    void clickCell(int row, int column);
    void macro(quint32 which, quint32 b, quint32 c);

    TestDatabase::Engine m_engine;
    QList<MonkeyAction> m_script;
    int m_next = 0;
    std::unique_ptr<TestDatabase> m_db;
    std::shared_ptr<companions::DefaultFactory> m_factory;
    std::unique_ptr<ControlHost> m_host;
    int m_pendingAnswers = 0; // answers posted and not yet given
    bool m_direct = false;    // the action's input goes straight to the widget
    std::mt19937 m_answers;
    QMap<QString, int> m_seen; // the boxes and lists answered, for the summary of a run
};
