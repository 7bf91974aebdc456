#pragma once
// The pick list's window: a search box (txtSearch) over a list of rows (lstRows, a QTreeWidget
// whose first column is the key column, then the source's other columns in their order) and a
// note line (lblNote). Typing narrows the list on the key column; Up, Down, Page Up and Page Down
// in the search box move in the list; Enter or a double-click picks the current row, Esc
// cancels. Rows come a page at a time, ordered by the key column; the next page follows when
// the list is scrolled or moved past its end.

#include "companions/LookupQuery.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace companions {

struct LookupListOptions {
    std::optional<LookupFilter> filter; // empty: the condition could not be read, nothing is listed
    int keyColumn = 0;
    int resultColumn = 0;
    QString search;
};

class LookupListDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int PageSize = 500;
    static constexpr int FittedRows = 100; // the rows the columns' widths are fitted to

    LookupListDialog(const LookupSource &source, const LookupListOptions &options, QWidget *parent = nullptr);

    // The result column's value of the picked row; "" when nothing was picked.
    QString selectedValue() const { return m_selected; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildUi();
    void reload();
    QList<QTreeWidgetItem *> readPage(); // the next page's rows, not yet in the list
    void loadMoreAtEnd();
    bool moveInList(QKeyEvent *event);
    void pick();
    void showNote(const QString &text);

    LookupSource m_source;
    LookupListOptions m_options;
    QList<int> m_shownColumns; // source positions in list order, key first
    QLineEdit *m_search = nullptr;
    QTreeWidget *m_list = nullptr;
    QLabel *m_note = nullptr;
    int m_loaded = 0;
    bool m_more = false;
    QString m_selected;
};

} // namespace companions
