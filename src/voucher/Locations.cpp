#include "voucher/Locations.h"

#include "platform/Db.h"
#include "platform/Numeric.h"

#include <QCoreApplication>

namespace qvtrnsfr {

QString locationSql(double locationId)
{
    return QStringLiteral("Select * from ICLoc Where LocID=") + sqlNumber(locationId);
}

LocationCheck checkLocation(const QSqlDatabase &db, double locationId, Direction direction,
                            companions::LocationRights *rights, const QString &user)
{
    const VoucherField field =
        direction == Direction::Source ? VoucherField::FromLocation : VoucherField::ToLocation;
    LocationCheck check;
    Snapshot location;
    location.open(db, locationSql(locationId)); // a failed open finds nothing
    check.found = !location.eof();
    if (!check.found) {
        check.refusal = Refusal{Refusal::Severity::Warning,
                                QCoreApplication::translate("qvtrnsfr::Locations", "Location not found."),
                                QString(), field};
        return check;
    }
    check.name = location.value(QStringLiteral("LocName"));
    location.close();
    const auto id = roundToInt32(locationId);
    const std::optional<bool> allowed =
        rights && id ? rights->LocationAllowed(user, *id, static_cast<int>(direction)) : std::nullopt;
    if (!allowed.value_or(false))
        check.refusal =
            Refusal{Refusal::Severity::Information,
                    direction == Direction::Source
                        ? QCoreApplication::translate("qvtrnsfr::Locations",
                                                      "You are not authorized to tranfer from this location.")
                        : QCoreApplication::translate("qvtrnsfr::Locations",
                                                      "You are not authorized to tranfer to this location."),
                    QCoreApplication::translate("qvtrnsfr::Locations", "From Loc"), field};
    return check;
}

} // namespace qvtrnsfr
