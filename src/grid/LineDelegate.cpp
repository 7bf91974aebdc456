#include "grid/LineDelegate.h"

#include "grid/LineModel.h"
#include "voucher/LineArray.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace qvtrnsfr {

namespace {

// "##-##-##-####": digits, not all required, so a partly typed code can be committed; the
// dashes stay in the text; '_' shows the free places.
const QString ItemCodeMask = QStringLiteral("99-99-99-9999;_");
const int ButtonWidth = 16;

QStyle *styleOf(const QWidget *widget)
{
    return widget ? widget->style() : QApplication::style();
}

} // namespace

LineDelegate::LineDelegate(QObject *parent) : QStyledItemDelegate(parent) {}

bool LineDelegate::hasCellButton(int column)
{
    return column == ColItemCode || column == ColUnit;
}

QRect LineDelegate::buttonRect(const QRect &cell)
{
    const int width = qMin(ButtonWidth, cell.width() / 2);
    return QRect(cell.right() - width + 1, cell.top(), width, cell.height());
}

QString LineDelegate::editorText(const QWidget *editor)
{
    const auto *line = qobject_cast<const QLineEdit *>(editor);
    if (!line)
        return QString();
    const QString text = line->text();
    // Nothing typed into a mask leaves only its literals ("---"): the empty text.
    const bool onlyLiterals =
        std::none_of(text.cbegin(), text.cend(), [](QChar c) { return c.isLetterOrNumber(); });
    return !line->inputMask().isEmpty() && onlyLiterals ? QString() : text;
}

QWidget *LineDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                    const QModelIndex &index) const
{
    Q_UNUSED(option)
    auto *editor = new QLineEdit(parent);
    editor->setFrame(false);
    editor->setAlignment(LineModel::isRightAligned(index.column()) ? Qt::AlignRight : Qt::AlignLeft);
    if (index.column() == ColItemCode && m_itemCodeMasked)
        editor->setInputMask(ItemCodeMask);
    if (hasCellButton(index.column())) {
        QAction *button = editor->addAction(styleOf(parent)->standardIcon(QStyle::SP_ArrowDown),
                                            QLineEdit::TrailingPosition);
        button->setToolTip(tr("Pick from the list (F4)"));
        auto *self = const_cast<LineDelegate *>(this);
        connect(button, &QAction::triggered, self,
                [self, cell = QPersistentModelIndex(index)] { emit self->buttonClicked(cell); });
    }
    return editor;
}

void LineDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        line->setText(index.data(Qt::EditRole).toString());
}

void LineDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    model->setData(index, editorText(editor), Qt::EditRole);
}

void LineDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                        const QModelIndex &index) const
{
    Q_UNUSED(index)
    editor->setGeometry(option.rect);
}

void LineDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (!LineModel::isUserColumn(index.column())) {
        option->backgroundBrush = option->palette.toolTipBase();
        option->palette.setBrush(QPalette::Text, option->palette.toolTipText());
    }
}

void LineDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                         const QModelIndex &index) const
{
    if (!hasCellButton(index.column())) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem textPart = option;
    textPart.rect.setRight(buttonRect(option.rect).left() - 1);
    QStyledItemDelegate::paint(painter, textPart, index);
    paintButton(painter, option);
}

void LineDelegate::paintButton(QPainter *painter, const QStyleOptionViewItem &option) const
{
    QStyle *style = styleOf(option.widget);
    QStyleOptionButton button;
    button.rect = buttonRect(option.rect);
    button.palette = option.palette;
    button.state = QStyle::State_Enabled | QStyle::State_Raised;
    style->drawControl(QStyle::CE_PushButtonBevel, &button, painter, option.widget);
    QStyleOption arrow;
    arrow.rect = button.rect.adjusted(3, 3, -3, -3);
    arrow.palette = option.palette;
    arrow.state = QStyle::State_Enabled;
    style->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, painter, option.widget);
}

bool LineDelegate::editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                               const QModelIndex &index)
{
    const bool mouse =
        event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::MouseButtonDblClick;
    if (mouse && hasCellButton(index.column())) {
        const auto *click = static_cast<QMouseEvent *>(event);
        if (click->button() == Qt::LeftButton &&
            buttonRect(option.rect).contains(click->position().toPoint())) {
            // A double click on the button is two clicks of the button, never an editor.
            if (event->type() == QEvent::MouseButtonRelease)
                emit buttonClicked(QPersistentModelIndex(index));
            return true;
        }
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}

} // namespace qvtrnsfr
