#pragma once
// The per-user settings: string values addressed by section and key under the
// application "Zelk2002", kept by QSettings in INI form in the user's configuration
// folder (Zelk2002/Zelk2002.ini). Every read passes the default of its key.
#include <QString>

namespace zelk {

struct SettingKey {
    const char* section;
    const char* key;
    const char* defaultValue;
};

namespace setting {
inline constexpr SettingKey SortOrder{"Defaults", "SortOrder", "Surname"};
inline constexpr SettingKey AutoCaps{"Defaults", "AutoCaps", "-1"};
inline constexpr SettingKey AutoDates{"Defaults", "AutoDates", "-1"};
inline constexpr SettingKey PageDir{"Defaults", "PageDir", "1"};
inline constexpr SettingKey PrintOrder{"Defaults", "PrintOrder", "Surname"};
inline constexpr SettingKey ReportType{"Defaults", "ReportType", "List"};
inline constexpr SettingKey UpperCase{"Defaults", "UpperCase", "0"};
inline constexpr SettingKey LabelSize{"Defaults", "LabelSize", "L7160"};
inline constexpr SettingKey EmailSender{"Defaults", "EmailSender", ""};
inline constexpr SettingKey EmailSMTP{"Defaults", "EmailSMTP", ""};
inline constexpr SettingKey EmailGreeting{"Defaults", "EmailGreeting", "Friendly"};
// The mail server's login and connection security ("None", "STARTTLS", "SSL/TLS"); the
// password is kept in the keyring, never here.
inline constexpr SettingKey EmailUser{"Defaults", "EmailUser", ""};
inline constexpr SettingKey EmailSecurity{"Defaults", "EmailSecurity", "None"};
inline constexpr SettingKey WebBrowser{"Location", "WebBrowser", ""};
inline constexpr SettingKey ZelkDB{"Location", "ZelkDB", ""};
} // namespace setting

inline constexpr const char* kSettingsApplication = "Zelk2002";

// The stored string, or `defaultValue` when the key is absent.
QString GetSetting(const QString& section, const QString& key, const QString& defaultValue);
// Creates or replaces the value.
void SaveSetting(const QString& section, const QString& key, const QString& value);

QString readSetting(const SettingKey& key);
void saveSetting(const SettingKey& key, const QString& value);

// A flag as a check box shows it: ticked exactly when the stored text is "-1".
bool settingFlagIsOn(const SettingKey& key);

} // namespace zelk
