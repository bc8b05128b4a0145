#include "test_world.h"

#include "ui/message_box.h"
#include "ui/user_dialogs.h"

#include <QDir>
#include <QSettings>
#include <QTest>

namespace zelk::test {

TestWorld::TestWorld(const QString& localeName)
    : m_oldLocale(QLocale())
    , m_oldHome(qgetenv("ZELK_HOME"))
{
    qputenv("ZELK_HOME", m_home.path().toLocal8Bit());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_config.path());
    QLocale::setDefault(QLocale(localeName));
    MessageScript::start();
    DialogScript::reset();
}

TestWorld::~TestWorld()
{
    const auto unexpected = MessageScript::unexpected();
    MessageScript::stop();
    QLocale::setDefault(m_oldLocale);
    if (m_oldHome.isEmpty())
        qunsetenv("ZELK_HOME");
    else
        qputenv("ZELK_HOME", m_oldHome);
    for (const auto& m : unexpected)
        qWarning("Unexpected message: [%s] %s", qPrintable(m.title), qPrintable(m.text));
    if (DialogScript::unexpected() > 0)
        qWarning("%d unexpected file or input questions", DialogScript::unexpected());
    DialogScript::reset();
}

QString TestWorld::file(const QString& name) const
{
    return QDir(m_home.path()).filePath(name);
}

QString TestWorld::settingsFile() const
{
    return QDir(m_config.path()).filePath(QStringLiteral("Zelk2002/Zelk2002.ini"));
}

void TestWorld::setLocale(const QString& localeName)
{
    QLocale::setDefault(QLocale(localeName));
}

QString testData(const QString& relative)
{
    return QDir(QStringLiteral(ZELK_TESTDATA_DIR)).filePath(relative);
}

} // namespace zelk::test
