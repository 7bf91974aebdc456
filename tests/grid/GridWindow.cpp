#include "GridWindow.h"

#include "grid/LineDelegate.h"

#include <QApplication>
#include <QHeaderView>
#include <QTest>
#include <QVBoxLayout>

using namespace qvtrnsfr;

GridWindow::GridWindow()
    : before(new QLineEdit(&window)), grid(new LineGrid(&window)), after(new QLineEdit(&window))
{
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(before);
    layout->addWidget(grid);
    layout->addWidget(after);
    window.setWindowTitle(QStringLiteral("Transfers"));
    window.resize(900, 400);
    grid->setupColumns();
    lines.Resize(0, -1, 0, LineColumns - 1);
    spare.Resize(0, -1, 0, LineColumns - 1);
    grid->bind(&lines);
}

void GridWindow::setRows(const QList<QStringList> &rows)
{
    lines.Resize(0, int(rows.size()) - 1, 0, LineColumns - 1);
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows.at(r).size(); ++c)
            lines.SetCell(r, c, rows.at(r).at(c));
    }
    grid->bind(&lines);
}

QString GridWindow::row(int index) const
{
    QStringList cells;
    for (int c = 0; c < LineColumns; ++c)
        cells << lines.cellText(index, c);
    return cells.join('|');
}

void GridWindow::goTo(int row, int column)
{
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(row, column));
}

void GridWindow::type(const QString &text)
{
    for (const QChar character : text)
        QTest::keyClick(QApplication::focusWidget(), character.toLatin1());
}

void GridWindow::press(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

void GridWindow::clickCell(int row, int column)
{
    const QRect cell = grid->visualRect(grid->model()->index(row, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
}

void GridWindow::clickCellButton(int row, int column)
{
    const QRect cell = grid->visualRect(grid->model()->index(row, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                      LineDelegate::buttonRect(cell).center());
}

void GridWindow::clickRowSelector(int row, Qt::KeyboardModifiers modifiers)
{
    QHeaderView *selector = grid->verticalHeader();
    const QPoint middle(selector->width() / 2,
                        selector->sectionViewportPosition(row) + selector->sectionSize(row) / 2);
    QTest::mouseClick(selector->viewport(), Qt::LeftButton, modifiers, middle);
}

QLineEdit *GridWindow::editor() const
{
    auto *focused = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    return focused && grid->isAncestorOf(focused) ? focused : nullptr;
}
