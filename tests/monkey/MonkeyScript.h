#pragma once
// The script of a randomized input run: actions drawn from a seed, each naming what to do only by
// small numbers that are resolved against the form when it is played (the field in the form's
// order, the row of the lines shown then), so that any sub-sequence of a script still plays.
// A script is written one action per line to be replayed or cut down.

#include <QList>
#include <QStringList>
#include <optional>

struct MonkeyAction {
    enum Kind {
        Key,         // a: an entry of monkeyKeys()
        Char,        // a: a character of monkeyChars()
        Text,        // a: a word of monkeyWords(), typed; b odd: Enter after it
        Click,       // a: target kind, b and c: which one (see MonkeyTarget)
        DoubleClick, // as Click
        Macro,       // a: a short piece of work a clerk does (header, line, save)
        Session,     // a new host: b odd edit mode, c the user
        KindCount
    };
    int kind = Key;
    quint32 a = 0, b = 0, c = 0;
    quint32 answers = 0; // seeds the answers to the message boxes and pick lists it opens

    // Most input comes as the platform delivers it; some straight to the widget, as automation
    // tools and test programs send it.
    bool isDirect() const { return answers % 4 == 0; }
    QString toLine() const; // "kind a b c answers"
    static std::optional<MonkeyAction> fromLine(const QString &line);
    // "key Alt+Down", "click cell 3:4", "type 1000000001, Enter"; "key* F4" sent to the widget
    QString describe() const;
};

// What a click aims at: a field or button of the form by its place in focus order, a cell, the
// in-cell button of "Item Code" or "Unit", a column header, a row selector (with a modifier).
enum class MonkeyTarget { Field, Cell, CellButton, Header, RowSelector, Count };

struct MonkeyKey {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char *name;
};

const QList<MonkeyKey> &monkeyKeys();
const QString &monkeyChars();
const QStringList &monkeyWords();
const QStringList &monkeyFields(); // objectName of every field of the form
const QStringList &monkeyUsers();

QList<MonkeyAction> generateActions(quint32 seed, int count);
bool writeScript(const QString &path, const QList<MonkeyAction> &actions);
std::optional<QList<MonkeyAction>> readScript(const QString &path);
