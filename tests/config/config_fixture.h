#pragma once
// What the configuration windows' tests share: the Settings row as the register's file
// holds it, the messages shown as one comparable line each, and showing and clicking.
#include "testlib/test_program.h"

#include "app/message_box.h"
#include "data/create_db.h"
#include "engine/database.h"
#include "engine/recordset.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QTest>
#include <QVariantMap>

namespace zelk::test {

// A field of the Settings row, read from the file through a connection of its own.
inline QVariant storedSetting(const TestProgram& p, const QString& field)
{
    return Database::open(p.databasePath())->openRecordset(QStringLiteral("Select * from Settings"))->field(field);
}

// Writes fields of the Settings row into the file before the program starts.
inline void storeSettings(const TestProgram& p, const QVariantMap& fields)
{
    if (!QFile::exists(p.databasePath()))
        buildNewDatabase(p.databasePath());
    auto db = Database::open(p.databasePath());
    auto rs = db->openRecordset(QStringLiteral("Settings"));
    rs->edit();
    for (auto it = fields.begin(); it != fields.end(); ++it)
        rs->setField(it.key(), it.value());
    rs->update();
}

// "title|text|buttons|icon" of the message shown `index`-th.
inline QString said(int index)
{
    const auto& asked = MessageScript::asked();
    if (index >= asked.size())
        return QStringLiteral("(no message)");
    const MessageRequest& m = asked[index];
    static const char* const buttons[] = {"OK", "OKCancel", "YesNo", "YesNoCancel"};
    static const char* const icons[] = {"None", "Critical", "Question", "Exclamation", "Information"};
    return QStringList{m.title, m.text, buttons[int(m.buttons)], icons[int(m.icon)]}.join(u'|');
}

inline const QString kCancelQuestion =
    QStringLiteral("Just checking|Are you sure you want to cancel all changes?|YesNo|Question");

// Queues the answers to the next messages: OK `count` times, or Yes or No.
inline void acknowledge(int count)
{
    for (int i = 0; i < count; ++i)
        MessageScript::answer(MsgAnswer::OK);
}
inline void answer(bool yes) { MessageScript::answer(yes ? MsgAnswer::Yes : MsgAnswer::No); }

// Shows the window and waits until it is the active one, so focus moves in it as typed.
inline void showActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &window);
}

// Clicks a button; a check box or option on its caption (the middle of a wide one misses).
inline void click(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

} // namespace zelk::test
