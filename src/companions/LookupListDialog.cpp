#include "companions/LookupListDialog.h"

#include "companions/CompanionsLog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSqlError>
#include <QSqlQuery>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace companions {

namespace {

bool execStatement(QSqlQuery &query, const LookupStatement &statement)
{
    if (!query.prepare(statement.sql))
        return false;
    for (const QVariant &value : statement.binds)
        query.addBindValue(value);
    return query.exec();
}

} // namespace

LookupListDialog::LookupListDialog(const LookupSource &source, const LookupListOptions &options,
                                   QWidget *parent)
    : QDialog(parent), m_source(source), m_options(options)
{
    m_shownColumns.append(options.keyColumn);
    for (int column = 0; column < source.columns().count(); ++column) {
        if (column != options.keyColumn)
            m_shownColumns.append(column);
    }
    buildUi();
    m_search->setText(options.search); // the cursor at its end: typing goes on from the seeded text
    reload();
    connect(m_search, &QLineEdit::textChanged, this, &LookupListDialog::reload);
}

void LookupListDialog::buildUi()
{
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("txtSearch"));
    m_search->setAccessibleName(tr("Search"));
    m_search->installEventFilter(this);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("lstRows"));
    m_list->setAccessibleName(tr("Rows"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->installEventFilter(this);
    QStringList headers;
    for (int column : std::as_const(m_shownColumns))
        headers.append(m_source.columns().fieldName(column));
    m_list->setHeaderLabels(headers);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &LookupListDialog::pick);
    connect(m_list->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (value == m_list->verticalScrollBar()->maximum())
            loadMoreAtEnd();
    });

    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("lblNote"));
    m_note->setWordWrap(true);
    m_note->hide();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &LookupListDialog::pick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_search);
    layout->addWidget(m_list);
    layout->addWidget(m_note);
    layout->addWidget(buttons);
    resize(560, 420);
}

void LookupListDialog::reload()
{
    m_list->clear();
    m_loaded = 0;
    m_more = false;
    showNote(QString());
    if (!m_options.filter) {
        showNote(tr("The list condition could not be read; nothing is listed."));
        return;
    }
    // The columns fit the rows the list opens on: sizing them to every row of a page would take
    // longer than reading the page, at every typed character.
    const QList<QTreeWidgetItem *> rows = readPage();
    m_list->addTopLevelItems(rows.mid(0, FittedRows));
    m_list->header()->resizeSections(QHeaderView::ResizeToContents);
    m_list->addTopLevelItems(rows.mid(FittedRows));
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
}

QList<QTreeWidgetItem *> LookupListDialog::readPage()
{
    QString error;
    const LookupPage page{*m_options.filter, m_options.keyColumn, m_search->text(), m_loaded, PageSize + 1};
    const std::optional<LookupStatement> statement = m_source.pageStatement(page, &error);
    if (statement && statement->matchesNothing)
        return {};
    QSqlQuery query(m_source.database());
    query.setForwardOnly(true);
    if (statement && !execStatement(query, *statement))
        error = query.lastError().text();
    if (!error.isEmpty()) {
        qCWarning(lcCompanions) << "lookup: cannot list:" << error;
        showNote(tr("The list could not be read."));
        return {};
    }
    // Items made without the list and added together: one insertion for the view, not one per row.
    QList<QTreeWidgetItem *> rows;
    int read = 0;
    while (query.next() && ++read <= PageSize) {
        auto *item = new QTreeWidgetItem;
        for (int shown = 0; shown < m_shownColumns.size(); ++shown)
            item->setText(shown, query.value(m_shownColumns.at(shown)).toString());
        item->setData(0, Qt::UserRole, query.value(m_options.resultColumn).toString());
        rows.append(item);
    }
    m_more = read > PageSize;
    m_loaded += int(rows.size());
    showNote(m_more ? tr("%1 rows listed and more follow: scroll down for them, or type to narrow the list.")
                          .arg(m_loaded)
                    : QString());
    return rows;
}

void LookupListDialog::loadMoreAtEnd()
{
    if (m_more && m_options.filter)
        m_list->addTopLevelItems(readPage());
}

bool LookupListDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || (watched != m_search && watched != m_list))
        return QDialog::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        pick();
        return true;
    }
    if (watched == m_search)
        return moveInList(key);
    if (key->key() == Qt::Key_Down && m_list->currentItem() &&
        m_list->indexOfTopLevelItem(m_list->currentItem()) == m_list->topLevelItemCount() - 1)
        loadMoreAtEnd();
    return false;
}

bool LookupListDialog::moveInList(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        QCoreApplication::sendEvent(m_list, event); // the list's own filter loads more at its end
        return true;
    default:
        return false;
    }
}

void LookupListDialog::pick()
{
    const QTreeWidgetItem *item = m_list->currentItem();
    if (!item)
        return;
    m_selected = item->data(0, Qt::UserRole).toString();
    accept();
}

void LookupListDialog::showNote(const QString &text)
{
    m_note->setText(text);
    m_note->setVisible(!text.isEmpty());
}

} // namespace companions
