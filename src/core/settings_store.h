#pragma once
// The per-user settings: string values addressed by section and key under the
// application "Zelk2002", kept by QSettings in INI form in the user's configuration
// folder (Zelk2002/Zelk2002.ini). Every read passes the default of its key.
#include "question.h"

#include <QString>
#include <exception>

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

// Thrown by a save the settings file refused (a read-only or full disk, a folder that
// cannot be made): the value is not kept.
class SettingsNotSaved : public std::exception {
public:
    explicit SettingsNotSaved(QString file) : m_file(std::move(file)) {}
    const QString& file() const { return m_file; }
    const char* what() const noexcept override { return "settings not saved"; }
    // What the user is told: what happened, and what to do about it.
    MessageRequest message() const;

private:
    QString m_file;
};

// The stored string, or `defaultValue` when the key is absent.
QString GetSetting(const QString& section, const QString& key, const QString& defaultValue);
// Creates or replaces the value. Throws SettingsNotSaved when the file could not be written.
void SaveSetting(const QString& section, const QString& key, const QString& value);

QString readSetting(const SettingKey& key);
void saveSetting(const SettingKey& key, const QString& value);

// A flag as a check box shows it: ticked exactly when the stored text is "-1".
bool settingFlagIsOn(const SettingKey& key);

} // namespace zelk
