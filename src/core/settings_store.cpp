#include "settings_store.h"

#include <QSettings>
#include <QStringList>

namespace zelk {

QString GetSetting(const QString& section, const QString& key, const QString& defaultValue)
{
    QSettings store(QSettings::IniFormat, QSettings::UserScope,
                    QLatin1String(kSettingsApplication), QLatin1String(kSettingsApplication));
    store.beginGroup(section);
    const QVariant value = store.value(key);
    if (!value.isValid())
        return defaultValue;
    // A hand-edited line with an unquoted comma reads back as a list: keep the text as written.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

void SaveSetting(const QString& section, const QString& key, const QString& value)
{
    QSettings store(QSettings::IniFormat, QSettings::UserScope,
                    QLatin1String(kSettingsApplication), QLatin1String(kSettingsApplication));
    store.beginGroup(section);
    store.setValue(key, value);
    store.endGroup();
    store.sync();
    if (store.status() != QSettings::NoError)
        throw SettingsNotSaved(store.fileName());
}

MessageRequest SettingsNotSaved::message() const
{
    return {QStringLiteral("Your settings could not be saved in %1.\n\n"
                           "Please check that you may write to that folder and that the disk is not full, then try again.")
                .arg(m_file),
            QStringLiteral("Settings not saved"), MsgButtons::OK, MsgIcon::Exclamation, MsgAnswer::OK};
}

QString readSetting(const SettingKey& key)
{
    return GetSetting(QLatin1String(key.section), QLatin1String(key.key), QString::fromUtf8(key.defaultValue));
}

void saveSetting(const SettingKey& key, const QString& value)
{
    SaveSetting(QLatin1String(key.section), QLatin1String(key.key), value);
}

bool settingFlagIsOn(const SettingKey& key)
{
    return readSetting(key) == QLatin1String("-1");
}

} // namespace zelk
