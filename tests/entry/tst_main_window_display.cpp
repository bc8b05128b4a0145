// What the main window shows and lets into its boxes: captions as typed and never wider
// than the window, short quotes in messages, boxes no longer than their fields, the lists'
// boxes filled from the lists only, the order of the boxes on screen, large pictures, and
// the whole register back when a selection runs out.
#include "testlib/test_checks.h"
#include "testlib/test_registry.h"
#include "three_members.h"

#include "data/queries.h"
#include "data/schema.h"
#include "engine/recordset.h"
#include "entry/member_boxes.h"
#include "entry/picture_box.h"
#include "ui/message_box.h"
#include "ui/user_dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace zelk;
using namespace zelk::test;

namespace {

// Adams, number 3: after the placeholder (number 1, no surname) in surname order.
void showingAdams(TestProgram& p)
{
    threeMembers(p);
    p.main().cmdNext_Click(0);
    p.main().cmdNext_Click(2);
}

void setCaptions(TestProgram& p, const std::function<QVariant(int)>& captionOf)
{
    Recordset& settings = *p.state().rsSettings;
    settings.moveFirst();
    settings.edit();
    for (int k = 0; k < int(schema::captionFields().size()); ++k)
        settings.setField(schema::captionFields()[size_t(k)].field, captionOf(k));
    settings.update();
    p.main().ApplyScreenText();
}

QRect placeIn(const QWidget* control, const QWidget* window)
{
    return QRect(control->mapTo(window, QPoint(0, 0)), control->size());
}

// The control Tab moves to from `control`.
QWidget* nextTabStop(QWidget* control)
{
    QWidget* next = control->nextInFocusChain();
    while (next != control && !((next->focusPolicy() & Qt::TabFocus) && next->isEnabled() && next->isVisible()))
        next = next->nextInFocusChain();
    return next;
}

} // namespace

class MainWindowDisplayTest : public QObject {
    Q_OBJECT

private slots:
    // A caption is shown as typed, markup and all; a long one is cut short and shown whole as
    // a tip; neither moves the Reports button out of the window nor widens it past the
    // screen, and the built-in captions come back as they were.
    void captionsAreShownAsTypedAndNeverWidenTheWindow()
    {
        TestProgram p;
        showingAdams(p);
        auto& w = p.main();
        const int width = w.width();
        const int screenWidth = w.screen()->availableGeometry().width();
        QVERIFY(width <= screenWidth);
        const QString longCaption = QStringLiteral("The caption of a club that likes to explain itself ").repeated(2).left(100);
        setCaptions(p, [&](int k) { return k == 5 ? QStringLiteral("<h1>Family</h1>") : longCaption; });
        QCOMPARE(w.Label1[5]->text(), QStringLiteral("<h1>Family</h1>"));
        // Plain text: one line of the window's own font, not a heading.
        QCOMPARE(w.Label1[5]->sizeHint().height(), w.Label1[6]->sizeHint().height());
        QVERIFY(w.Label1[5]->sizeHint().width() >= w.Label1[5]->fontMetrics().horizontalAdvance(QStringLiteral("<h1>Family</h1>")));
        for (QWidget* control : std::initializer_list<QWidget*>{w.Label1[7], w.Command1[3], w.chkLapsed, w.Frame1}) {
            QVERIFY2(control->toolTip().contains(longCaption), qPrintable(control->objectName()));
            QVERIFY(control->sizeHint().width() < control->fontMetrics().horizontalAdvance(longCaption));
        }
        QApplication::processEvents();
        QCOMPARE(w.width(), width);
        QVERIFY(w.minimumSizeHint().width() <= screenWidth);
        QVERIFY(w.rect().contains(placeIn(w.Command1[4], &w)));

        setCaptions(p, [](int k) { return schema::captionFields()[size_t(k)].defaultText; });
        QApplication::processEvents();
        QCOMPARE(w.width(), width);
        QCOMPARE(w.Label1[7]->text(), QStringLiteral("Surname"));
        QCOMPARE(w.Command1[3]->text(), QStringLiteral("&Delete"));
        QCOMPARE(w.Command1[3]->toolTip(), QStringLiteral("Delete this member"));
    }

    // Tab takes the boxes, the lapsed tick, the navigation and the record buttons in their
    // order; on screen each comes after the one before it, reading left to right and top
    // to bottom.
    void theTabOrderReadsLeftToRightTopToBottom()
    {
        TestProgram p;
        showingAdams(p);
        auto& w = p.main();
        QList<QWidget*> chain;
        for (int i = 0; i < kBoxCount; ++i)
            chain << w.box(i);
        chain << w.chkLapsed;
        for (auto* b : w.cmdNext)
            chain << b;
        for (auto* b : w.Command1)
            chain << b;
        for (int k = 1; k < chain.size(); ++k) {
            const QRect before = placeIn(chain[k - 1], &w), after = placeIn(chain[k], &w);
            const bool sameRow = after.top() < before.bottom() && before.top() < after.bottom();
            const bool readsOn = sameRow ? after.left() >= before.right() : after.top() >= before.bottom();
            QVERIFY2(readsOn, qPrintable(QStringLiteral("%1 before %2").arg(chain[k - 1]->objectName(), chain[k]->objectName())));
            QCOMPARE(nextTabStop(chain[k - 1]), chain[k]);
        }
    }

    // No box takes more than its field holds, typed or pasted; the value is saved whole.
    void boxesHoldNoMoreThanTheirFields_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<int>("longest");
        QTest::newRow("surname") << int(kSurnameBox) << 100;
        QTest::newRow("web address") << 27 << 255;
        QTest::newRow("number") << int(kNumberBox) << 10;
    }
    void boxesHoldNoMoreThanTheirFields()
    {
        QFETCH(int, box);
        QFETCH(int, longest);
        TestProgram p;
        showingAdams(p);
        auto& w = p.main();
        w.txtInfo[box]->setFocus();
        w.txtInfo[box]->selectAll();
        if (box == kNumberBox) {
            QTest::keyClicks(w.txtInfo[box], QString(longest + 5, u'7'));
        } else {
            QApplication::clipboard()->setText(QString(longest + 50, u'7'));
            QTest::keyClick(w.txtInfo[box], Qt::Key_V, Qt::ControlModifier);
        }
        QCOMPARE(w.boxText(box), QString(longest, u'7'));
        QTest::keyClick(w.txtInfo[box], Qt::Key_7);
        QCOMPARE(w.boxText(box).size(), longest);
        if (box == kNumberBox)
            return;   // ten sevens are more than a membership number can be
        w.Command1_Click(0);
        QVERIFY(MessageScript::asked().isEmpty());
        QCOMPARE(rows(p, QStringLiteral("Select length(%1) from Zelk where Number = 3").arg(boxField(box))),
                 QStringList{QString::number(longest)});
    }

    // The membership type and lookups come from their lists: a value typed, pasted or
    // dropped in is refused, and Backspace takes nothing away.
    void listBoxesTakeNothingTypedDroppedOrPasted()
    {
        TestProgram p;
        showingAdams(p);
        auto& w = p.main();
        w.setBoxText(kMemberTypeBox, QStringLiteral("Full"));
        QMimeData dropped;
        dropped.setText(QStringLiteral("Platinum"));
        for (int i = kMemberTypeBox; i <= kLastLookupBox; ++i) {
            QLineEdit* box = w.txtInfo[i];
            const QString before = box->text();
            QDragEnterEvent enter(box->rect().center(), Qt::CopyAction, &dropped, Qt::LeftButton, {});
            QApplication::sendEvent(box, &enter);
            QVERIFY(!enter.isAccepted());
            QDropEvent drop(QPointF(box->rect().center()), Qt::CopyAction, &dropped, Qt::LeftButton, {});
            QApplication::sendEvent(box, &drop);
            box->setFocus();
            box->end(false);
            QTest::keyClicks(box, QStringLiteral("xyz"));
            QTest::keyClick(box, Qt::Key_Backspace);
            QApplication::clipboard()->setText(QStringLiteral("Pasted"));
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
            QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
            QCOMPARE(box->text(), before);
        }
    }

    // Messages quote at most the first sixty characters of a refused value.
    void aRefusedValueIsQuotedShort()
    {
        TestProgram p;
        showingAdams(p);
        auto& w = p.main();
        w.setBoxText(kJoinDateBox, QString(10000, u'9'));
        answer(MsgAnswer::OK);
        w.Command1_Click(0);
        QCOMPARE(asked().size(), 1);
        QCOMPARE(asked()[0].title, QStringLiteral("Member not saved"));
        QCOMPARE(asked()[0].text, QStringLiteral("This member has not been saved. The Join Date box holds \"") + QString(60, u'9')
                                      + QStringLiteral("...\", which is not a date.\n\nPlease correct it and save again."));
        QVERIFY(w.hasUnsavedChange());
    }

    // A character that cannot be typed or seen (a NUL, an escape) is never saved: the
    // message marks where it is, and the typing stays for the user to correct.
    void controlCharactersAreRefusedAtSave()
    {
        TestProgram p;
        showingAdams(p);
        auto& w = p.main();
        w.setBoxText(6, QStringLiteral("Ann") + QChar(0) + QStringLiteral("e"));
        answer(MsgAnswer::OK);
        w.Command1_Click(0);
        QCOMPARE(asked().size(), 1);
        QCOMPARE(asked()[0].text, QStringLiteral("This member has not been saved. The First Name box holds \"Ann")
                                      + QChar(QChar::ReplacementCharacter)
                                      + QStringLiteral("e\", which holds a character that cannot be typed or shown "
                                                       "(a control character).\n\nPlease correct it and save again."));
        QVERIFY(w.hasUnsavedChange());
        QCOMPARE(QApplication::focusWidget(), w.txtInfo[6]);
        QCOMPARE(rows(p, QStringLiteral("Select FirstName from Zelk where Number = 3")), QStringList{QStringLiteral("Ada")});
        // Tabs and line breaks in the notes are text like any other.
        w.setBoxText(6, QStringLiteral("Anne"));
        w.setBoxText(kNotesBox, QStringLiteral("Paid\tin cash\nTwice"));
        w.Command1_Click(0);
        QCOMPARE(asked().size(), 1);
        QCOMPARE(rows(p, QStringLiteral("Select FirstName from Zelk where Number = 3")), QStringList{QStringLiteral("Anne")});
    }

    // The fee box refuses on leaving an amount Save would refuse.
    void theFeeBoxRefusesWhatSaveWould()
    {
        TestProgram p;
        showingAdams(p);
        auto& w = p.main();
        w.txtInfo[kFeeBox]->setFocus();
        QTest::keyClicks(w.txtInfo[kFeeBox], QStringLiteral("999999999999999999"));
        answer(MsgAnswer::No);
        QTest::keyClick(w.txtInfo[kFeeBox], Qt::Key_Tab);
        QCOMPARE(asked().size(), 1);
        QCOMPARE(asked()[0].text, QStringLiteral("The amount you entered was not valid.\nDo you wish to correct it?"));
        QCOMPARE(w.boxText(kFeeBox), QString());
        w.txtInfo[kFeeBox]->setFocus();
        QTest::keyClicks(w.txtInfo[kFeeBox], QStringLiteral("25"));
        QTest::keyClick(w.txtInfo[kFeeBox], Qt::Key_Tab);
        QCOMPARE(w.boxText(kFeeBox), QStringLiteral("£25.00"));
        QCOMPARE(asked().size(), 1);
    }

    // Deleting the last member a search found shows the whole register again, in the
    // current order, so Delete and the navigation go on working.
    void aSelectionThatRunsOutShowsTheWholeRegister()
    {
        TestProgram p;
        showingAdams(p);
        auto& w = p.main();
        p.state().reopen(p.state().rsZelk, *query::narrowingQuery(QStringLiteral("Surname"), QStringLiteral("Ada"), false));
        w.RefreshData();
        QCOMPARE(w.boxText(kSurnameBox), QStringLiteral("Adams"));
        answer(MsgAnswer::Yes);
        w.Command1_Click(3);
        QCOMPARE(p.state().rsZelk->source(), query::membersInOrder(p.state().SortOrder));
        QCOMPARE(p.state().rsZelk->recordCount(), 3);   // the placeholder, Smith and Young
        w.cmdNext_Click(3);
        QCOMPARE(w.boxText(kSurnameBox), QStringLiteral("Young"));
        answer(MsgAnswer::Yes);
        w.Command1_Click(3);
        QCOMPARE(asked().last().text, QStringLiteral("Are you sure that you want to delete this member?"));
        QCOMPARE(rows(p, QStringLiteral("Select Surname from Zelk order by Number")), (QStringList{QString(), QStringLiteral("Smith")}));
    }

    // A picture too large for Qt's usual limit is read scaled down, as a large JPEG is.
    void aVeryLargeBitmapIsRead()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("large.bmp"));
        const int side = 9000, rowBytes = side * 3;
        QByteArray header(54, '\0');
        auto put32 = [&](int at, quint32 v) { qToLittleEndian(v, header.data() + at); };
        auto put16 = [&](int at, quint16 v) { qToLittleEndian(v, header.data() + at); };
        header[0] = 'B';
        header[1] = 'M';
        put32(2, quint32(54 + rowBytes * side));
        put32(10, 54);
        put32(14, 40);
        put32(18, side);
        put32(22, side);
        put16(26, 1);
        put16(28, 24);
        put32(34, quint32(rowBytes * side));
        QFile bmp(file);
        QVERIFY(bmp.open(QIODevice::WriteOnly));
        bmp.write(header);
        // A black picture: the pixels are the zeros of a file grown to its size.
        QVERIFY(bmp.resize(54 + qint64(rowBytes) * side));
        bmp.close();
        PictureBox box;
        QString reason;
        QCOMPARE(box.loadPicture(file, &reason), PictureBox::Load::Loaded);
        QVERIFY(box.hasPicture());
    }

    // A picture whose path is longer than the register keeps is not taken, rather than
    // failing at Save.
    void aPictureWithAPathTooLongToKeepIsNotTaken()
    {
        TestProgram p;
        showingAdams(p);
        auto& w = p.main();
        QTemporaryDir dir;
        QString folder = dir.path();
        while (folder.size() < 260)
            folder += QStringLiteral("/a-folder-with-a-long-name");
        QVERIFY(QDir().mkpath(folder));
        const QString file = folder + QStringLiteral("/face.bmp");
        QVERIFY(QImage(8, 8, QImage::Format_RGB32).save(file));
        DialogScript::answerFile(file);
        answer(MsgAnswer::OK);
        w.Picture1_DblClick();
        QCOMPARE(asked().size(), 1);
        QCOMPARE(asked()[0].title, QStringLiteral("Picture not added"));
        QVERIFY(!w.Picture1->hasPicture());
        QVERIFY(!w.hasUnsavedChange());
    }
};

ZELK_TEST(MainWindowDisplayTest)
#include "tst_main_window_display.moc"
