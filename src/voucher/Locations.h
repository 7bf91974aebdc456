#pragma once
// A location of a voucher: found in the location table, and allowed to the user in its role.

#include "companions/Companions.h"
#include "voucher/Refusal.h"

#include <QSqlDatabase>
#include <optional>

namespace qvtrnsfr {

// Direction of a location in a transfer, as the location rights know it.
enum class Direction : int { Source = 1, Destination = 2 };

struct LocationCheck {
    bool found = false;
    QVariant name; // the location's LocName when found (null when it has none)
    std::optional<Refusal> refusal;
};

// The statement that finds a location: its number written bare.
QString locationSql(double locationId);
// The statement that finds a voucher's two locations at once, their numbers bound in that order.
QString voucherLocationsSql();

// Looks the location up on the connection (a table that cannot be read finds nothing) and, when
// found, asks the rights component whether the user may use it in the direction (a missing
// component, a number beyond 32 bits or a failed call count as no). Refusals: "Location not
// found." (a warning), and the right refused (information, titled "From Loc", as for both
// directions), each naming the location's field.
LocationCheck checkLocation(const QSqlDatabase &db, double locationId, Direction direction,
                            companions::LocationRights *rights, const QString &user);
// checkLocation's refusal for a location already looked up: found or not.
std::optional<Refusal> locationRefusal(bool found, double locationId, Direction direction,
                                       companions::LocationRights *rights, const QString &user);

} // namespace qvtrnsfr
