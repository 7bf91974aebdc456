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

bool run(QSqlQuery &query, const char *sql, const QVariantList &binds)
{
    if (!query.prepare(QString::fromLatin1(sql))) {
        qCWarning(lcCompanions) << "rights: prepare failed:" << query.lastError().text();
        return false;
    }
    for (const QVariant &value : binds)
        query.addBindValue(value);
    if (!query.exec()) {
        qCWarning(lcCompanions) << "rights: query failed:" << query.lastError().text();
        return false;
    }
    return true;
}

} // namespace

void ProfileLocationRights::LoadProfile()
{
    m_profile = Profile();
    QSqlQuery query(m_db);
    if (!run(query, ProfileSql, {m_user}))
        return;
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
}

std::optional<bool> ProfileLocationRights::LocationAllowed(const QString &user, int locationId, int direction)
{
    QSqlQuery query(m_db);
    if (!run(query, RightSql, {user, locationId, direction}) || !query.next())
        return std::nullopt;
    return query.value(0).toLongLong() > 0;
}

} // namespace companions
