#include "test_registry.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace zelk::test {
std::vector<RegisteredTest>& registeredTests()
{
    static std::vector<RegisteredTest> tests;
    return tests;
}
} // namespace zelk::test

int main(int argc, char** argv)
{
    // A private runtime folder keeps Qt quiet, and no test may read the user's own files.
    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));

    // "-only ClassName" runs one class; every other argument goes to QtTest.
    QStringList args = QCoreApplication::arguments();
    QString only;
    int at = args.indexOf(QStringLiteral("-only"));
    if (at >= 0 && at + 1 < args.size()) {
        only = args.at(at + 1);
        args.remove(at, 2);
    }

    int failures = 0;
    for (const auto& t : zelk::test::registeredTests()) {
        if (!only.isEmpty() && only != QLatin1String(t.name))
            continue;
        auto object = t.make();
        failures += QTest::qExec(object.get(), args);
    }
    std::fflush(stdout);
    return failures == 0 ? 0 : 1;
}
