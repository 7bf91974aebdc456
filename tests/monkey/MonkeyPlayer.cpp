#include "MonkeyPlayer.h"

#include "DemoData.h"
#include "companions/DefaultFactory.h"
#include "grid/LineDelegate.h"
#include "grid/LineGrid.h"
#include "platform/Numeric.h"
#include "support/ControlHost.h"

#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QMap>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <cstdio>
#include <random>

using namespace qvtrnsfr;

namespace {

// Faults in the stored vouchers, each counted by one statement: a line without its header, a
// header whose lines do not add up to its total (a voucher written in part, or with a line the
// database did not take as a number), a line whose quantities are not numbers (SQLite only).
const char *const StoredFaults[][2] = {
    {"lines without their header", "select count(*) from ICTRAND d where not exists (select 1 from ICTRANH h"
                                   " where h.FromLocID = d.FromLocID and h.DocNo = d.DocNo)"},
    {"headers whose lines do not add up to their total",
     "select count(*) from ICTRANH h where abs(coalesce((select sum(d.Qty) from ICTRAND d"
     " where d.FromLocID = h.FromLocID and d.DocNo = h.DocNo), 0) - coalesce(h.TotalQty, 0)) > 0.006"},
    {"lines whose quantity, factor, cost or amount is no number",
     "select count(*) from ICTRAND where Qty is null or typeof(Qty) not in ('integer', 'real')"
     " or typeof(Conver) not in ('integer', 'real', 'null') or typeof(Cost) not in ('integer', 'real')"
     " or typeof(Amount) not in ('integer', 'real')"}};

void trace(const QString &text)
{
    static const bool tracing = qEnvironmentVariableIsSet("QVT_MONKEY_TRACE");
    if (tracing)
        std::fprintf(stderr, "%s\n", qPrintable(text));
}

void fail(const QString &text)
{
    std::fprintf(stderr, "MONKEY FAIL: %s\n", qPrintable(text));
    std::fflush(stderr);
}

class MonkeyPlayer : public QObject {
public:
    MonkeyPlayer(TestDatabase::Engine engine, const QList<MonkeyAction> &script)
        : m_engine(engine), m_script(script)
    {
    }

    int run()
    {
        QTemporaryDir folder;
        m_db = std::make_unique<TestDatabase>(m_engine);
        QString error;
        if (!m_db->isValid() || !generateDemoData(m_db->connection(), DemoSize{}, &error)) {
            fail("no database: " + m_db->errorText() + error);
            return 2;
        }
        // Printed ledger vouchers go to a file: a print preview would be one more window to answer.
        m_factory = std::make_shared<companions::DefaultFactory>();
        m_factory->setLedgerPdfPath(folder.filePath(QStringLiteral("ledger.pdf")));
        qApp->installEventFilter(this);
        // Nothing that runs by the clock: a blinking cursor or a tool tip would let the order of
        // events differ between two runs of one script.
        QApplication::setCursorFlashTime(0);
        // cmdClose closes the host's only window; the run goes on with a new host.
        QGuiApplication::setQuitOnLastWindowClosed(false);
        // Played from outside any event loop, as test programs drive a form: what an action
        // released with deleteLater goes in the first loop that runs, a pick list's or a message
        // box's, so that a widget released inside its own event would go while that event is
        // still handled.
        int code = -1;
        while (code < 0) {
            // Back where the event loop would be: what the last action posted runs (a queued
            // press, the row moved on to), what it released goes.
            for (int pass = 0; pass < 8; ++pass)
                QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            code = step();
        }
        m_host.reset();
        return code;
    }

private:
    // Checks what the last action left, then plays the next one. -1 to go on, else the exit code.
    int step()
    {
        if (const QString fault = m_host ? broken() : QString(); !fault.isEmpty()) {
            fail(QStringLiteral("%1 (after action %2: %3)")
                     .arg(fault)
                     .arg(m_next - 1)
                     .arg(m_script.at(m_next - 1).describe()));
            return 3;
        }
        if (m_next == m_script.size()) {
            std::fprintf(stderr, "MONKEY DONE: %d actions\n", int(m_next));
            for (auto seen = m_seen.cbegin(); seen != m_seen.cend(); ++seen)
                std::fprintf(stderr, "  %5d x %s\n", seen.value(), qPrintable(seen.key()));
            return 0;
        }
        // The host closes its window with cmdClose: the control goes, and a new one takes its place.
        if (!m_host || !m_host->window()->isVisible())
            startSession(m_next % 3 == 1, monkeyUsers().at(m_next % monkeyUsers().size()));
        // A window manager gives the keyboard back to the window left when a dialog closes.
        if (!QGuiApplication::focusWindow())
            activate(m_host->window());
        const MonkeyAction &action = m_script.at(m_next++);
        const QWidget *focus = QApplication::focusWidget();
        trace(QStringLiteral("%1: %2 [focus %3]")
                  .arg(m_next - 1)
                  .arg(action.describe(), focus ? focus->objectName() + '/' + focus->metaObject()->className()
                                                : QStringLiteral("none")));
        m_answers.seed(action.answers);
        m_direct = action.isDirect();
        const auto item = [&action](const auto &list) { return list.at(int(action.a % list.size())); };
        switch (action.kind) {
        case MonkeyAction::Key:
            key(item(monkeyKeys()).key, item(monkeyKeys()).modifiers);
            break;
        case MonkeyAction::Char:
            type(item(monkeyChars()));
            break;
        case MonkeyAction::Text:
            type(item(monkeyWords()));
            if (action.b % 2)
                key(Qt::Key_Return);
            break;
        case MonkeyAction::Click:
        case MonkeyAction::DoubleClick:
            clickTarget(MonkeyTarget(action.a % int(MonkeyTarget::Count)), action.b, action.c,
                        action.kind == MonkeyAction::DoubleClick);
            break;
        case MonkeyAction::Macro:
            macro(action.a, action.b, action.c);
            break;
        case MonkeyAction::Session:
            startSession(action.b % 2, monkeyUsers().at(int(action.c % monkeyUsers().size())));
            break;
        }
        return -1;
    }

    void startSession(bool edit, const QString &user)
    {
        trace(QStringLiteral("new host: %1 mode, user %2").arg(edit ? "edit" : "add", user));
        m_host.reset();
        m_host = std::make_unique<ControlHost>(m_db->connection(), user, edit, m_factory);
        m_host->window()->resize(m_host->window()->sizeHint().expandedTo(QSize(820, 560)));
        if (!m_host->start())
            qWarning("monkey: the host did not start");
        new QAbstractItemModelTester(m_host->form().grdDetail->model(),
                                     QAbstractItemModelTester::FailureReportingMode::Fatal, m_host->window());
    }

    // What does not hold, or "" when everything does.
    QString broken()
    {
        const LineArray &lines = m_host->state()->lines();
        double sum = 0;
        for (int row = 0; row < lines.rowCount(); ++row)
            sum += localeNumber(lines.cellText(row, ColQty)).value_or(0);
        if (const QString shown = m_host->form().txtTotalQty->text(); shown != formatTotal(sum))
            return QStringLiteral("the total shows %1, the %2 lines shown add up to %3")
                .arg(shown)
                .arg(lines.rowCount())
                .arg(formatTotal(sum));
        for (int i = 0; i < (m_engine == TestDatabase::Sqlite ? 3 : 2); ++i) {
            const auto &[what, sql] = StoredFaults[i];
            const QVariant count = m_db->scalar(QLatin1String(sql));
            if (!count.isValid())
                return QStringLiteral("the check of %1 failed: %2").arg(what, m_db->errorText());
            if (count.toInt() != 0)
                return QStringLiteral("the database holds %1 %2").arg(count.toInt()).arg(what);
        }
        return QString();
    }

    // --- Input, as the platform delivers it or straight to the widget (m_direct) ---------------

    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        if (QWidget *focus = QApplication::focusWidget(); m_direct && focus)
            QTest::keyClick(focus, key, modifiers);
        else
            QTest::keyClick(QGuiApplication::focusWindow() ? QGuiApplication::focusWindow()
                                                           : m_host->window()->windowHandle(),
                            key, modifiers);
    }

    void type(const QString &text)
    {
        for (const QChar ch : text) {
            if (QWidget *focus = QApplication::focusWidget(); m_direct && focus)
                QTest::keyClick(focus, ch.toLatin1());
            else
                QTest::keyClick(QGuiApplication::focusWindow() ? QGuiApplication::focusWindow()
                                                               : m_host->window()->windowHandle(),
                                ch.toLatin1());
        }
    }

    // What a window manager does on a click into a window that is not active.
    void activate(QWidget *window)
    {
        if (QGuiApplication::focusWindow() == window->windowHandle())
            return;
        // Activation is reported back by the platform; a few turns of the loop without waiting on
        // the clock keep a script's runs alike.
        window->activateWindow();
        for (int turn = 0; turn < 10 && QGuiApplication::focusWindow() != window->windowHandle(); ++turn)
            QCoreApplication::processEvents();
    }

    void click(QWidget *widget, QPoint at, Qt::KeyboardModifiers modifiers = {}, bool twice = false)
    {
        QWidget *window = widget->window();
        activate(window);
        const QPoint inWindow = widget->mapTo(window, at);
        if (!m_direct) {
            if (twice)
                QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, modifiers, inWindow);
            else
                QTest::mouseClick(window->windowHandle(), Qt::LeftButton, modifiers, inWindow);
            return;
        }
        // Straight to the widget under the pointer (the button inside an open cell editor, say); a
        // double click is a click and a press that the widget takes as a double click.
        QPointer<QWidget> under = window->childAt(inWindow);
        if (!under)
            under = window;
        const QPoint local = under->mapFrom(window, inWindow);
        QTest::mouseClick(under, Qt::LeftButton, modifiers, local);
        if (twice && under)
            QTest::mouseDClick(under, Qt::LeftButton, modifiers, local);
        if (twice && under)
            QTest::mouseRelease(under, Qt::LeftButton, modifiers, local);
    }

    void clickTarget(MonkeyTarget target, quint32 b, quint32 c, bool twice = false)
    {
        LineGrid *grid = m_host->form().grdDetail;
        const int rows = grid->model()->rowCount();
        if (target == MonkeyTarget::Field) {
            // The field named, or the next one shown after it in focus order.
            const QStringList &fields = monkeyFields();
            for (int i = 0; i < fields.size(); ++i) {
                auto *field =
                    m_host->control()->findChild<QWidget *>(fields.at(int((b + i) % fields.size())));
                if (field && field->isVisible())
                    return click(field, field->rect().center(), {}, twice);
            }
        } else if (target == MonkeyTarget::Cell || target == MonkeyTarget::CellButton) {
            const int column = target == MonkeyTarget::Cell ? int(c % LineColumns)
                               : c % 2                      ? ColUnit
                                                            : ColItemCode;
            const QModelIndex index = grid->model()->index(int(b % rows), column);
            if (grid->isColumnHidden(column))
                return;
            grid->scrollTo(index);
            const QRect cell = grid->visualRect(index);
            click(grid->viewport(),
                  target == MonkeyTarget::Cell ? cell.center() : LineDelegate::buttonRect(cell).center(), {},
                  twice);
        } else if (target == MonkeyTarget::Header) {
            QHeaderView *header = grid->horizontalHeader();
            const int section = int(c % LineColumns);
            if (!header->isSectionHidden(section))
                click(header->viewport(),
                      {header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                       header->height() / 2},
                      {}, twice);
        } else if (target == MonkeyTarget::RowSelector) {
            QHeaderView *selector = grid->verticalHeader();
            const int row = int(b % rows);
            grid->scrollTo(grid->model()->index(row, 0));
            const Qt::KeyboardModifiers modifiers[] = {Qt::NoModifier, Qt::ShiftModifier,
                                                       Qt::ControlModifier};
            click(selector->viewport(),
                  {selector->width() / 2,
                   selector->sectionViewportPosition(row) + selector->sectionSize(row) / 2},
                  modifiers[c % 3], twice);
        }
    }

    void clickField(const char *name)
    {
        auto *field = m_host->control()->findChild<QWidget *>(QLatin1String(name));
        if (field && field->isVisible() && field->isEnabled())
            click(field, field->rect().center());
    }

    // Short pieces of work a clerk does, so that vouchers are filled, saved and recalled often.
    void macro(quint32 which, quint32 b, quint32 c)
    {
        const QStringList locations{"1", "2", "3"};
        const QStringList typedItems{"1000000001", "1100000002", "1200000003", "1400000002"};
        const QStringList scannedItems{"BC-100001", "10-00-00-0002", "1100000001", "XYZ"};
        const QStringList quantities{"1", "2", "1.5", "40", "3"};
        const TransferForm &form = m_host->form();
        // A clerk who moves on drops what the line being edited holds first.
        if (which % 5 == 0 || which % 5 == 3) {
            key(Qt::Key_Escape);
            key(Qt::Key_Escape);
        }
        switch (which % 5) {
        case 0: // the source and the destination
            for (const auto &[field, location] : {std::pair{"txtFromLocID", b}, std::pair{"txtToLocID", c}}) {
                clickField(field);
                key(Qt::Key_A, Qt::ControlModifier);
                type(locations.at(int(location % 3)));
                key(Qt::Key_Tab);
            }
            break;
        case 1: // a typed line: code, Tab to the quantity, Down to store it
            clickTarget(MonkeyTarget::Cell, form.grdDetail->model()->rowCount() - 1, ColItemCode);
            type(typedItems.at(int(b % typedItems.size())));
            key(Qt::Key_Tab);
            key(Qt::Key_Tab);
            type(quantities.at(int(c % quantities.size())));
            key(Qt::Key_Down);
            break;
        case 2: // a scanned line
            if (!form.chkScanMode->isChecked())
                clickField("chkScanMode");
            clickTarget(MonkeyTarget::Cell, form.grdDetail->model()->rowCount() - 1, ColItemCode);
            type(scannedItems.at(int(b % scannedItems.size())));
            key(Qt::Key_Return);
            break;
        case 3: // a saved voucher recalled by its number
            clickField("txtDocNo");
            key(Qt::Key_A, Qt::ControlModifier);
            type(QString::number(1 + b % 6));
            key(Qt::Key_Tab);
            break;
        default: // the access key of the save button
            key(form.cmdSave->text() == QLatin1String("&Add") ? Qt::Key_A : Qt::Key_S, Qt::AltModifier);
            break;
        }
    }

    // --- Answers --------------------------------------------------------------------------------

    // A modal window that shows gets its answer from a call of its own, made once the window's loop
    // runs: a button of a message box (by Esc, Enter or a click), a pick or a cancel in a pick list,
    // Esc for anything else. The answer may open the next window, which must be answered
    // meanwhile. Posted calls and no timers keep the order of everything the same on every run.
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ToolTip)
            return true;
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto *window = static_cast<QWidget *>(watched);
            if (window->isWindow() && window->isModal()) {
                trace("  shown: " + window->windowTitle());
                postAnswer();
            }
        }
        return false;
    }

    void postAnswer()
    {
        ++m_pendingAnswers;
        QMetaObject::invokeMethod(this, &MonkeyPlayer::answerModal, Qt::QueuedConnection);
    }

    void answerModal()
    {
        --m_pendingAnswers;
        const QPointer<QWidget> modal = QApplication::activeModalWidget();
        trace("  answering: " + (modal ? modal->windowTitle() : QStringLiteral("nothing")));
        if (!modal || !modal->isVisible())
            return;
        answer(modal);
        // An answer that left its window open (a pick in an empty list), or one given to a window
        // opened over another, leaves a window waiting: it gets the next answer.
        if (m_pendingAnswers == 0 && QApplication::activeModalWidget())
            postAnswer();
    }

    void answer(QWidget *modal)
    {
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            ++m_seen[box->text().left(40)];
            const QList<QAbstractButton *> buttons = box->buttons();
            const quint32 choice = m_answers();
            if (choice % 3 == 0 || buttons.isEmpty())
                QTest::keyClick(box->windowHandle(), Qt::Key_Escape);
            else if (choice % 3 == 1)
                QTest::keyClick(box->windowHandle(), Qt::Key_Return);
            else if (QAbstractButton *button = buttons.at(int(choice / 3 % buttons.size())))
                click(button, button->rect().center());
            if (m_answers() % 4 == 0)
                pressWhileClosing();
        } else if (modal->findChild<QTreeWidget *>(QStringLiteral("lstRows"))) {
            ++m_seen["pick list " + modal->windowTitle()];
            answerList(modal);
        } else {
            QTest::keyClick(modal->windowHandle(), Qt::Key_Escape);
            if (modal->isVisible())
                modal->close();
        }
    }

    void answerList(QWidget *dialog)
    {
        auto *list = dialog->findChild<QTreeWidget *>(QStringLiteral("lstRows"));
        QWindow *window = dialog->windowHandle();
        const int rows = list->topLevelItemCount();
        switch (m_answers() % 6) {
        case 0:
            QTest::keyClick(window, Qt::Key_Escape);
            break;
        case 1: // a row further down, by the keys of the search box
            for (quint32 down = m_answers() % 4; down > 0; --down)
                QTest::keyClick(window, Qt::Key_Down);
            QTest::keyClick(window, Qt::Key_Return);
            break;
        case 2: // a double click on a row
            if (rows > 0) {
                QTreeWidgetItem *item = list->topLevelItem(int(m_answers() % rows));
                list->scrollToItem(item);
                click(list->viewport(), list->visualItemRect(item).center(), {}, true);
            }
            break;
        case 3: // narrowed by what is typed, then the first row
            if (dialog->findChild<QLineEdit *>(QStringLiteral("txtSearch")))
                QTest::keyClick(window, monkeyChars().at(int(m_answers() % monkeyChars().size())).toLatin1());
            QTest::keyClick(window, Qt::Key_Return);
            break;
        case 4: // the dialog's own buttons
            if (auto *button = dialog->findChild<QAbstractButton *>())
                click(button, button->rect().center());
            break;
        default:
            QTest::keyClick(window, Qt::Key_Return);
            break;
        }
    }

    // The user goes on while the box that just answered is still closing: an in-cell button by its
    // keys or by a click, before the box's own loop has returned.
    void pressWhileClosing()
    {
        if (!m_host || !m_host->window()->isVisible())
            return;
        const quint32 how = m_answers() % 3;
        if (how == 2)
            return clickTarget(MonkeyTarget::CellButton, m_answers(), m_answers());
        QTest::keyClick(m_host->window()->windowHandle(), how == 0 ? Qt::Key_F4 : Qt::Key_Down,
                        how == 0 ? Qt::NoModifier : Qt::AltModifier);
    }

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

} // namespace

int playScript(TestDatabase::Engine engine, const QList<MonkeyAction> &script)
{
    return MonkeyPlayer(engine, script).run();
}
