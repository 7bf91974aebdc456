#include "TransferDesignerPlugin.h"

#include "ctlTransfer.h"

#include <QIcon>

TransferDesignerPlugin::TransferDesignerPlugin(QObject *parent) : QObject(parent) {}

QString TransferDesignerPlugin::name() const
{
    return QStringLiteral("ctlTransfer");
}

QString TransferDesignerPlugin::group() const
{
    return QStringLiteral("Velta Transfers");
}

QString TransferDesignerPlugin::toolTip() const
{
    return QStringLiteral("Inventory transfer voucher form");
}

QString TransferDesignerPlugin::whatsThis() const
{
    return QStringLiteral("The inventory transfer voucher form. Set AllowEdit and User here; the host's code "
                          "gives it an open database connection with setConnection().");
}

QString TransferDesignerPlugin::includeFile() const
{
    return QStringLiteral("ctlTransfer.h");
}

QIcon TransferDesignerPlugin::icon() const
{
    return QIcon();
}

bool TransferDesignerPlugin::isContainer() const
{
    return false;
}

QWidget *TransferDesignerPlugin::createWidget(QWidget *parent)
{
    return new ctlTransfer(parent);
}

bool TransferDesignerPlugin::isInitialized() const
{
    return m_initialized;
}

void TransferDesignerPlugin::initialize(QDesignerFormEditorInterface *)
{
    m_initialized = true;
}

// The control as Designer places it: its designed size, in add mode.
QString TransferDesignerPlugin::domXml() const
{
    return QStringLiteral(R"(<ui language="c++">
 <widget class="ctlTransfer" name="transfer">
  <property name="AllowEdit">
   <bool>false</bool>
  </property>
 </widget>
</ui>
)");
}
