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
    const QStringList problems = scriptProblems();
    MessageScript::stop();
    DialogScript::reset();
    QLocale::setDefault(m_oldLocale);
    if (m_oldHome.isEmpty())
        qunsetenv("ZELK_HOME");
    else
        qputenv("ZELK_HOME", m_oldHome);
    // A test that failed already has said what went wrong first.
    if (!problems.isEmpty() && !QTest::currentTestFailed())
        QTest::qFail(qPrintable(problems.join(u'\n')), __FILE__, __LINE__);
}

QStringList scriptProblems()
{
    QStringList problems;
    for (const MessageRequest& m : MessageScript::unexpected())
        problems << QStringLiteral("message nobody answered: [%1] %2").arg(m.title, m.text);
    if (MessageScript::pendingAnswers() > 0)
        problems << QStringLiteral("%1 answer(s) to messages never asked for").arg(MessageScript::pendingAnswers());
    if (DialogScript::unexpected() > 0)
        problems << QStringLiteral("%1 file or input question(s) nobody answered").arg(DialogScript::unexpected());
    if (DialogScript::pendingAnswers() > 0)
        problems << QStringLiteral("%1 answer(s) to file or input questions never asked for").arg(DialogScript::pendingAnswers());
    return problems;
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
