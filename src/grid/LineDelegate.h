#pragma once
// Paints and edits the cells of the line grid: a line editor per cell, with the edit mask
// "##-##-##-####" on "Item Code" in keyboard mode; a push-button area at the right of "Item Code"
// and "Unit" (painted in the cell, a real button inside the open editor); the columns written only
// by code on the tooltip background.

#include <QPersistentModelIndex>
#include <QStyledItemDelegate>

namespace qvtrnsfr {

class LineDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit LineDelegate(QObject *parent = nullptr);

    static bool hasCellButton(int column);
    // The button area inside a cell's rectangle.
    static QRect buttonRect(const QRect &cell);

    void setItemCodeMasked(bool masked) { m_itemCodeMasked = masked; }
    bool itemCodeMasked() const { return m_itemCodeMasked; }
    // The text an open editor would commit: a mask with nothing typed gives the empty text.
    static QString editorText(const QWidget *editor);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;

signals:
    // The in-cell button of that cell was clicked (painted area or the editor's button).
    void buttonClicked(const QPersistentModelIndex &index);

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    void paintButton(QPainter *painter, const QStyleOptionViewItem &option) const;

    bool m_itemCodeMasked = true;
};

} // namespace qvtrnsfr
