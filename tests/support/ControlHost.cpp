#include "support/ControlHost.h"

#include "control/FormRoutines.h"

#include <QApplication>
#include <QTest>
#include <QVBoxLayout>

ControlHost::ControlHost(const QSqlDatabase &db, const QString &user, bool allowEdit,
                         std::shared_ptr<companions::Factory> factory)
{
    m_window->setWindowTitle(Caption);
    auto *layout = new QVBoxLayout(m_window.get());
    layout->addWidget(m_outside = new QLineEdit(m_window.get()));
    layout->addWidget(m_control = new ctlTransfer(m_window.get()));
    m_outside->setObjectName(QStringLiteral("outside"));
    if (factory)
        m_control->setCompanionFactory(std::move(factory));
    m_control->setConnection(db);
    m_control->setUser(user);
    m_control->setAllowEdit(allowEdit);
    m_outside->setFocus();
}

bool ControlHost::show()
{
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window.get()))
        return false;
    m_window->activateWindow();
    QApplication::setActiveWindow(m_window.get());
    return QTest::qWaitForWindowActive(m_window.get());
}

bool ControlHost::focusControl()
{
    QWidget *first = m_control->nextInFocusChain();
    while (first != m_control && (!m_control->isAncestorOf(first) || !first->isEnabled() ||
                                  !first->isVisible() || !(first->focusPolicy() & Qt::TabFocus)))
        first = first->nextInFocusChain();
    first->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    return state()->focusInitialised();
}

void ControlHost::focusOutside()
{
    m_outside->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
}

void ControlHost::setLines(const QList<QStringList> &rows)
{
    qvtrnsfr::LineArray lines;
    lines.Resize(0, int(rows.size()) - 1, 0, qvtrnsfr::LineColumns - 1);
    for (int row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < rows.at(row).size(); ++column)
            lines.SetCell(row, column, rows.at(row).at(column));
    }
    state()->replaceLines(std::move(lines));
    qvtrnsfr::UpdateTotalQty(*state());
}

QStringList ControlHost::lineRows(int columns)
{
    const qvtrnsfr::LineArray &lines = state()->lines();
    QStringList rows;
    for (int row = 0; row < lines.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < columns; ++column)
            cells << lines.cellText(row, column);
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}
