#include "app/message_box.h"
#include "app/message_box_builder.h"
#include "testlib/test_registry.h"
#include "testlib/test_world.h"

#include <QPushButton>
#include <QTest>

using namespace zelk;
using zelk::test::TestWorld;

Q_DECLARE_METATYPE(zelk::MsgButtons)
Q_DECLARE_METATYPE(zelk::MsgIcon)
Q_DECLARE_METATYPE(zelk::MsgAnswer)

class MessageBoxTest : public QObject {
    Q_OBJECT

private slots:
    void scriptRecordsRequestsAndAnswersInOrder()
    {
        TestWorld world;
        MessageScript::answer(MsgAnswer::No);
        MessageScript::answer(MsgAnswer::Cancel);

        QCOMPARE(MessageBox::show("Delete this member?", "Just checking", MsgButtons::YesNo,
                                  MsgIcon::Question, MsgAnswer::No),
                 MsgAnswer::No);
        QCOMPARE(MessageBox::show(MessageRequest{"Save the changes?", "Changes", MsgButtons::YesNoCancel,
                                                 MsgIcon::Exclamation, MsgAnswer::Yes}),
                 MsgAnswer::Cancel);

        const auto& asked = MessageScript::asked();
        QCOMPARE(asked.size(), 2);
        QCOMPARE(asked[0].text, QString("Delete this member?"));
        QCOMPARE(asked[0].title, QString("Just checking"));
        QCOMPARE(asked[0].buttons, MsgButtons::YesNo);
        QCOMPARE(asked[0].icon, MsgIcon::Question);
        QCOMPARE(asked[0].defaultButton, MsgAnswer::No);
        QCOMPARE(asked[1].text, QString("Save the changes?"));
        QCOMPARE(asked[1].buttons, MsgButtons::YesNoCancel);
        QCOMPARE(asked[1].icon, MsgIcon::Exclamation);
        QCOMPARE(MessageScript::pendingAnswers(), 0);
        QVERIFY(MessageScript::unexpected().isEmpty());
    }

    void unscriptedMessageGetsItsDefault()
    {
        TestWorld world;
        // No default named: the first button of the set.
        QCOMPARE(MessageBox::show("Saved.", "Done", MsgButtons::OK, MsgIcon::Information), MsgAnswer::OK);
        QCOMPARE(MessageBox::show("Go on?", "Just checking", MsgButtons::YesNoCancel, MsgIcon::Question),
                 MsgAnswer::Yes);
        QCOMPARE(MessageBox::show("Go on?", "Just checking", MsgButtons::YesNo, MsgIcon::Question,
                                  MsgAnswer::No),
                 MsgAnswer::No);

        const auto unexpected = MessageScript::unexpected();
        QCOMPARE(unexpected.size(), 3);
        QCOMPARE(unexpected[0].text, QString("Saved."));
        QCOMPARE(unexpected[2].defaultButton, MsgAnswer::No);
        QCOMPARE(MessageScript::asked().size(), 3);

        // Recorded as shown: the program's title for none, and a default the set can give.
        MessageBox::show("Plain.", QString(), MsgButtons::OK, MsgIcon::None, MsgAnswer::No);
        QCOMPARE(MessageScript::asked().last().title, QString("Zelk Membership"));
        QCOMPARE(MessageScript::asked().last().defaultButton, MsgAnswer::OK);
        MessageScript::start();  // these were meant: keep the world's report clean
    }

    // An answer the box cannot give means the test's script is out of step with the program.
    void answerOutsideTheSetIsUnexpected()
    {
        TestWorld world;
        MessageScript::answer(MsgAnswer::Yes);
        MessageScript::answer(MsgAnswer::OK);
        QCOMPARE(MessageBox::show("Number missing.", "Error", MsgButtons::OKCancel, MsgIcon::Critical,
                                  MsgAnswer::Cancel),
                 MsgAnswer::Cancel);
        QCOMPARE(MessageScript::unexpected().size(), 1);
        QCOMPARE(MessageScript::pendingAnswers(), 1);
        MessageScript::start();
        QCOMPARE(MessageScript::pendingAnswers(), 0);
        QVERIFY(MessageScript::asked().isEmpty());
        QVERIFY(MessageScript::unexpected().isEmpty());
    }

    void realBoxMatchesRequest_data()
    {
        QTest::addColumn<MsgButtons>("buttons");
        QTest::addColumn<MsgAnswer>("defaultButton");
        QTest::addColumn<MsgIcon>("icon");
        QTest::addColumn<int>("standardButtons");
        QTest::addColumn<int>("qtDefault");
        QTest::addColumn<int>("qtEscape");
        QTest::addColumn<int>("qtIcon");

        QTest::newRow("OK, critical")
            << MsgButtons::OK << MsgAnswer::OK << MsgIcon::Critical << int(QMessageBox::Ok)
            << int(QMessageBox::Ok) << int(QMessageBox::Ok) << int(QMessageBox::Critical);
        QTest::newRow("OK/Cancel, Cancel default, exclamation")
            << MsgButtons::OKCancel << MsgAnswer::Cancel << MsgIcon::Exclamation
            << int(QMessageBox::Ok | QMessageBox::Cancel) << int(QMessageBox::Cancel)
            << int(QMessageBox::Cancel) << int(QMessageBox::Warning);
        QTest::newRow("Yes/No, question")
            << MsgButtons::YesNo << MsgAnswer::Yes << MsgIcon::Question
            << int(QMessageBox::Yes | QMessageBox::No) << int(QMessageBox::Yes) << int(QMessageBox::No)
            << int(QMessageBox::Question);
        QTest::newRow("Yes/No/Cancel, No default, information")
            << MsgButtons::YesNoCancel << MsgAnswer::No << MsgIcon::Information
            << int(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel) << int(QMessageBox::No)
            << int(QMessageBox::Cancel) << int(QMessageBox::Information);
        QTest::newRow("Yes/No, no icon")
            << MsgButtons::YesNo << MsgAnswer::No << MsgIcon::None
            << int(QMessageBox::Yes | QMessageBox::No) << int(QMessageBox::No) << int(QMessageBox::No)
            << int(QMessageBox::NoIcon);
    }

    void realBoxMatchesRequest()
    {
        QFETCH(MsgButtons, buttons);
        QFETCH(MsgAnswer, defaultButton);
        QFETCH(MsgIcon, icon);
        QFETCH(int, standardButtons);
        QFETCH(int, qtDefault);
        QFETCH(int, qtEscape);
        QFETCH(int, qtIcon);

        const QString text = "Is <b>Smith & Jones</b> right?\nSecond line";
        auto box = MessageBox::buildMessageBox(MessageRequest{text, "Just checking", buttons, icon, defaultButton},
                                               nullptr);
        QCOMPARE(box->text(), text);
        QCOMPARE(box->textFormat(), Qt::PlainText);  // typed names are never read as markup
        QCOMPARE(box->windowTitle(), QString("Just checking"));
        QCOMPARE(int(box->standardButtons()), standardButtons);
        QCOMPARE(int(box->icon()), qtIcon);
        QVERIFY(box->defaultButton());
        QCOMPARE(int(box->standardButton(box->defaultButton())), qtDefault);
        QVERIFY(box->escapeButton());
        QCOMPARE(int(box->standardButton(box->escapeButton())), qtEscape);
    }

    void realBoxAnswersKeysAndClicks_data()
    {
        QTest::addColumn<MsgButtons>("buttons");
        QTest::addColumn<MsgAnswer>("defaultButton");
        QTest::addColumn<MsgAnswer>("onEscape");
        QTest::addColumn<MsgAnswer>("onEnter");

        QTest::newRow("OK") << MsgButtons::OK << MsgAnswer::OK << MsgAnswer::OK << MsgAnswer::OK;
        QTest::newRow("OK/Cancel") << MsgButtons::OKCancel << MsgAnswer::OK << MsgAnswer::Cancel << MsgAnswer::OK;
        QTest::newRow("Yes/No, No default") << MsgButtons::YesNo << MsgAnswer::No << MsgAnswer::No << MsgAnswer::No;
        QTest::newRow("Yes/No/Cancel") << MsgButtons::YesNoCancel << MsgAnswer::Yes << MsgAnswer::Cancel
                                       << MsgAnswer::Yes;
    }

    void realBoxAnswersKeysAndClicks()
    {
        QFETCH(MsgButtons, buttons);
        QFETCH(MsgAnswer, defaultButton);
        QFETCH(MsgAnswer, onEscape);
        QFETCH(MsgAnswer, onEnter);
        const MessageRequest request{"Go on?", "Just checking", buttons, MsgIcon::Question, defaultButton};

        const std::pair<Qt::Key, MsgAnswer> keys[] = {{Qt::Key_Escape, onEscape}, {Qt::Key_Return, onEnter}};
        for (const auto& [key, expected] : keys) {
            auto box = MessageBox::buildMessageBox(request, nullptr);
            box->show();
            QVERIFY(QTest::qWaitForWindowActive(box.get()));
            QTest::keyClick(box->windowHandle(), key);
            QVERIFY(!box->isVisible());
            QCOMPARE(MessageBox::answerOf(*box), expected);
        }
    }
};

ZELK_TEST(MessageBoxTest)
#include "tst_message_box.moc"
