#pragma once
// Each test builds its own world: a temporary program folder (ZELK_HOME), temporary
// per-user settings, a pinned locale and scripted answers to every message and question.
// Nothing a test does reaches the user's real files or settings.
//
// The world is also the test base's check: when it ends, the test fails if a message box,
// file dialog or input box met no scripted answer, or a scripted answer was never asked for.
#include <QLocale>
#include <QString>
#include <QStringList>
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
    QString settingsFolder() const { return m_config.path(); }
    void setLocale(const QString& localeName);

private:
    QTemporaryDir m_home;
    QTemporaryDir m_config;
    QLocale m_oldLocale;
    QByteArray m_oldHome;
};

// What the scripts of messages and questions found wrong so far: each message or question
// nobody scripted an answer for, and each scripted answer nobody asked for.
QStringList scriptProblems();

// Path of a file of the shared test data (the Jet files of the earlier editions).
QString testData(const QString& relative);

} // namespace zelk::test
