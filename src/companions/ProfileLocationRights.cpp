#include "companions/ProfileLocationRights.h"

#include "companions/CompanionsLog.h"

#include <QSqlError>
#include <QSqlQuery>

namespace companions {

namespace {

const char ProfileSql[] =
    "SELECT ProfileNo, TrackSerialNo, AllowNegative, DateFixed, MayChangeSource, OwnLocID "
    "FROM UserProfile WHERE UserName = ?";
const char RightSql[] =
    "SELECT COUNT(*) FROM UserLocRight WHERE UserName = ? AND LocID = ? AND Direction = ?";

// Booleans come as 0/1 from SQLite and as true/false from PostgreSQL; toBool reads both.
std::optional<bool> flag(const QVariant &value)
{
    if (value.isNull())
        return std::nullopt;
    return value.toBool();
}

std::optional<int> number(const QVariant &value)
{
    bool ok = false;
    const int result = value.toInt(&ok);
    if (value.isNull() || !ok)
        return std::nullopt;
    return result;
}

} // namespace

void ProfileLocationRights::LoadProfile()
{
    m_profile = Profile();
    m_statements.run(QString::fromLatin1(ProfileSql), {m_user}, [this](QSqlQuery &query) {
        if (!query.next()) {
            qCInfo(lcCompanions) << "rights: no profile for the user" << m_user;
            return;
        }
        m_profile.number = number(query.value(0));
        m_profile.trackSerialNo = flag(query.value(1));
        m_profile.allowNegative = flag(query.value(2));
        m_profile.dateFixed = flag(query.value(3));
        m_profile.mayChangeSource = flag(query.value(4));
        m_profile.ownLocation = number(query.value(5));
    });
}

std::optional<bool> ProfileLocationRights::LocationAllowed(const QString &user, int locationId, int direction)
{
    std::optional<bool> allowed;
    m_statements.run(QString::fromLatin1(RightSql), {user, locationId, direction},
                     [&allowed](QSqlQuery &query) {
                         if (query.next())
                             allowed = query.value(0).toLongLong() > 0;
                     });
    return allowed;
}

} // namespace companions
