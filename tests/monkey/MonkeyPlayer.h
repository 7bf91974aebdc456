#pragma once
// Plays a script on the real form, over a database filled with the demo data and the real
// companions: keys and clicks as the platform delivers a user's, some straight to the widget as
// test tools send them. Every message box and pick list an action opens is answered as the
// action's seed says: a button of the box, a row picked or the list cancelled. Before every action
// it checks what must always hold: the database holds whole vouchers of numbers, the shown total
// is the sum of the shown lines. Meant for a process of its own: a sanitizer report, a widget
// destroyed during its own event or a model tester's assertion ends it.

#include "MonkeyScript.h"
#include "support/TestDatabase.h"

// The process's exit code: 0 when every action played and every check held.
int playScript(TestDatabase::Engine engine, const QList<MonkeyAction> &script);
