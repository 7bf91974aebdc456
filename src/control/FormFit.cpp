#include "control/FormFit.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOption>

namespace qvtrnsfr {

namespace {

// The field's size less the part its style keeps for the text: what surrounds the text.
QSize around(const QWidget *field, const QRect &textArea)
{
    return field->size() - textArea.size();
}

QSize lineEditRoom(const QLineEdit *edit)
{
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.rect = edit->rect();
    option.lineWidth =
        edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
    const QRect area = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
    const QMargins margins = edit->textMargins();
    return {0, edit->fontMetrics().height() + margins.top() + margins.bottom() + around(edit, area).height()};
}

QSize comboRoom(const QComboBox *combo)
{
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.rect = combo->rect();
    option.editable = combo->isEditable();
    option.frame = combo->hasFrame();
    const QRect area =
        combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
    return {0, combo->fontMetrics().height() + around(combo, area).height()};
}

// A spin box (the date field) shows its text in an inner line edit; its width must take its
// longest text, which is what its size hint measures.
QSize spinBoxRoom(const QAbstractSpinBox *box)
{
    const auto *inner = box->findChild<QLineEdit *>();
    if (!inner)
        return box->sizeHint();
    const QSize innerRoom = lineEditRoom(inner);
    return {box->sizeHint().width(), innerRoom.height() + box->height() - inner->height()};
}

QSize buttonRoom(const QPushButton *button)
{
    if (button->text().isEmpty())
        return {};
    QStyleOptionButton option;
    option.initFrom(button);
    option.rect = button->rect();
    option.text = button->text();
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    const QRect area = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    const QSize text = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
    return text + around(button, area);
}

QSize checkBoxRoom(const QCheckBox *box)
{
    QStyleOptionButton option;
    option.initFrom(box);
    option.rect = box->rect();
    option.text = box->text();
    const QRect area = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
    const QSize text = box->fontMetrics().size(Qt::TextShowMnemonic, box->text());
    return text + around(box, area);
}

QSize labelRoom(const QLabel *label)
{
    const QSize text = label->fontMetrics().size(Qt::TextShowMnemonic, label->text());
    return text + around(label, label->contentsRect());
}

} // namespace

QSize textRoom(const QWidget *field)
{
    if (const auto *label = qobject_cast<const QLabel *>(field))
        return labelRoom(label);
    if (const auto *box = qobject_cast<const QCheckBox *>(field))
        return checkBoxRoom(box);
    if (const auto *button = qobject_cast<const QPushButton *>(field))
        return buttonRoom(button);
    if (const auto *edit = qobject_cast<const QLineEdit *>(field))
        return lineEditRoom(edit);
    if (const auto *combo = qobject_cast<const QComboBox *>(field))
        return comboRoom(combo);
    if (const auto *box = qobject_cast<const QAbstractSpinBox *>(field))
        return spinBoxRoom(box);
    return {};
}

} // namespace qvtrnsfr
