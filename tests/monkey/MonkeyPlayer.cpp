#include "MonkeyPlayer.h"

#include "DemoData.h"
#include "grid/LineDelegate.h"
#include "grid/LineGrid.h"
#include "platform/Numeric.h"

#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <cstdio>

using namespace qvtrnsfr;

namespace {

// Faults in the stored vouchers, each counted by one statement: a line without its header, a
// header whose lines do not add up to its total (a voucher written in part, or with a line the
// database did not take as a number), a line whose quantities are not numbers.
struct StoredFault {
    const char *what;
    const char *sql;
    bool sqliteOnly;
};
const StoredFault StoredFaults[] = {
    {"lines without their header",
     "select count(*) from ICTRAND d where not exists (select 1 from ICTRANH h"
     " where h.FromLocID = d.FromLocID and h.DocNo = d.DocNo)",
     false},
    {"headers whose lines do not add up to their total",
     "select count(*) from ICTRANH h where abs(coalesce((select sum(d.Qty) from ICTRAND d"
     " where d.FromLocID = h.FromLocID and d.DocNo = h.DocNo), 0) - coalesce(h.TotalQty, 0)) > 0.006",
     false},
    {"lines whose quantity, factor, cost or amount is no number",
     "select count(*) from ICTRAND where Qty is null or typeof(Qty) not in ('integer', 'real')"
     " or typeof(Conver) not in ('integer', 'real', 'null') or typeof(Cost) not in ('integer', 'real')"
     " or typeof(Amount) not in ('integer', 'real')",
     true},
};

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

} // namespace

MonkeyPlayer::MonkeyPlayer(TestDatabase::Engine engine, QList<MonkeyAction> script)
    : m_engine(engine), m_script(std::move(script))
{
}

MonkeyPlayer::~MonkeyPlayer() = default;

int MonkeyPlayer::run()
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
    // Played from outside any event loop, as test programs drive a form: what an action released
    // with deleteLater goes in the first loop that runs, a pick list's or a message box's, so
    // that a widget released inside its own event would go while that event is still handled.
    int code = -1;
    while (code < 0) {
        // Back where the event loop would be: what the last action posted runs (a queued press,
        // the row moved on to), what it released goes.
        for (int pass = 0; pass < 8; ++pass)
            QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        code = step();
    }
    m_host.reset();
    return code;
}

// Checks what the last action left, then plays the next one. -1 to go on, else the exit code.
int MonkeyPlayer::step()
{
    if (m_host) {
        if (const QString fault = broken(); !fault.isEmpty()) {
            const MonkeyAction &last = m_script.at(m_next - 1);
            fail(QStringLiteral("%1 (after action %2: %3)").arg(fault).arg(m_next - 1).arg(last.describe()));
            return 3;
        }
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
    play(action);
    return -1;
}

void MonkeyPlayer::startSession(bool edit, const QString &user)
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

void MonkeyPlayer::play(const MonkeyAction &action)
{
    switch (action.kind) {
    case MonkeyAction::Key: {
        const MonkeyKey &k = monkeyKeys().at(int(action.a % monkeyKeys().size()));
        key(k.key, k.modifiers);
        break;
    }
    case MonkeyAction::Char:
        type(monkeyChars().at(int(action.a % monkeyChars().size())));
        break;
    case MonkeyAction::Text:
        type(monkeyWords().at(int(action.a % monkeyWords().size())));
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
    default:
        break;
    }
}

QString MonkeyPlayer::broken()
{
    const LineArray &lines = m_host->state()->lines();
    double sum = 0;
    for (int row = 0; row < lines.rowCount(); ++row) {
        if (const auto qty = localeNumber(lines.cellText(row, ColQty)))
            sum += *qty;
    }
    const QString shown = m_host->form().txtTotalQty->text();
    if (shown != formatTotal(sum))
        return QStringLiteral("the total shows %1, the %2 lines shown add up to %3")
            .arg(shown)
            .arg(lines.rowCount())
            .arg(formatTotal(sum));
    for (const StoredFault &fault : StoredFaults) {
        if (fault.sqliteOnly && m_engine != TestDatabase::Sqlite)
            continue;
        const QVariant count = m_db->scalar(QLatin1String(fault.sql));
        if (!count.isValid())
            return QStringLiteral("the check of %1 failed: %2").arg(fault.what, m_db->errorText());
        if (count.toInt() != 0)
            return QStringLiteral("the database holds %1 %2").arg(count.toInt()).arg(fault.what);
    }
    return QString();
}

// --- Input -------------------------------------------------------------------------------------

QWindow *MonkeyPlayer::keyWindow() const
{
    QWindow *focus = QGuiApplication::focusWindow();
    return focus ? focus : m_host->window()->windowHandle();
}

void MonkeyPlayer::key(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    if (QWidget *focus = QApplication::focusWidget(); m_direct && focus)
        QTest::keyClick(focus, key, modifiers);
    else
        QTest::keyClick(keyWindow(), key, modifiers);
}

void MonkeyPlayer::type(const QString &text)
{
    for (const QChar ch : text) {
        if (QWidget *focus = QApplication::focusWidget(); m_direct && focus)
            QTest::keyClick(focus, ch.toLatin1());
        else
            QTest::keyClick(keyWindow(), ch.toLatin1());
    }
}

// What a window manager does on a click into a window that is not active.
void MonkeyPlayer::activate(QWidget *window)
{
    if (QGuiApplication::focusWindow() == window->windowHandle())
        return;
    // Activation is reported back by the platform; a few turns of the loop without waiting on
    // the clock keep a script's runs alike.
    window->activateWindow();
    for (int turn = 0; turn < 10 && QGuiApplication::focusWindow() != window->windowHandle(); ++turn)
        QCoreApplication::processEvents();
}

void MonkeyPlayer::click(QWidget *widget, QPoint at, Qt::KeyboardModifiers modifiers, bool twice)
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
    if (twice && under) {
        QTest::mouseDClick(under, Qt::LeftButton, modifiers, local);
        if (under)
            QTest::mouseRelease(under, Qt::LeftButton, modifiers, local);
    }
}

void MonkeyPlayer::clickTarget(MonkeyTarget target, quint32 b, quint32 c, bool twice)
{
    LineGrid *grid = m_host->form().grdDetail;
    const int rows = grid->model()->rowCount();
    switch (target) {
    case MonkeyTarget::Field: {
        // The field named, or the next one shown after it in focus order.
        const QStringList &fields = monkeyFields();
        for (int i = 0; i < fields.size(); ++i) {
            auto *field = m_host->control()->findChild<QWidget *>(fields.at(int((b + i) % fields.size())));
            if (field && field->isVisible()) {
                click(field, field->rect().center(), {}, twice);
                return;
            }
        }
        return;
    }
    case MonkeyTarget::Cell:
    case MonkeyTarget::CellButton: {
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
        return;
    }
    case MonkeyTarget::Header: {
        QHeaderView *header = grid->horizontalHeader();
        const int section = int(c % LineColumns);
        if (!header->isSectionHidden(section))
            click(header->viewport(),
                  {header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                   header->height() / 2},
                  {}, twice);
        return;
    }
    case MonkeyTarget::RowSelector: {
        QHeaderView *selector = grid->verticalHeader();
        const int row = int(b % rows);
        grid->scrollTo(grid->model()->index(row, 0));
        const Qt::KeyboardModifiers modifiers[] = {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier};
        click(
            selector->viewport(),
            {selector->width() / 2, selector->sectionViewportPosition(row) + selector->sectionSize(row) / 2},
            modifiers[c % 3], twice);
        return;
    }
    default:
        return;
    }
}

void MonkeyPlayer::clickField(const QString &name)
{
    auto *field = m_host->control()->findChild<QWidget *>(name);
    if (field && field->isVisible() && field->isEnabled())
        click(field, field->rect().center());
}

void MonkeyPlayer::clickCell(int row, int column)
{
    LineGrid *grid = m_host->form().grdDetail;
    const QModelIndex index = grid->model()->index(row, column);
    grid->scrollTo(index);
    click(grid->viewport(), grid->visualRect(index).center());
}

// Short pieces of work a clerk does, so that vouchers are filled, saved and recalled often.
void MonkeyPlayer::macro(quint32 which, quint32 b, quint32 c)
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
        clickField(QStringLiteral("txtFromLocID"));
        key(Qt::Key_A, Qt::ControlModifier);
        type(locations.at(int(b % 3)));
        key(Qt::Key_Tab);
        clickField(QStringLiteral("txtToLocID"));
        key(Qt::Key_A, Qt::ControlModifier);
        type(locations.at(int(c % 3)));
        key(Qt::Key_Tab);
        break;
    case 1: // a typed line: code, Tab to the quantity, Down to store it
        clickCell(form.grdDetail->model()->rowCount() - 1, ColItemCode);
        type(typedItems.at(int(b % typedItems.size())));
        key(Qt::Key_Tab);
        key(Qt::Key_Tab);
        type(quantities.at(int(c % quantities.size())));
        key(Qt::Key_Down);
        break;
    case 2: // a scanned line
        if (!form.chkScanMode->isChecked())
            clickField(QStringLiteral("chkScanMode"));
        clickCell(form.grdDetail->model()->rowCount() - 1, ColItemCode);
        type(scannedItems.at(int(b % scannedItems.size())));
        key(Qt::Key_Return);
        break;
    case 3: // a saved voucher recalled by its number
        clickField(QStringLiteral("txtDocNo"));
        key(Qt::Key_A, Qt::ControlModifier);
        type(QString::number(1 + b % 6));
        key(Qt::Key_Tab);
        break;
    default: // the access key of the save button
        key(form.cmdSave->text() == QLatin1String("&Add") ? Qt::Key_A : Qt::Key_S, Qt::AltModifier);
        break;
    }
}

// --- Answers -----------------------------------------------------------------------------------

// Every modal window the actions open gets one answer: a button of a message box (by
// Esc, Enter or a click), a pick or a cancel in a pick list, Esc for anything else. Answering may
// open the next one, whose answer follows on a later tick.
// A modal window that shows gets its answer from a call of its own, made once the window's loop
// runs: the answer may open the next window, which must be answered meanwhile. Posted calls and
// no timers keep the order of everything the same on every run of a script.
bool MonkeyPlayer::eventFilter(QObject *watched, QEvent *event)
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

void MonkeyPlayer::postAnswer()
{
    ++m_pendingAnswers;
    QMetaObject::invokeMethod(this, &MonkeyPlayer::answerModal, Qt::QueuedConnection);
}

void MonkeyPlayer::answerModal()
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

void MonkeyPlayer::answer(QWidget *modal)
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
        return;
    }
    if (modal->findChild<QTreeWidget *>(QStringLiteral("lstRows"))) {
        ++m_seen["pick list " + modal->windowTitle()];
        answerList(modal);
        return;
    }
    QTest::keyClick(modal->windowHandle(), Qt::Key_Escape);
    if (modal->isVisible())
        modal->close();
}

void MonkeyPlayer::answerList(QWidget *dialog)
{
    auto *list = dialog->findChild<QTreeWidget *>(QStringLiteral("lstRows"));
    auto *search = dialog->findChild<QLineEdit *>(QStringLiteral("txtSearch"));
    QWindow *window = dialog->windowHandle();
    const quint32 choice = m_answers();
    const int rows = list->topLevelItemCount();
    switch (choice % 6) {
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
        if (search)
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
void MonkeyPlayer::pressWhileClosing()
{
    if (!m_host || !m_host->window()->isVisible())
        return;
    switch (m_answers() % 3) {
    case 0:
        QTest::keyClick(m_host->window()->windowHandle(), Qt::Key_F4);
        break;
    case 1:
        QTest::keyClick(m_host->window()->windowHandle(), Qt::Key_Down, Qt::AltModifier);
        break;
    default:
        clickTarget(MonkeyTarget::CellButton, m_answers(), m_answers(), false);
        break;
    }
}
