#include "documents/modDBID.h"

#include "platform/Db.h"

namespace qvtrnsfr {

namespace {
const QString SelectSetup = QStringLiteral("Select * from GLSetup");
}

qint32 GetDbID(const QSqlDatabase &connection)
{
    Snapshot setup;
    if (!setup.open(connection, SelectSetup) || setup.eof())
        return 0;
    bool ok = false;
    const qint32 dbId = setup.value(QStringLiteral("DbID")).toInt(&ok);
    return ok ? dbId : 0;
}

} // namespace qvtrnsfr
