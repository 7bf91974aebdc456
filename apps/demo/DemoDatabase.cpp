#include "DemoDatabase.h"

#include "schema/HostSchema.h"

#include <QSqlError>
#include <QSqlQuery>

bool hasHostTables(const QSqlDatabase &db)
{
    // The item table stands for the rest: createHostSchema creates them all together.
    QSqlQuery probe(db);
    return probe.exec(QStringLiteral("SELECT 1 FROM ICItem WHERE 1 = 0"));
}

bool prepareDemoDatabase(QSqlDatabase db, const DemoSize &size, QString *error, bool *created)
{
    if (created) {
        *created = false;
    }
    if (hasHostTables(db)) {
        return true;
    }
    if (!qvtrnsfr::createHostSchema(db)) {
        if (error) {
            *error = QStringLiteral("creating the host tables failed: %1").arg(db.lastError().text());
        }
        return false;
    }
    if (!generateDemoData(db, size, error)) {
        return false;
    }
    if (created) {
        *created = true;
    }
    return true;
}
