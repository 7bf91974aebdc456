// Every key of the line grid, with or without an open cell editor, is decided here: the view's
// keyPressEvent and the one event filter installed on each cell editor both come through.

#include "grid/LineDelegate.h"
#include "grid/LineGrid.h"
#include "grid/LineModel.h"
#include "platform/NoThrow.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScopedValueRollback>

#include <memory>

namespace qvtrnsfr {

namespace {

const int BackspaceCode = 8;

Qt::KeyboardModifiers modifiersOf(const QKeyEvent *event)
{
    return event->modifiers() & ~Qt::KeypadModifier;
}

bool isTab(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
}

bool isBackward(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
}

// The character a key press types: its printable text, or 8 for Backspace; 0 when it types none.
int typedCode(const QKeyEvent *event)
{
    if (modifiersOf(event) & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return 0;
    if (event->key() == Qt::Key_Backspace)
        return BackspaceCode;
    const QString text = event->text();
    return text.size() == 1 && text.at(0).isPrint() ? text.at(0).unicode() : 0;
}

// The key press that types code instead of what the user typed.
std::unique_ptr<QKeyEvent> keyTyping(int code, const QKeyEvent *original)
{
    if (code == BackspaceCode)
        return std::make_unique<QKeyEvent>(QEvent::KeyPress, Qt::Key_Backspace, original->modifiers(),
                                           QStringLiteral("\b"));
    const QChar character(code);
    const ushort upper = character.toUpper().unicode();
    const int key = upper >= 0x20 && upper < 0x7f ? int(upper) : int(Qt::Key_unknown);
    return std::make_unique<QKeyEvent>(QEvent::KeyPress, key, original->modifiers(), QString(character));
}

} // namespace

void LineGrid::keyPressEvent(QKeyEvent *event)
{
    bool handled = false;
    runNoThrow("key", [&] { handled = handleViewKey(event); });
    if (handled)
        event->accept();
    else
        QTableView::keyPressEvent(event);
}

bool LineGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_editor && event->type() == QEvent::KeyPress && !m_rewritingKey) {
        bool handled = false;
        runNoThrow("editor key", [&] { handled = handleEditorKey(static_cast<QKeyEvent *>(event)); });
        return handled;
    }
    return QTableView::eventFilter(watched, event);
}

// Keys with no cell editor open.
bool LineGrid::handleViewKey(QKeyEvent *event)
{
    if (handleCommonKey(event))
        return true;
    const bool plain = modifiersOf(event) == Qt::NoModifier;
    const bool control = modifiersOf(event) == Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Left:
        if (!plain)
            return false;
        navigate(event->key() == Qt::Key_Right ? Move::Right : Move::Left);
        return true;
    case Qt::Key_Home:
    case Qt::Key_End:
        if (!plain && !control)
            return false;
        if (event->key() == Qt::Key_Home)
            navigate(control ? Move::First : Move::Home);
        else
            navigate(control ? Move::Last : Move::End);
        return true;
    case Qt::Key_Escape:
        if (!isRowDirty())
            return false; // nothing to cancel: the key goes on to the window
        cancelRowEdit();
        return true;
    case Qt::Key_Delete:
        return plain && deleteSelectedRows();
    default:
        break;
    }
    if (typedCode(event) == 0)
        return false;
    startEditWith(event);
    return true;
}

// Keys inside an open cell editor; what is not taken here goes on to the editor.
bool LineGrid::handleEditorKey(QKeyEvent *event)
{
    // A key that moves on may store the row, and a refused row shows a message box: its loop may
    // release the editor, which must not happen while the editor's own key is being handled. The
    // move runs once that key has been.
    if (const CommonKey command = commonKeyOf(event); command != CommonKey::None) {
        QMetaObject::invokeMethod(
            this, [this, command] { runNoThrow("editor key", [&] { runCommonKey(command); }); },
            Qt::QueuedConnection);
        return true;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        commitEditor();
        return true;
    case Qt::Key_Escape:
        discardEditor();
        return true;
    default:
        break;
    }
    const int typed = typedCode(event);
    if (typed == 0)
        return false;
    int code = typed;
    emit gridKeyPress(code);
    if (code == typed)
        return false;
    if (code != 0 && m_editor) {
        const auto changed = keyTyping(code, event);
        const QScopedValueRollback<bool> rewriting(m_rewritingKey, true);
        QCoreApplication::sendEvent(m_editor, changed.get());
    }
    return true;
}

bool LineGrid::handleCommonKey(QKeyEvent *event)
{
    const CommonKey command = commonKeyOf(event);
    runCommonKey(command);
    return command != CommonKey::None;
}

// Keys that act the same with or without an open editor: Tab and Shift+Tab wrap through the
// cells, Ctrl+Tab leaves the grid, F4 and Alt+Down press the cell's button (where it has one),
// Up, Down, Page Up and Page Down move between rows.
LineGrid::CommonKey LineGrid::commonKeyOf(const QKeyEvent *event) const
{
    const Qt::KeyboardModifiers modifiers = modifiersOf(event);
    if (isTab(event)) {
        if (modifiers & Qt::ControlModifier)
            return isBackward(event) ? CommonKey::LeaveBackward : CommonKey::LeaveForward;
        return isBackward(event) ? CommonKey::TabBackward : CommonKey::TabForward;
    }
    const bool plain = modifiers == Qt::NoModifier;
    const QModelIndex current = currentIndex();
    const bool hasButton = current.isValid() && LineDelegate::hasCellButton(current.column());
    switch (event->key()) {
    case Qt::Key_F4:
        return plain && hasButton ? CommonKey::Button : CommonKey::None;
    case Qt::Key_Down:
        if (modifiers == Qt::AltModifier)
            return hasButton ? CommonKey::Button : CommonKey::None;
        return plain ? CommonKey::Down : CommonKey::None;
    case Qt::Key_Up:
        return plain ? CommonKey::Up : CommonKey::None;
    case Qt::Key_PageUp:
        return plain ? CommonKey::PageUp : CommonKey::None;
    case Qt::Key_PageDown:
        return plain ? CommonKey::PageDown : CommonKey::None;
    default:
        return CommonKey::None;
    }
}

void LineGrid::runCommonKey(CommonKey command)
{
    switch (command) {
    case CommonKey::None:
        break;
    case CommonKey::TabForward:
    case CommonKey::TabBackward:
        tabMove(command == CommonKey::TabForward);
        break;
    case CommonKey::LeaveForward:
    case CommonKey::LeaveBackward:
        leaveGrid(command == CommonKey::LeaveForward);
        break;
    case CommonKey::Button:
        if (const QModelIndex current = currentIndex();
            current.isValid() && LineDelegate::hasCellButton(current.column()))
            pressCellButton(current);
        break;
    case CommonKey::Down:
        navigate(Move::Down);
        break;
    case CommonKey::Up:
        navigate(Move::Up);
        break;
    case CommonKey::PageUp:
        navigate(Move::PageUp);
        break;
    case CommonKey::PageDown:
        navigate(Move::PageDown);
        break;
    }
}

// Typing on a cell: the character is offered to gridKeyPress first, then opens the editor.
void LineGrid::startEditWith(QKeyEvent *event)
{
    if (!currentIndex().isValid() && !moveTo(0, nextNavigable(-1, 1)))
        return;
    const int typed = typedCode(event);
    int code = typed;
    emit gridKeyPress(code);
    const QModelIndex current = currentIndex();
    if (code == 0 || !current.isValid())
        return;
    if (code == typed) {
        edit(current, AnyKeyPressed, event);
        return;
    }
    const auto changed = keyTyping(code, event);
    edit(current, AnyKeyPressed, changed.get());
}

void LineGrid::navigate(Move move)
{
    commitEditor();
    const QModelIndex current = currentIndex();
    if (!current.isValid()) {
        moveTo(0, nextNavigable(-1, 1));
        return;
    }
    const int row = current.row();
    const int column = current.column();
    const int first = nextNavigable(-1, 1);
    const int last = nextNavigable(LineColumns, -1);
    const int page = qMax(1, viewport()->height() / qMax(1, verticalHeader()->defaultSectionSize()));
    const int bottom = m_model->rowCount() - 1;
    switch (move) {
    case Move::Right:
        if (const int next = nextNavigable(column, 1); next >= 0)
            moveTo(row, next);
        else
            moveTo(row + 1, first);
        break;
    case Move::Left:
        if (const int previous = nextNavigable(column, -1); previous >= 0)
            moveTo(row, previous);
        else
            moveTo(row - 1, last);
        break;
    case Move::Up:
        moveTo(row - 1, column);
        break;
    case Move::Down:
        moveTo(row + 1, column);
        break;
    case Move::PageUp:
        moveTo(qMax(0, row - page), column);
        break;
    case Move::PageDown:
        moveTo(qMin(bottom, row + page), column);
        break;
    case Move::Home:
        moveTo(row, first);
        break;
    case Move::End:
        moveTo(row, last);
        break;
    case Move::First:
        moveTo(0, column);
        break;
    case Move::Last:
        moveTo(bottom, column);
        break;
    }
}

// Moves the cursor, storing the row being left first. row may be one past the last row: the line
// that appears below the new-row line once that line is stored.
bool LineGrid::moveTo(int row, int column)
{
    commitEditor();
    if (row < 0 || row > m_model->rowCount() || column < 0)
        return false;
    const int from = currentRowIndex();
    if (from >= 0 && row != from && !storeCurrentRow())
        return false;
    if (row >= m_model->rowCount())
        return false;
    setCurrentIndex(m_model->index(row, column));
    return currentRowIndex() == row;
}

void LineGrid::tabMove(bool forward)
{
    commitEditor();
    const QModelIndex current = currentIndex();
    if (!current.isValid()) {
        if (!moveTo(0, nextNavigable(-1, 1)))
            leaveGrid(forward);
        return;
    }
    if (const int next = nextNavigable(current.column(), forward ? 1 : -1); next >= 0) {
        moveTo(current.row(), next);
        return;
    }
    // Past the end of the row: on to the next row, or out of the grid where there is none.
    if (forward && isNewRow() && !isRowDirty()) {
        leaveGrid(true);
        return;
    }
    if (!forward && current.row() == 0) {
        leaveGrid(false);
        return;
    }
    if (forward)
        moveTo(current.row() + 1, nextNavigable(-1, 1));
    else
        moveTo(current.row() - 1, nextNavigable(LineColumns, -1));
}

void LineGrid::leaveGrid(bool forward)
{
    commitEditor();
    QAbstractScrollArea::focusNextPrevChild(forward);
}

} // namespace qvtrnsfr
