// The per-user settings store: the help-at-start value lives here.
#pragma once

#include <QSettings>
#include <QString>

#include <map>
#include <optional>

namespace taviro {

class UserSettings
{
public:
    virtual ~UserSettings() = default;
    // The stored text, or nothing when the value is missing or cannot be read.
    virtual std::optional<QString> value(const QString& key) = 0;
    // Stores the text; a failure leaves the store as it was and is not reported.
    virtual void setValue(const QString& key, const QString& value) = 0;
};

// The current user's settings (the registry key Software\Velmora\Taviro on Windows, a
// configuration file on Linux).
class SystemUserSettings : public UserSettings
{
public:
    SystemUserSettings();
    std::optional<QString> value(const QString& key) override;
    void setValue(const QString& key, const QString& value) override;

private:
    QSettings m_settings;
};

// Keeps the values in memory; for tests.
class MemoryUserSettings : public UserSettings
{
public:
    std::optional<QString> value(const QString& key) override
    {
        const auto found = values.find(key);
        return found == values.end() ? std::nullopt : std::optional<QString>(found->second);
    }
    void setValue(const QString& key, const QString& value) override { values[key] = value; }

    std::map<QString, QString> values;
};

inline constexpr char kHelpAtStartKey[] = "Help";

// On unless the value "Help" exists and is exactly "0".
bool helpAtStart(UserSettings& settings);
// Stores "1" or "0".
void setHelpAtStart(UserSettings& settings, bool on);

} // namespace taviro
