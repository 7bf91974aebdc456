#include "support/EventGuard.h"

#include <QEvent>
#include <QMetaEnum>
#include <QPointer>

bool GuardedApplication::notify(QObject *receiver, QEvent *event)
{
    if (!receiver || event->type() == QEvent::DeferredDelete)
        return QApplication::notify(receiver, event);
    // The receiver may be gone once the event is handled: its names are taken now.
    const QPointer<QObject> guard(receiver);
    const QEvent::Type type = event->type();
    const QString who = QLatin1String(receiver->metaObject()->className()) +
                        (receiver->objectName().isEmpty() ? QString() : ' ' + receiver->objectName());
    const bool handled = QApplication::notify(receiver, event);
    if (!guard) {
        const char *typeName = QMetaEnum::fromType<QEvent::Type>().valueToKey(type);
        const QString fault = who + QStringLiteral(" was destroyed during its own ") +
                              (typeName ? QLatin1String(typeName) : QString::number(type));
        if (QTest::currentTestFunction())
            QTest::qFail(qPrintable(fault), __FILE__, __LINE__);
        else
            qFatal("%s", qPrintable(fault));
    }
    return handled;
}
