#include "companions/NativeSettingsStore.h"

#include "companions/CompanionsLog.h"

namespace companions {

namespace {

std::optional<QSettings::Scope> scopeOfRoot(const QString &root)
{
    if (root.compare(QLatin1String("HKEY_CURRENT_USER"), Qt::CaseInsensitive) == 0 ||
        root.compare(QLatin1String("HKCU"), Qt::CaseInsensitive) == 0)
        return QSettings::UserScope;
    if (root.compare(QLatin1String("HKEY_LOCAL_MACHINE"), Qt::CaseInsensitive) == 0 ||
        root.compare(QLatin1String("HKLM"), Qt::CaseInsensitive) == 0)
        return QSettings::SystemScope;
    return std::nullopt;
}

QString valueKey(const SettingsLocation &location, const QString &valueName)
{
    return location.group.isEmpty() ? valueName : location.group + QLatin1Char('/') + valueName;
}

} // namespace

std::optional<SettingsLocation> settingsLocation(const QString &root, const QString &keyPath)
{
    const std::optional<QSettings::Scope> scope = scopeOfRoot(root);
    QStringList parts = QString(keyPath)
                            .replace(QLatin1Char('/'), QLatin1Char('\\'))
                            .split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    if (!scope || parts.size() < 3 ||
        parts.first().compare(QLatin1String("SOFTWARE"), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    SettingsLocation location;
    location.scope = *scope;
    location.organization = parts.at(1);
    location.application = parts.at(2);
    location.group = parts.mid(3).join(QLatin1Char('/'));
    return location;
}

std::optional<SettingsLocation> NativeSettingsStore::location() const
{
    const std::optional<SettingsLocation> where = settingsLocation(m_root, m_keyPath);
    if (!where)
        qCWarning(lcCompanions) << "settings: unusable key" << m_root << m_keyPath;
    else if (m_valueName.isEmpty())
        qCWarning(lcCompanions) << "settings: no value name under" << m_keyPath;
    if (!where || m_valueName.isEmpty())
        return std::nullopt;
    return where;
}

std::optional<QString> NativeSettingsStore::ValueText() const
{
    const std::optional<SettingsLocation> where = location();
    if (!where)
        return std::nullopt;
    QSettings settings(QSettings::NativeFormat, where->scope, where->organization, where->application);
    if (settings.status() != QSettings::NoError) {
        qCWarning(lcCompanions) << "settings: cannot read" << settings.fileName() << settings.status();
        return std::nullopt;
    }
    const QString key = valueKey(*where, m_valueName);
    if (!settings.contains(key))
        return QStringLiteral("");
    return settings.value(key).toString();
}

void NativeSettingsStore::WriteValue()
{
    const std::optional<SettingsLocation> where = location();
    if (!where)
        return;
    QSettings settings(QSettings::NativeFormat, where->scope, where->organization, where->application);
    settings.setValue(valueKey(*where, m_valueName), m_valueText);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        qCWarning(lcCompanions) << "settings: cannot write" << settings.fileName() << settings.status();
}

} // namespace companions
