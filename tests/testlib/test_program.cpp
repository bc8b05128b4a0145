#include "test_program.h"

#include "ui/frm_splash.h"
#include "core/program_folder.h"
#include "core/settings_store.h"
#include "ui/startup.h"
#include "data/create_db.h"
#include "engine/database.h"
#include "engine/recordset.h"

#include <QFile>
#include <QTest>

namespace zelk::test {

TestProgram::TestProgram(const QString& localeName)
    : m_world(localeName)
{
    // A browser is known, so the start does not look for one.
    saveSetting(setting::WebBrowser, QStringLiteral("/usr/bin/true"));
}

TestProgram::~TestProgram()
{
    m_main.reset();
}

QString TestProgram::databasePath() const
{
    return programFile(QStringLiteral("zelk2002.mdb"));
}

void TestProgram::addMember(const QVariantMap& fields)
{
    if (!QFile::exists(databasePath()))
        buildNewDatabase(databasePath());
    auto db = Database::open(databasePath());
    auto rs = db->openRecordset(QStringLiteral("Zelk"));
    rs->addNew();
    for (auto it = fields.begin(); it != fields.end(); ++it)
        rs->setField(it.key(), it.value());
    rs->update();
}

void TestProgram::start()
{
    frmSplash splash;
    const bool started = runStartup(m_state, splash, [this](AppState& s) {
        m_main = std::make_unique<frmZelkMain>(s);
        m_main->show();
    });
    QVERIFY(started);
    QVERIFY(m_main);
    m_main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_main.get()));
}

} // namespace zelk::test

namespace zelk::test {

QStringList registerRows(const QString& databasePath, const QString& sql)
{
    auto db = Database::open(databasePath);
    auto rs = db->openRecordset(sql);
    QStringList rows;
    for (; !rs->eof(); rs->moveNext()) {
        QStringList values;
        for (int i = 0; i < int(rs->fields().size()); ++i) {
            const QVariant v = rs->field(i);
            if (v.isNull())
                values << QStringLiteral("<null>");
            else if (v.typeId() == QMetaType::QDate)
                values << v.toDate().toString(Qt::ISODate);
            else
                values << v.toString();
        }
        rows << values.join(u'|');
    }
    return rows;
}

} // namespace zelk::test
