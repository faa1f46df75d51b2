// The per-user settings over QSettings, and the help-at-start setting.
#include "UserSettings.h"

namespace taviro {

SystemUserSettings::SystemUserSettings() : m_settings(QStringLiteral("Velmora"), QStringLiteral("Taviro")) {}

std::optional<QString> SystemUserSettings::value(const QString& key)
{
    if (!m_settings.contains(key))
        return std::nullopt;
    const QVariant stored = m_settings.value(key);
    if (!stored.canConvert<QString>())
        return std::nullopt;
    return stored.toString();
}

void SystemUserSettings::setValue(const QString& key, const QString& value)
{
    m_settings.setValue(key, value);
    // Written at once, so that a crash or another copy of the program sees it.
    m_settings.sync();
}

bool helpAtStart(UserSettings& settings)
{
    const std::optional<QString> stored = settings.value(QString::fromLatin1(kHelpAtStartKey));
    return !(stored && *stored == QLatin1String("0"));
}

void setHelpAtStart(UserSettings& settings, bool on)
{
    settings.setValue(QString::fromLatin1(kHelpAtStartKey), on ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace taviro
