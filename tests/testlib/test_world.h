#pragma once
// Each test builds its own world: a temporary program folder (ZELK_HOME), temporary
// per-user settings, a pinned locale and a scripted message box. Nothing a test does
// reaches the user's real files or settings.
#include <QLocale>
#include <QString>
#include <QTemporaryDir>

namespace zelk::test {

class TestWorld {
public:
    explicit TestWorld(const QString& localeName = QStringLiteral("en_GB"));
    ~TestWorld();
    TestWorld(const TestWorld&) = delete;
    TestWorld& operator=(const TestWorld&) = delete;

    QString folder() const { return m_home.path(); }
    QString file(const QString& name) const;   // inside the program folder
    QString settingsFile() const;              // the INI file the settings store writes
    void setLocale(const QString& localeName);

private:
    QTemporaryDir m_home;
    QTemporaryDir m_config;
    QLocale m_oldLocale;
    QByteArray m_oldHome;
};

// Path of a file of the shared test data (the Jet files of the earlier editions).
QString testData(const QString& relative);

} // namespace zelk::test
