#include "grid/LineGrid.h"

#include "grid/LineDelegate.h"
#include "grid/LineModel.h"
#include "grid/RowGuardSelectionModel.h"
#include "platform/NoThrow.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QMessageBox>
#include <QScopedValueRollback>
#include <QStyleOptionHeader>
#include <QtMath>

#include <algorithm>
#include <utility>

namespace qvtrnsfr {

namespace {

const std::array<double, LineColumns> SetupWidthsTwips = {1289, 1470, 1379, 1470, 900, 1470, 1470, 1000};
const double RowHeightTwips = 250;
const double FontPoints = 9;
const double HeaderTextLines = 1.2;
const double MaxWidthPixels = 10000;

} // namespace

LineGrid::LineGrid(QWidget *parent)
    : QTableView(parent), m_model(new LineModel(this)), m_delegate(new LineDelegate(this)), m_guard(nullptr)
{
    setModel(m_model);
    QItemSelectionModel *initial = selectionModel();
    m_guard = new RowGuardSelectionModel(m_model, this);
    setSelectionModel(m_guard);
    delete initial;
    setItemDelegate(m_delegate);
    setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);
    setTabKeyNavigation(true);
    setSelectionMode(ExtendedSelection);
    setSelectionBehavior(SelectItems);
    setWordWrap(false);
    horizontalHeader()->setSectionsMovable(false);
    verticalHeader()->setSectionsClickable(true);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    for (int column = 0; column < LineColumns; ++column)
        m_widthsTwips[column] = columnWidth(column) * TwipsPerPixel;
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int pixels) { takeDraggedWidth(column, pixels); });
    connect(m_delegate, &LineDelegate::buttonClicked, this, &LineGrid::pressCellButton);
}

LineGrid::~LineGrid() = default;

void LineGrid::setupColumns()
{
    fitFont();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionsMovable(false);
    for (int column = 0; column < LineColumns; ++column) {
        setColumnHidden(column, false);
        setColumnWidthTwips(column, SetupWidthsTwips[column]);
    }
    setColumnHidden(ColSalePrice, true);
    fitToFont();
}

void LineGrid::fitFont()
{
    // Only the size is the grid's own: family and style follow the parent's font.
    const QFont inherited = parentWidget() ? parentWidget()->font() : font();
    QFont sized;
    sized.setPointSizeF(std::max(FontPoints, inherited.pointSizeF()));
    setFont(sized);
}

// Rows and header take a line of the grid's font at least; columns are as wide as set, or as
// their caption when that is wider.
void LineGrid::fitToFont()
{
    const QFontMetricsF metrics(horizontalHeader()->font());
    horizontalHeader()->setFixedHeight(qCeil(metrics.lineSpacing() * HeaderTextLines));
    const int rowHeight = std::max(qRound(RowHeightTwips / TwipsPerPixel), fontMetrics().height());
    verticalHeader()->setMinimumSectionSize(qMin(verticalHeader()->minimumSectionSize(), rowHeight));
    verticalHeader()->setDefaultSectionSize(rowHeight);
    for (int column = 0; column < LineColumns; ++column)
        setColumnWidthTwips(column, m_widthsTwips[column]);
}

// The width of a header section that shows the column's caption whole, margins included.
int LineGrid::captionWidth(int column) const
{
    const QHeaderView *header = horizontalHeader();
    QStyleOptionHeader option;
    option.initFrom(header);
    option.orientation = Qt::Horizontal;
    option.section = column;
    option.text = m_model->headerData(column, Qt::Horizontal).toString();
    return header->style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), header).width();
}

int LineGrid::shownWidth(int column, double twips) const
{
    return std::max(qRound(qMin(twips / TwipsPerPixel, MaxWidthPixels)), captionWidth(column));
}

double LineGrid::columnWidthTwips(int column) const
{
    return column >= 0 && column < LineColumns ? m_widthsTwips[column] : 0.0;
}

void LineGrid::setColumnWidthTwips(int column, double twips)
{
    if (column < 0 || column >= LineColumns || !(twips >= 0))
        return;
    m_widthsTwips[column] = twips;
    const QScopedValueRollback<bool> setting(m_settingWidth, true);
    setColumnWidth(column, shownWidth(column, twips));
}

void LineGrid::takeDraggedWidth(int column, int pixels)
{
    if (m_settingWidth || column < 0 || column >= LineColumns || pixels <= 0 || isColumnHidden(column))
        return;
    // Showing a column again reports the pixel width of its stored twips: keep those exactly.
    if (shownWidth(column, m_widthsTwips[column]) == pixels)
        return;
    // A column dragged narrower than its caption stops at the caption's width.
    if (const int least = captionWidth(column); pixels < least) {
        const QScopedValueRollback<bool> setting(m_settingWidth, true);
        setColumnWidth(column, least);
        pixels = least;
    }
    m_widthsTwips[column] = pixels * TwipsPerPixel;
}

void LineGrid::setItemCodeMasked(bool masked)
{
    m_delegate->setItemCodeMasked(masked);
}

bool LineGrid::itemCodeMasked() const
{
    return m_delegate->itemCodeMasked();
}

void LineGrid::bind(LineArray *lines)
{
    discardEditor();
    m_pendingCommit = -1;
    m_refusedColumn = -1;
    m_model->bind(lines);
}

LineArray *LineGrid::lines() const
{
    return m_model->lines();
}

int LineGrid::currentRowIndex() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

int LineGrid::currentColumn() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.column() : -1;
}

void LineGrid::setCurrentColumn(int column)
{
    if (column < 0 || column >= LineColumns || m_model->rowCount() == 0)
        return;
    const int row = qMax(0, currentRowIndex());
    setCurrentIndex(m_model->index(row, column));
}

bool LineGrid::isNewRow() const
{
    return m_model->isNewRowLine(currentRowIndex());
}

bool LineGrid::isRowDirty() const
{
    const int row = currentRowIndex();
    return row >= 0 && m_model->bufferRow() == row;
}

QVariant LineGrid::cell(int column) const
{
    const int row = currentRowIndex();
    return row < 0 ? QVariant() : normalizedCellValue(column, m_model->value(row, column));
}

QString LineGrid::cellText(int column) const
{
    return cell(column).toString();
}

void LineGrid::setCell(int column, const QVariant &value)
{
    const int row = currentRowIndex();
    if (row < 0 || !m_model->setValue(row, column, value))
        return;
    if (m_editor && m_editIndex.column() == column)
        m_delegate->setEditorData(m_editor, m_editIndex);
}

bool LineGrid::storeCurrentRow()
{
    if (m_storing)
        return false;
    commitEditor();
    const int row = currentRowIndex();
    if (row < 0 || m_model->bufferRow() != row)
        return true;
    bool cancel = false;
    {
        const QScopedValueRollback<bool> storing(m_storing, true);
        if (!runNoThrow("rowStoring", [&] { emit rowStoring(cancel); }))
            cancel = true; // a failing check never lets the row through
    }
    if (cancel)
        return false;
    if (m_model->bufferRow() != row)
        return true; // a handler dropped the changes itself
    m_model->storeBuffer();
    emit rowStored();
    return true;
}

void LineGrid::cancelRowEdit()
{
    discardEditor();
    m_model->dropBuffer();
}

void LineGrid::moveDown()
{
    if (m_committing) {
        QMetaObject::invokeMethod(
            this, [this] { runNoThrow("moveDown", [this] { moveDown(); }); }, Qt::QueuedConnection);
        return;
    }
    navigate(Move::Down);
}

// Where the cursor may go instead of index, or an invalid index when it must stay: a column the
// user does not type into gives way to the nearest one of that row; leaving the row stores it.
QModelIndex LineGrid::acceptCursor(const QModelIndex &index)
{
    QModelIndex target;
    runNoThrow("cursor", [&] {
        const int row = index.row();
        const int column = isNavigable(index.column()) ? index.column() : nearestNavigable(index.column());
        if (column < 0)
            return;
        const int from = currentRowIndex();
        if (from >= 0 && row != from && !storeCurrentRow())
            return;
        target = m_model->index(row, column);
    });
    return target;
}

bool LineGrid::isNavigable(int column) const
{
    return LineModel::isUserColumn(column) && !isColumnHidden(column);
}

int LineGrid::nearestNavigable(int column) const
{
    for (int distance = 1; distance < LineColumns; ++distance) {
        if (isNavigable(column - distance))
            return column - distance;
        if (isNavigable(column + distance))
            return column + distance;
    }
    return -1;
}

int LineGrid::nextNavigable(int column, int step) const
{
    for (int next = column + step; next >= 0 && next < LineColumns; next += step) {
        if (isNavigable(next))
            return next;
    }
    return -1;
}

bool LineGrid::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    // No editor ever opens outside the current row: the row must be entered (and the one left
    // stored) first.
    if (!index.isValid() || index.row() != currentRowIndex())
        return false;
    if (!QTableView::edit(index, trigger, event))
        return false;
    QWidget *editor = indexWidget(index);
    if (editor && editor != m_editor) {
        m_editor = editor;
        m_editIndex = index;
        editor->installEventFilter(this);
    }
    return true;
}

void LineGrid::commitEditor()
{
    if (QWidget *editor = m_editor) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void LineGrid::discardEditor()
{
    if (QWidget *editor = m_editor) {
        m_pendingCommit = -1;
        m_refusedColumn = -1;
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
    }
}

void LineGrid::commitData(QWidget *editor)
{
    if (!editor || editor != m_editor) {
        QTableView::commitData(editor);
        return;
    }
    const int row = m_editIndex.row();
    const int column = m_editIndex.column();
    const int limit = LineModel::maxLength(column);
    if (limit > 0 && LineDelegate::editorText(editor).size() > limit) {
        m_refusedColumn = column; // raised once the editor is closed
        return;
    }
    const QString before = normalizedCellValue(column, m_model->value(row, column)).toString();
    QTableView::commitData(editor);
    // The view re-installs the delegate's filter while committing; keys must reach ours first.
    editor->removeEventFilter(this);
    editor->installEventFilter(this);
    if (m_model->value(row, column).toString() != before)
        m_pendingCommit = column;
}

void LineGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    const bool ours = editor && editor == m_editor;
    if (ours) {
        editor->removeEventFilter(this);
        m_editor = nullptr;
        m_editIndex = QPersistentModelIndex();
    }
    // Where the cursor goes next is decided by the grid's own keys, never by the delegate.
    const auto kept = hint == QAbstractItemDelegate::RevertModelCache ? hint : QAbstractItemDelegate::NoHint;
    QTableView::closeEditor(editor, kept);
    if (ours)
        runNoThrow("cellCommitted", [this] { raisePendingCommit(); });
}

// Tells what the closed editor left behind: a refused value, or a changed one (cellCommitted).
void LineGrid::raisePendingCommit()
{
    if (const int refused = std::exchange(m_refusedColumn, -1); refused >= 0)
        raiseDataError(DataErrorTextTooLong, refused);
    const int column = std::exchange(m_pendingCommit, -1);
    if (column < 0)
        return;
    const QScopedValueRollback<bool> committing(m_committing, true);
    emit cellCommitted(column);
}

// The column captions are the model's, in the current language: a change of language repaints
// them. Captions in another language, a new font or style may need wider columns.
void LineGrid::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        emit m_model->headerDataChanged(Qt::Horizontal, 0, LineColumns - 1);
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange ||
        event->type() == QEvent::LanguageChange)
        fitToFont();
}

void LineGrid::raiseDataError(int code, int column)
{
    int response = 1;
    emit gridDataError(code, response);
    if (response == 0)
        return;
    QMessageBox::warning(this, window()->windowTitle(),
                         tr("The text is too long for this column: it takes at most %1 characters.")
                             .arg(LineModel::maxLength(column)));
}

// The press is handled once the click or key that made it has been: the pick list it opens and
// what the pick changes (the editor closed, the row stored or refused, the lines re-bound) must
// not remove the editor or its button while their own event is still being handled.
void LineGrid::pressCellButton(const QPersistentModelIndex &index)
{
    QMetaObject::invokeMethod(
        this, [this, index] { runCellButton(index); }, Qt::QueuedConnection);
}

void LineGrid::runCellButton(const QPersistentModelIndex &index)
{
    runNoThrow("cellButtonPressed", [&] {
        if (!index.isValid() || index.row() != currentRowIndex())
            return;
        const int column = index.column();
        if (column != currentColumn())
            setCurrentIndex(index);
        commitEditor();
        if (column == currentColumn())
            emit cellButtonPressed(column);
    });
}

void LineGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    m_model->setCurrentRow(current.isValid() ? current.row() : -1);
}

bool LineGrid::deleteSelectedRows()
{
    QList<int> rows;
    const QModelIndexList selected = selectionModel()->selectedRows();
    for (const QModelIndex &index : selected) {
        if (index.row() < m_model->storedRowCount())
            rows.append(index.row());
    }
    if (rows.isEmpty())
        return false;
    // From the bottom up, so that the indexes still to remove stay valid.
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    for (const int row : std::as_const(rows)) {
        m_model->removeStoredRow(row);
        emit rowDeleted();
    }
    m_model->setCurrentRow(currentRowIndex());
    if (!currentIndex().isValid() && m_model->rowCount() > 0)
        setCurrentIndex(m_model->index(qMin(rows.last(), m_model->rowCount() - 1), nextNavigable(-1, 1)));
    return true;
}

} // namespace qvtrnsfr
