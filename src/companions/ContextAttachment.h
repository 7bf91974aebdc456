#pragma once
// ControlAttachment that remembers the hosting context it was attached to, for as long as that
// object lives (a QPointer: it reads nullptr once the context is destroyed).

#include "companions/Companions.h"

#include <QPointer>

namespace companions {

class ContextAttachment : public ControlAttachment {
public:
    void Attach(QObject *context) override { m_context = context; }
    QObject *context() const { return m_context; }

private:
    QPointer<QObject> m_context;
};

} // namespace companions
