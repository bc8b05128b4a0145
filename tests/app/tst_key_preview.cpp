#include "app/key_preview.h"
#include "testlib/test_registry.h"
#include "testlib/test_world.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

using namespace zelk;
using zelk::test::TestWorld;

namespace {

// A data-entry window: four boxes (the third disabled, the second inside a group, as in
// a real form) and a multi-line notes box last.
struct EntryWindow {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    QWidget* group = new QWidget;
    QLineEdit* edit[4] = {new QLineEdit, new QLineEdit, new QLineEdit, new QLineEdit};
    QPlainTextEdit* notes = new QPlainTextEdit;

    EntryWindow()
    {
        auto* layout = new QVBoxLayout(window.get());
        auto* groupLayout = new QVBoxLayout(group);
        layout->addWidget(edit[0]);
        groupLayout->addWidget(edit[1]);
        layout->addWidget(group);
        layout->addWidget(edit[2]);
        layout->addWidget(edit[3]);
        layout->addWidget(notes);
        edit[2]->setEnabled(false);
    }

    bool showWithFocusOn(QWidget* w)
    {
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()))
            return false;
        w->setFocus(Qt::OtherFocusReason);
        return QApplication::focusWidget() == w;
    }

    // Delivered as the system delivers a key: to the window, which passes it to the
    // control with the focus and, when ignored, to that control's parents.
    void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(window->windowHandle(), key, mods);
    }
};

} // namespace

class KeyPreviewTest : public QObject {
    Q_OBJECT

private slots:
    void arrowsMoveLikeTabSkippingDisabled()
    {
        TestWorld world;
        EntryWindow w;
        installKeyPreview(w.window.get());
        auto* later = new QLineEdit;  // added after the rules: covered too
        w.window->layout()->addWidget(later);
        QVERIFY(w.showWithFocusOn(w.edit[0]));

        w.press(Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), w.edit[1]);
        w.press(Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), w.edit[3]);  // the disabled box is passed over
        w.press(Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), w.edit[1]);
        w.press(Qt::Key_Up, Qt::KeypadModifier);
        QCOMPARE(QApplication::focusWidget(), w.edit[0]);
        w.press(Qt::Key_Up);  // wraps round, as Shift+Tab does
        QCOMPARE(QApplication::focusWidget(), later);
        w.press(Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.notes));
    }

    void enterMovesAndIsSwallowed()
    {
        TestWorld world;
        EntryWindow w;
        bool multiLineFocus = false;
        KeyPreviewOptions options;
        options.enterPassesThrough = [&] { return multiLineFocus; };
        installKeyPreview(w.window.get(), options);
        QSignalSpy returnPressed(w.edit[0], &QLineEdit::returnPressed);
        QVERIFY(w.showWithFocusOn(w.edit[0]));

        w.press(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.edit[1]);
        QCOMPARE(returnPressed.count(), 0);  // the box never saw it
        w.press(Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(QApplication::focusWidget(), w.edit[3]);

        // In the notes box Enter moves on too, until the window says it takes Enter itself.
        w.notes->setFocus();
        w.notes->setPlainText("first");
        w.notes->moveCursor(QTextCursor::End);
        w.press(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.edit[0]);
        QCOMPARE(w.notes->toPlainText(), QString("first"));

        w.notes->setFocus();
        multiLineFocus = true;
        w.press(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.notes));
        QCOMPARE(w.notes->toPlainText(), QString("first\n"));
    }

    void editingKeysUntouched()
    {
        TestWorld world;
        EntryWindow w;
        installKeyPreview(w.window.get());
        QVERIFY(w.showWithFocusOn(w.edit[0]));

        QTest::keyClicks(w.edit[0], "Smyth");
        w.press(Qt::Key_Left);
        w.press(Qt::Key_Backspace);
        w.press(Qt::Key_Home);
        w.press(Qt::Key_Delete);
        QCOMPARE(w.edit[0]->text(), QString("myh"));
        QCOMPARE(QApplication::focusWidget(), w.edit[0]);

        // With a modifier held, the arrows and Enter keep their usual meaning.
        w.notes->setFocus();
        w.notes->setPlainText("one\ntwo");
        w.notes->moveCursor(QTextCursor::End);
        w.press(Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.notes));
        QCOMPARE(w.notes->textCursor().selectedText(), QChar(0x2029) + QString("two"));
        w.notes->moveCursor(QTextCursor::End);
        w.press(Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.notes));
    }

    // A key that the focused control ignores travels on to its parents; the rules must
    // still act once per key, and once per window however often they are installed.
    void eachKeyHandledOnce()
    {
        TestWorld world;
        EntryWindow w;
        installKeyPreview(w.window.get());
        installKeyPreview(w.window.get());
        QVERIFY(w.showWithFocusOn(w.edit[1]));

        w.press(Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), w.edit[3]);

        w.edit[1]->setFocus();
        QTest::keyClick(w.group, Qt::Key_Down);  // as the key reaches the focused box's parent
        QTest::keyClick(w.window.get(), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), w.edit[1]);

        // Installing again replaces the rules: here, with both turned off.
        KeyPreviewOptions off;
        off.arrowsMoveFocus = false;
        off.enterMovesFocus = false;
        installKeyPreview(w.window.get(), off);
        QSignalSpy returnPressed(w.edit[1], &QLineEdit::returnPressed);
        w.press(Qt::Key_Down);
        w.press(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.edit[1]);
        QCOMPARE(returnPressed.count(), 1);
    }

    void otherWindowsUntouched()
    {
        TestWorld world;
        EntryWindow w;
        installKeyPreview(w.window.get());

        // A dialog owned by the window is a window of its own: its keys are its own.
        {
            QDialog dialog(w.window.get());
            auto* first = new QLineEdit(&dialog);
            auto* second = new QLineEdit(&dialog);
            second->move(0, 40);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            first->setFocus();
            QTest::keyClick(dialog.windowHandle(), Qt::Key_Down);
            QCOMPARE(QApplication::focusWidget(), first);
            QSignalSpy returnPressed(first, &QLineEdit::returnPressed);
            QTest::keyClick(dialog.windowHandle(), Qt::Key_Return);
            QCOMPARE(returnPressed.count(), 1);
        }

        // Once the window is gone its rules go with it.
        w.window.reset();
        EntryWindow other;
        QVERIFY(other.showWithFocusOn(other.edit[0]));
        other.press(Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), other.edit[0]);
    }
};

ZELK_TEST(KeyPreviewTest)
#include "tst_key_preview.moc"
