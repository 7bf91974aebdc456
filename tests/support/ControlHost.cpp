#include "support/ControlHost.h"

#include "control/TransferControl.h"

#include <QApplication>
#include <QTest>
#include <QVBoxLayout>

ControlHost::ControlHost(const QSqlDatabase &db, const QString &user, bool allowEdit,
                         std::shared_ptr<companions::Factory> factory)
    : m_window(std::make_unique<QWidget>())
{
    m_window->setWindowTitle(Caption);
    auto *layout = new QVBoxLayout(m_window.get());
    m_outside = new QLineEdit(m_window.get());
    m_outside->setObjectName(QStringLiteral("outside"));
    m_control = new ctlTransfer(m_window.get());
    layout->addWidget(m_outside);
    layout->addWidget(m_control);
    if (factory)
        m_control->setCompanionFactory(std::move(factory));
    m_control->setConnection(db);
    m_control->setUser(user);
    m_control->setAllowEdit(allowEdit);
    m_outside->setFocus();
}

ControlHost::~ControlHost() = default;

bool ControlHost::show()
{
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window.get()))
        return false;
    m_window->activateWindow();
    QApplication::setActiveWindow(m_window.get());
    return QTest::qWaitForWindowActive(m_window.get());
}

void ControlHost::focusControl()
{
    QWidget *first = m_control->nextInFocusChain();
    while (first && first != m_control &&
           (!m_control->isAncestorOf(first) || !first->isEnabled() || !first->isVisible() ||
            !(first->focusPolicy() & Qt::TabFocus)))
        first = first->nextInFocusChain();
    if (first && first != m_control)
        first->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
}

void ControlHost::focusOutside()
{
    m_outside->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
}

qvtrnsfr::TransferControl *ControlHost::state()
{
    return m_control->findChild<qvtrnsfr::TransferControl *>();
}
