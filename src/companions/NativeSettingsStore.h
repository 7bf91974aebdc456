#pragma once
// SettingsStore on QSettings in the native format. A key path "SOFTWARE\<org>\<app>\<rest>" under
// the current user's root is QSettings(<org>, <app>) in user scope, group <rest> with '\' as '/':
// on Windows exactly HKCU\SOFTWARE\<org>\<app>\<rest>, elsewhere the platform's settings file.

#include "companions/Companions.h"

#include <QSettings>

namespace companions {

// Where a root key and key path live in QSettings terms.
struct SettingsLocation {
    QSettings::Scope scope = QSettings::UserScope;
    QString organization;
    QString application;
    QString group; // "" for values directly under the application
};

// The location of a key path under a root ("HKEY_CURRENT_USER"/"HKCU" = user scope,
// "HKEY_LOCAL_MACHINE"/"HKLM" = system scope); empty when the root is unknown or the path does
// not name SOFTWARE, an organisation and an application.
std::optional<SettingsLocation> settingsLocation(const QString &root, const QString &keyPath);

class NativeSettingsStore : public SettingsStore {
public:
    void SetRootKey(const QString &root) override { m_root = root; }
    void SetKeyPath(const QString &path) override { m_keyPath = path; }
    void SetValueName(const QString &name) override { m_valueName = name; }
    // The value as text; "" when it is missing; empty when the key or value name is unusable or
    // the settings cannot be read.
    std::optional<QString> ValueText() const override;
    void SetValueText(const QString &text) override { m_valueText = text; }
    // Writes the text set by SetValueText and flushes it to permanent storage.
    void WriteValue() override;

private:
    std::optional<SettingsLocation> location() const;

    QString m_root;
    QString m_keyPath;
    QString m_valueName;
    QString m_valueText;
};

} // namespace companions
