#pragma once
// LocationRights on the tables UserProfile (one row per user) and UserLocRight (one row per
// location a user may use as the source, direction 1, or the destination, direction 2, of a
// transfer). See schema/README.md for the columns.

#include "companions/Companions.h"
#include "platform/Db.h"

namespace companions {

class ProfileLocationRights : public LocationRights {
public:
    void SetConnection(const QSqlDatabase &db) override { m_statements.setDatabase(db); }
    void SetUser(const QString &userName) override { m_user = userName; }
    // Reads the user's profile row. An unknown user, a failed query or a null column leaves the
    // corresponding answers empty.
    void LoadProfile() override;
    std::optional<int> ProfileNumber() const override { return m_profile.number; }
    std::optional<bool> TrackSerialNo() const override { return m_profile.trackSerialNo; }
    std::optional<bool> AllowNegativeInventory() const override { return m_profile.allowNegative; }
    std::optional<bool> DateFixed() const override { return m_profile.dateFixed; }
    std::optional<bool> MayChangeSource() const override { return m_profile.mayChangeSource; }
    std::optional<int> OwnLocation() const override { return m_profile.ownLocation; }
    // Yes when UserLocRight holds the row (user, location, direction); empty when the query fails.
    std::optional<bool> LocationAllowed(const QString &user, int locationId, int direction) override;

private:
    struct Profile {
        std::optional<int> number;
        std::optional<bool> trackSerialNo;
        std::optional<bool> allowNegative;
        std::optional<bool> dateFixed;
        std::optional<bool> mayChangeSource;
        std::optional<int> ownLocation;
    };

    qvtrnsfr::StatementCache m_statements; // on the connection
    QString m_user;
    Profile m_profile;
};

} // namespace companions
