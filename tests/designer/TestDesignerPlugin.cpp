// The Designer plugin as Qt Designer sees it: a custom widget interface for ctlTransfer in the
// group "Velta Transfers" whose widget is a ctlTransfer with its host properties editable.

#include "ctlTransfer.h"

#include <QMetaProperty>
#include <QPluginLoader>
#include <QTest>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <memory>

class TestDesignerPlugin : public QObject {
    Q_OBJECT
private slots:
    void shouldOfferTheControlToDesigner()
    {
        QPluginLoader loader(QStringLiteral(QVT_DESIGNER_PLUGIN));
        QVERIFY2(loader.load(), qPrintable(loader.errorString()));
        QCOMPARE(loader.metaData().value("IID").toString(),
                 QStringLiteral("org.qt-project.Qt.QDesignerCustomWidgetInterface"));
        auto *widget = qobject_cast<QDesignerCustomWidgetInterface *>(loader.instance());
        QVERIFY(widget);
        QCOMPARE(widget->name(), QStringLiteral("ctlTransfer"));
        QCOMPARE(widget->group(), QStringLiteral("Velta Transfers"));
        QCOMPARE(widget->includeFile(), QStringLiteral("ctlTransfer.h"));
        QVERIFY(!widget->isContainer());
        QVERIFY(widget->domXml().contains(QLatin1String("class=\"ctlTransfer\"")));

        QWidget parent;
        std::unique_ptr<QWidget> created(widget->createWidget(&parent));
        auto *control = qobject_cast<ctlTransfer *>(created.get());
        QVERIFY(control);
        QCOMPARE(control->parentWidget(), &parent);
        const QMetaObject *meta = control->metaObject();
        for (const auto &[name, value] : {std::pair{"AllowEdit", QVariant(true)},
                                          std::pair{"User", QVariant(QStringLiteral("branch"))}}) {
            const QMetaProperty property = meta->property(meta->indexOfProperty(name));
            QVERIFY2(property.isValid() && property.isWritable() && property.isDesignable(), name);
            QVERIFY(property.write(control, value));
            QCOMPARE(property.read(control), value);
        }
        QCOMPARE(control->AllowEdit(), true);
        QCOMPARE(control->User(), QStringLiteral("branch"));
    }
};

QTEST_MAIN(TestDesignerPlugin)
#include "TestDesignerPlugin.moc"
