#include "voucher/Locations.h"

#include "platform/Db.h"
#include "platform/Numeric.h"

#include <QCoreApplication>

namespace qvtrnsfr {

QString locationSql(double locationId)
{
    return QStringLiteral("Select * from ICLoc Where LocID=") + sqlNumber(locationId);
}

QString voucherLocationsSql()
{
    return QStringLiteral("Select LocID from ICLoc Where LocID in (?, ?)");
}

LocationCheck checkLocation(const QSqlDatabase &db, double locationId, Direction direction,
                            companions::LocationRights *rights, const QString &user)
{
    LocationCheck check;
    Snapshot location;
    location.open(db, locationSql(locationId)); // a failed open finds nothing
    check.found = !location.eof();
    if (check.found)
        check.name = location.value(QStringLiteral("LocName"));
    location.close();
    check.refusal = locationRefusal(check.found, locationId, direction, rights, user);
    return check;
}

std::optional<Refusal> locationRefusal(bool found, double locationId, Direction direction,
                                       companions::LocationRights *rights, const QString &user)
{
    const VoucherField field =
        direction == Direction::Source ? VoucherField::FromLocation : VoucherField::ToLocation;
    if (!found)
        return Refusal{Refusal::Severity::Warning,
                       QCoreApplication::translate("qvtrnsfr::Locations", "Location not found."), QString(),
                       field};
    const auto id = roundToInt32(locationId);
    const std::optional<bool> allowed =
        rights && id ? rights->LocationAllowed(user, *id, static_cast<int>(direction)) : std::nullopt;
    if (allowed.value_or(false))
        return std::nullopt;
    return Refusal{Refusal::Severity::Information,
                   direction == Direction::Source
                       ? QCoreApplication::translate("qvtrnsfr::Locations",
                                                     "You are not authorized to tranfer from this location.")
                       : QCoreApplication::translate("qvtrnsfr::Locations",
                                                     "You are not authorized to tranfer to this location."),
                   QCoreApplication::translate("qvtrnsfr::Locations", "From Loc"), field};
}

} // namespace qvtrnsfr
