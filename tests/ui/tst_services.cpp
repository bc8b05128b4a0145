// The services every window uses: message boxes, the error boundary, key preview (the arrows and
// Enter move like Tab) and modal windows.
#include "testlib/test_checks.h"
#include "testlib/test_registry.h"
#include "testlib/test_world.h"

#include "engine/engine_error.h"
#include "ui/guarded.h"
#include "ui/key_preview.h"
#include "ui/message_box_builder.h"
#include "ui/modal.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QVBoxLayout>

using namespace zelk;
using namespace zelk::test;

namespace {

// A data-entry window: four boxes (the third disabled, the second in a group) and a notes box.
struct EntryWindow {
    QWidget window;
    QWidget* group = new QWidget;
    QLineEdit* edit[4] = {new QLineEdit, new QLineEdit, new QLineEdit, new QLineEdit};
    QPlainTextEdit* notes = new QPlainTextEdit;

    EntryWindow()
    {
        auto* layout = new QVBoxLayout(&window);
        (new QVBoxLayout(group))->addWidget(edit[1]);
        for (QWidget* w : std::initializer_list<QWidget*>{edit[0], group, edit[2], edit[3], notes})
            layout->addWidget(w);
        edit[2]->setEnabled(false);
    }
    bool showWithFocusOn(QWidget* w)
    {
        window.show();
        window.activateWindow();
        w->setFocus(Qt::OtherFocusReason);
        return QTest::qWaitForWindowActive(&window) && QApplication::focusWidget() == w;
    }
    // As the system delivers a key: to the window, which passes it to the control with the
    // focus and, when ignored, to that control's parents. Gives where the focus is then.
    QWidget* press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(window.windowHandle(), key, mods);
        return QApplication::focusWidget();
    }
};

} // namespace

class ServicesTest : public QObject {
    Q_OBJECT

private slots:
    // Whatever a handler throws is reported, numbered and naming the routine, except
    // foreseeable trouble (a settings file that refused a save, another program holding the
    // register, a full disk), which is told plainly and never sends the user to the maker.
    void theErrorBoundary()
    {
        TestWorld world;
        answer({MsgAnswer::OK, MsgAnswer::OK, MsgAnswer::OK, MsgAnswer::OK, MsgAnswer::OK});
        QVERIFY(guarded("Command1_Click", nullptr, [] {}));
        QVERIFY(!guarded("Command1_Click", nullptr, [] { throw EngineError(err::RecordLocked, "locked"); }));
        QVERIFY(!guarded("Command1_Click", nullptr, [] { throw EngineError(err::DiskFull, "full"); }));
        QVERIFY(!guarded("Command1_Click", nullptr, [] { throw EngineError(err::TypeMismatch, "mismatch"); }));
        QVERIFY(!guarded("FillList", nullptr, [] { throw std::runtime_error("anything"); }));
        QVERIFY(!guarded("SaveDefaults", nullptr, [] { throw SettingsNotSaved("/home/sec/.config/Zelk2002/Zelk2002.ini"); }));
        QCOMPARE(asked(),
                 (QList<MessageRequest>{exclamation("Register in use", "The register is in use by another program. Please try again in a moment."),
                                        exclamation("Disk full", "There is not enough space on the disk to store this change. "
                                                                 "Nothing has been changed.\n\nMake some room on the disk, then try again."),
                                        unexpectedError(13, "Command1_Click"), unexpectedError(3000, "FillList"),
                                        exclamation("Settings not saved",
                                                    "Your settings could not be saved in /home/sec/.config/Zelk2002/Zelk2002.ini.\n\n"
                                                    "Please check that you may write to that folder and that the disk is not full, "
                                                    "then try again.")}));
    }

    // The box shown for real reads no typed text as markup, and answers Escape with Cancel,
    // or No where there is no Cancel (Abort beside Retry and Ignore), and Enter with the
    // default button.
    void theRealBoxAnswersEscapeAndEnter()
    {
        QList<MsgAnswer> answers;
        for (const auto& [buttons, byDefault] : {std::pair{MsgButtons::OK, MsgAnswer::OK}, {MsgButtons::YesNo, MsgAnswer::No},
                                                 {MsgButtons::YesNoCancel, MsgAnswer::Yes}, {MsgButtons::AbortRetryIgnore, MsgAnswer::Retry}})
            for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
                auto box = MessageBox::buildMessageBox({"<b>Smith & Jones</b>", "Title", buttons, MsgIcon::Exclamation, byDefault}, nullptr);
                QCOMPARE((QList<int>{box->textFormat(), box->icon()}), (QList<int>{Qt::PlainText, QMessageBox::Warning}));
                box->show();
                QVERIFY(QTest::qWaitForWindowActive(box.get()));
                QTest::keyClick(box->windowHandle(), key);
                QVERIFY(!box->isVisible());
                answers << MessageBox::answerOf(*box);
            }
        QCOMPARE(answers, (QList<MsgAnswer>{MsgAnswer::OK, MsgAnswer::OK, MsgAnswer::No, MsgAnswer::No, MsgAnswer::Cancel, MsgAnswer::Yes,
                                            MsgAnswer::Abort, MsgAnswer::Retry}));
    }

    void arrowsAndEnterMoveLikeTab()
    {
        EntryWindow w;
        bool multiLineFocus = false;
        KeyPreviewOptions options;
        options.enterPassesThrough = [&] { return multiLineFocus; };
        installKeyPreview(&w.window, options);
        QWidget* later = new QLineEdit;   // added after the rules: covered too
        w.window.layout()->addWidget(later);
        QSignalSpy returnPressed(w.edit[0], &QLineEdit::returnPressed);
        QVERIFY(w.showWithFocusOn(w.edit[0]));

        const QList<QWidget*> down{w.press(Qt::Key_Down), w.press(Qt::Key_Down, Qt::KeypadModifier)};
        QCOMPARE(down, (QList<QWidget*>{w.edit[1], w.edit[3]}));   // the disabled box is passed over
        const QList<QWidget*> up{w.press(Qt::Key_Up), w.press(Qt::Key_Up), w.press(Qt::Key_Up), w.press(Qt::Key_Up)};
        QCOMPARE(up, (QList<QWidget*>{w.edit[1], w.edit[0], later, w.notes}));   // wraps round as Shift+Tab does
        w.edit[0]->setFocus();
        const QList<QWidget*> enter{w.press(Qt::Key_Return), w.press(Qt::Key_Enter, Qt::KeypadModifier)};
        QCOMPARE(enter, (QList<QWidget*>{w.edit[1], w.edit[3]}));
        QCOMPARE(returnPressed.count(), 0);   // the box never saw it

        // In the notes box Enter moves on too, until the window says the box takes it; with
        // Shift held the arrows keep their usual meaning.
        w.notes->setPlainText(QStringLiteral("one"));
        w.notes->setFocus();
        w.notes->moveCursor(QTextCursor::End);
        QCOMPARE(w.press(Qt::Key_Return), later);
        w.notes->setFocus();
        multiLineFocus = true;
        QCOMPARE(w.press(Qt::Key_Return), w.notes);
        QCOMPARE(w.press(Qt::Key_Up, Qt::ShiftModifier), w.notes);
        QCOMPARE(w.notes->textCursor().selectedText(), QStringLiteral("one\u2029"));
    }

    // A key the focused control ignores travels on to its parents; the rules must still act
    // once per key and once per window however often installed, and leave alone the keys of
    // a dialog the window owns, a window of its own.
    void eachKeyIsHandledOnceAndOnlyInItsWindow()
    {
        EntryWindow w;
        installKeyPreview(&w.window);
        installKeyPreview(&w.window);
        QVERIFY(w.showWithFocusOn(w.edit[1]));
        QCOMPARE(w.press(Qt::Key_Down), w.edit[3]);
        w.edit[1]->setFocus();
        QTest::keyClick(w.group, Qt::Key_Down);   // as the key reaches the focused box's parent
        QTest::keyClick(&w.window, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), w.edit[1]);

        QDialog dialog(&w.window);
        auto* first = new QLineEdit(&dialog);
        new QLineEdit(&dialog);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        first->setFocus();
        QSignalSpy returnPressed(first, &QLineEdit::returnPressed);
        QTest::keyClick(dialog.windowHandle(), Qt::Key_Down);
        QTest::keyClick(dialog.windowHandle(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), first);
        QCOMPARE(returnPressed.count(), 1);
    }

    // The handler drives the dialog while it is shown; a dialog it hides without an answer is
    // rejected rather than carrying its last answer over, and one it leaves open is closed.
    void modalWindowsAreDrivenAndNeverLeftOpen()
    {
        QDialog dialog;
        setModalHandler([](QDialog& d) { d.isVisible() ? d.accept() : d.reject(); });
        QCOMPARE(runModal(dialog), int(QDialog::Accepted));
        setModalHandler([](QDialog& d) { d.hide(); });
        QCOMPARE(runModal(dialog), int(QDialog::Rejected));
        setModalHandler([](QDialog&) {});
        QCOMPARE(runModal(dialog), int(QDialog::Rejected));
        QVERIFY(!dialog.isVisible());
        setModalHandler({});
    }

};

ZELK_TEST(ServicesTest)
#include "tst_services.moc"
