// The label-sheet windows over the real program: the list of sheets opened from the program
// defaults, choosing the default and deleting; the edit window adding and amending sheets;
// and what the register file and the settings then hold.
#include "testlib/test_checks.h"
#include "testlib/test_program.h"
#include "testlib/test_registry.h"

#include "config/frm_change_default_label.h"
#include "config/frm_new_label_size.h"
#include "config/frm_zelk_defaults.h"
#include "data/create_db.h"
#include "engine/database.h"
#include "engine/recordset.h"
#include "reports/label_layout.h"
#include "reports/label_painter.h"
#include "ui/modal.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTest>

using namespace zelk;
using namespace zelk::test;

namespace {

const QStringList kDefaultEntries{"L7159\t\t3 wide, 8 high", "L7160\t\t3 wide, 7 high", "L7162\t\t2 wide, 8 high",
                                  "L7163\t\t2 wide, 7 high", "5159\t\t2 wide, 7 high",  "5162\t\t2 wide, 7 high"};
const QStringList kMySheet{"MYSHEET", "0.5", "0.4", "1", "1.9", "0.1", "0.05", "4", "10", "DejaVu Serif", "11"};
const QString kL7160 = "L7160|0.63|0.28|1.5|2.5|0|0.1|3|7|<null>|<null>", kL7162 = "L7162|0.54|0.18|1.33|3.9|0|0.1|2|8|<null>|<null>";

void showActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &window);
}

// The entries of the list, the highlighted one marked.
QStringList entries(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text() + (list->item(i)->isSelected() ? " (highlighted)" : "");
    return out;
}

QStringList boxes(const frmNewLabelSize& w)
{
    QStringList out;
    for (auto* box : w.txtLabelInfo)
        out << box->text();
    return out;
}

// Puts the texts into the eleven boxes ("" leaves a box empty).
void fill(frmNewLabelSize& w, const QStringList& texts)
{
    for (int i = 0; i < 11; ++i)
        w.txtLabelInfo[size_t(i)]->setText(texts.value(i));
}

QString info(const QString& title, const QString& text) { return title + " | OK Information OK | " + text; }

} // namespace

class LabelWindowsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestProgram> p;
    std::unique_ptr<frmChangeDefaultLabel> list;

    // The program on a new register, with the list of sheets open.
    void start(const QString& locale = "en_GB")
    {
        list.reset();
        p = std::make_unique<TestProgram>(locale);
        buildNewDatabase(p->databasePath());
        p->start();
        list = std::make_unique<frmChangeDefaultLabel>(p->state(), &p->main());
        showActive(*list);
    }
    void highlight(const QString& name)
    {
        const auto item = list->List1->findItems(name + "\t", Qt::MatchStartsWith).value(0);
        QTest::mouseClick(list->List1->viewport(), Qt::LeftButton, {}, list->List1->visualItemRect(item).center());
    }
    // Each sheet as the register file holds it, "|"-joined, Null as "<null>", the measures
    // as the decimal texts of their single-precision values (0.63, not 0.6299999952).
    QStringList stored(const QString& where) const
    {
        auto rs = Database::open(p->databasePath())->openRecordset("Select * from Labels WHERE " + where + " ORDER BY LabelName");
        QStringList rows;
        for (; !rs->eof(); rs->moveNext()) {
            QStringList values;
            for (int i = 0; i < 11; ++i) {
                const QVariant v = rs->field(i);
                values << (v.isNull() ? "<null>" : v.typeId() == QMetaType::Float ? QString::number(v.toFloat(), 'g', 7) : v.toString());
            }
            rows << values.join('|');
        }
        return rows;
    }
    // Clicks a button of the list window; the edit window it opens is handed to `edit`.
    void clickOpening(int button, const std::function<void(frmNewLabelSize&)>& edit)
    {
        setModalHandler([&](QDialog& dialog) {
            auto& w = dynamic_cast<frmNewLabelSize&>(dialog);
            showActive(w);
            edit(w);
        });
        QTest::mouseClick(list->cmd1[size_t(button)], Qt::LeftButton);
        setModalHandler({});
    }

private slots:
    void cleanup()
    {
        setModalHandler({});
        const bool tidy = MessageScript::unexpected().isEmpty() && MessageScript::pendingAnswers() == 0;
        list.reset();
        p.reset();
        QVERIFY2(tidy, "a message nobody answered, or an answer never asked for");
    }

    // Every sheet listed; OK, Amend and Delete with none highlighted are each refused.
    void theListAndNothingHighlighted()
    {
        start();
        QCOMPARE(entries(list->List1), kDefaultEntries);
        for (int button : {0, 3, 4}) {
            MessageScript::answer(MsgAnswer::OK);
            QTest::mouseClick(list->cmd1[size_t(button)], Qt::LeftButton);
        }
        QCOMPARE(messagesShown(), QStringList({info("No label selected", "You must select a label type for the default."),
                                               info("No label selected", "You must select a label type to change."),
                                               info("No label selected", "You must select a label type to delete.")}));
        QVERIFY(list->isVisible());
    }

    // Opened from the program defaults, the sheet chosen (a double click is OK) is stored at
    // once and shown there; Cancel changes nothing.
    void theDefaultSheetChosen()
    {
        start();
        frmZelkDefaults defaults(p->state(), &p->main());
        setModalHandler([&](QDialog& dialog) {
            auto& chooser = dynamic_cast<frmChangeDefaultLabel&>(dialog);
            showActive(chooser);
            const QPoint at = chooser.List1->visualItemRect(chooser.List1->item(2)).center();
            QTest::mouseClick(chooser.List1->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(chooser.List1->viewport(), Qt::LeftButton, {}, at);
        });
        QTest::mouseClick(defaults.cmdChangeDefaultLabel, Qt::LeftButton);
        setModalHandler([&](QDialog& dialog) { QTest::mouseClick(dynamic_cast<frmChangeDefaultLabel&>(dialog).cmd1[1], Qt::LeftButton); });
        QTest::mouseClick(defaults.cmdChangeDefaultLabel, Qt::LeftButton);
        QCOMPARE(defaults.Label1->text() + ' ' + QSettings(p->world().settingsFile(), QSettings::IniFormat).value("Defaults/LabelSize").toString(),
                 QString("L7162 labels L7162"));
    }

    // Yes deletes, even the default sheet, and lists the sheets again; No keeps it.
    void deleteAsksFirst()
    {
        start();
        for (bool yes : {false, true}) {
            highlight("L7160");
            MessageScript::start();
            MessageScript::answer(yes ? MsgAnswer::Yes : MsgAnswer::No);
            QTest::mouseClick(list->cmd1[4], Qt::LeftButton);
            QCOMPARE(messagesShown(), QStringList({"Just checking | YesNo Question Yes | Are you sure that you want to delete label L7160?"}));
            QCOMPARE(stored("LabelName = \"L7160\"").size(), yes ? 0 : 1);
        }
        QCOMPARE(entries(list->List1), QStringList(kDefaultEntries).mid(0, 1) + kDefaultEntries.mid(2));
        QCOMPARE(p->state().SQLText, QString("Select * from Labels"));
    }

    // An added sheet is stored and listed at once, highlighted.
    void addASheet()
    {
        start();
        clickOpening(2, [&](frmNewLabelSize& w) {
            QCOMPARE(w.windowTitle() + ' ' + boxes(w).join(""), QString("Add a new label type "));
            fill(w, kMySheet);
            QTest::mouseClick(w.cmd1[0], Qt::LeftButton);
        });
        QCOMPARE(stored("LabelName = \"MYSHEET\""), QStringList({"MYSHEET|0.5|0.4|1|1.9|0.1|0.05|4|10|DejaVu Serif|11"}));
        QCOMPARE(entries(list->List1).last(), QString("MYSHEET\t\t4 wide, 10 high (highlighted)"));
    }

    // Refused with a message, the window staying open and nothing stored.
    void whatTheEditWindowRefuses_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("message");
        const QString incomplete = info("Incomplete data for label", "You must enter something in each of the boxes.");
        QTest::newRow("an empty box") << QStringList(kMySheet).replaceInStrings("DejaVu Serif", "") << incomplete;
        QTest::newRow("the name of another sheet") << QStringList(kMySheet).replaceInStrings("MYSHEET", "L7160")
                                                    << info("Duplicate label name", "You already have a label called L7160");
        QTest::newRow("more labels across than a sheet can keep")
            << QStringList(kMySheet).replaceInStrings(QRegularExpression("^4$"), "40000")
            << "Label not saved | OK Exclamation OK | The box \"Labels wide:\" holds a value that a label cannot keep. The value you entered is "
               "out of range for the field 'LabelsWide'. Please correct it; nothing has been saved.";
        QTest::newRow("a measure that is no number") << QStringList(kMySheet).replaceInStrings("0.05", "5 cm")
                                                      << "Label not saved | OK Exclamation OK | The box \"Horizontal gap:\" does not hold a "
                                                         "number. Please correct it; nothing has been saved.";
    }
    void whatTheEditWindowRefuses()
    {
        QFETCH(QStringList, typed);
        QFETCH(QString, message);
        start();
        clickOpening(2, [&](frmNewLabelSize& w) {
            fill(w, typed);
            MessageScript::answer(MsgAnswer::OK);
            QTest::mouseClick(w.cmd1[0], Qt::LeftButton);
            QVERIFY(w.isVisible());
        });
        QCOMPARE(messagesShown(), QStringList{message});
        QCOMPARE(stored("LabelName IN (\"L7160\", \"MYSHEET\")"), QStringList{kL7160});
        QCOMPARE(list->List1->count(), 6);
    }

    // Amending shows the stored values (no font: the program's default); a new name makes a
    // new sheet beside the old one; the name of a third sheet is refused, not overwritten.
    void amendASheet_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("stored");
        const QString amended = "|0.54|0.18|1.33|3.9|0|0.25|2|8|DejaVu Serif|9.5";
        QTest::newRow("same name: amended in place") << "L7162" << QStringList({kL7160, "L7162" + amended});
        QTest::newRow("new name: a new sheet beside the old one") << "MYSHEET" << QStringList({kL7160, kL7162, "MYSHEET" + amended});
        QTest::newRow("the name of another sheet: refused") << "L7160" << QStringList({kL7160, kL7162});
    }
    void amendASheet()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, stored);
        start();
        highlight("L7162");
        clickOpening(3, [&](frmNewLabelSize& w) {
            QCOMPARE(QStringList(w.windowTitle()) + boxes(w), QStringList({"Amend label type", "L7162", "0.54", "0.18", "1.33", "3.9", "0", "0.1", "2", "8",
                                                                          defaultLabelFont().family(), labelNumberText(defaultLabelFont().pointSizeF())}));
            fill(w, {name, "0.54", "0.18", "1.33", "3.9", "0", "0.25", "2", "8", "DejaVu Serif", "9.5"});
            if (name == "L7160")
                MessageScript::answer(MsgAnswer::OK);
            QTest::mouseClick(w.cmd1[0], Qt::LeftButton);
        });
        QCOMPARE(messagesShown(), name == "L7160" ? QStringList{info("Duplicate label name", "You already have a label called L7160")} : QStringList());
        QCOMPARE(this->stored("LabelName IN (\"L7160\", \"L7162\", \"MYSHEET\")"), stored);

        MessageScript::start();
        MessageScript::answer(MsgAnswer::OK);
        frmNewLabelSize gone(p->state(), LabelEdit::Amend, "GONE");
        QCOMPARE(messagesShown(), QStringList{info("Missing label", "Sorry, I can't find label GONE")});
        QCOMPARE(boxes(gone), QStringList(11, ""));
    }

    // The name in capitals of letters, digits and blanks, at most 10; digits only across and
    // down; a measure box keeps the focus until it holds a number or nothing; Up, Down and
    // Enter move between the boxes.
    void keysOfTheBoxes()
    {
        start();
        frmNewLabelSize w(p->state(), LabelEdit::Add);
        showActive(w);
        QTest::keyClicks(w.txtLabelInfo[0], "my-sheet_2 abcdef");
        QTest::keyClicks(w.txtLabelInfo[7], "3a.-1");
        QCOMPARE(w.txtLabelInfo[0]->text() + '|' + w.txtLabelInfo[7]->text(), QString("MYSHEET2 A|31"));

        w.txtLabelInfo[3]->setFocus();
        QTest::keyClicks(w.txtLabelInfo[3], "abc");
        QTest::keyClick(w.txtLabelInfo[3], Qt::Key_Tab);
        QTRY_COMPARE(w.txtLabelInfo[3]->selectedText(), QString("abc"));
        QCOMPARE(QApplication::focusWidget(), w.txtLabelInfo[3]);
        QTest::keyClicks(w.txtLabelInfo[3], " 1.5 ");
        QTest::keyClick(w.txtLabelInfo[3], Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), w.txtLabelInfo[4]);
        QCOMPARE(w.txtLabelInfo[3]->text(), QString("1.5"));
        QTest::keyClick(w.txtLabelInfo[4], Qt::Key_Up);
        w.txtLabelInfo[3]->clear();
        QTest::keyClick(w.txtLabelInfo[3], Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.txtLabelInfo[4]);
    }

    // Under a German locale "0,63" and "0.63" are both 0.63 inches, shown as "0,63".
    void measuresInTheUsersForm()
    {
        start("de_DE");
        clickOpening(2, [&](frmNewLabelSize& w) {
            fill(w, {"DE", "0,63", "0.28", "1,5", "2.5", "0", "0,1", "3", "7", "DejaVu Sans", "10,5"});
            QTest::mouseClick(w.cmd1[0], Qt::LeftButton);
        });
        QCOMPARE(stored("LabelName = \"DE\""), QStringList({"DE|0.63|0.28|1.5|2.5|0|0.1|3|7|DejaVu Sans|10.5"}));
        clickOpening(3, [&](frmNewLabelSize& w) {
            QCOMPARE(boxes(w), QStringList({"DE", "0,63", "0,28", "1,5", "2,5", "0", "0,1", "3", "7", "DejaVu Sans", "10,5"}));
        });
    }

    // A sheet whose labels run off the paper is saved, and the user told which edges.
    void aSheetRunningOffThePaper_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("four of 2.5 inches across A4") << "en_GB" << QStringList({"WIDE", "0.63", "0.28", "1.5", "2.5", "0", "0.1", "4", "7", "X", "10"})
                                                      << "WIDE run off the right edge of A4 paper (8.27 by 11.69 inches): they take up 10.58 by 11.13";
        QTest::newRow("raised, and too tall for Letter") << "en_US" << QStringList({"HIGH", "-0.1", "0.28", "1.6", "2.5", "0", "0.1", "3", "7", "X", "10"})
                                                         << "HIGH run off the top and bottom edges of Letter paper (8.50 by 11.00 inches): they take up 7.98 by 11.10";
    }
    void aSheetRunningOffThePaper()
    {
        QFETCH(QString, locale);
        QFETCH(QStringList, typed);
        QFETCH(QString, message);
        start(locale);
        clickOpening(2, [&](frmNewLabelSize& w) {
            fill(w, typed);
            MessageScript::answer(MsgAnswer::OK);
            QTest::mouseClick(w.cmd1[0], Qt::LeftButton);
        });
        QCOMPARE(messagesShown(), QStringList{"Labels run off the paper | OK Exclamation OK | The labels of " + message
                                              + " inches from its top left corner. The label has been saved; please check its margins, sizes and gaps before printing."});
        QCOMPARE(stored("LabelName = \"" + typed[0] + "\"").size(), 1);
    }

    // The drawing follows the boxes: labels appear as their sizes are typed, and one that
    // runs off the paper is drawn in red.
    void theDrawingOfTheSheet()
    {
        start();
        frmNewLabelSize w(p->state(), LabelEdit::Add);
        auto pixels = [&](const QColor& colour) {
            const QImage picture = w.picSheet->grab().toImage();
            int count = 0;
            for (int y = 0; y < picture.height(); ++y)
                for (int x = 0; x < picture.width(); ++x)
                    count += QColor(picture.pixel(x, y)) == colour;
            return count;
        };
        const QColor onPaper(220, 232, 248), offPaper(250, 215, 215);
        QCOMPARE(pixels(onPaper), 0);
        fill(w, {"", "0.63", "0.28", "1.5", "2.5", "0", "0.1", "3", "7"});
        QVERIFY(pixels(onPaper) > 0);
        QCOMPARE(pixels(offPaper), 0);
        w.txtLabelInfo[7]->setText("4");
        QVERIFY(pixels(offPaper) > 0);
    }
};

ZELK_TEST(LabelWindowsTest)
#include "tst_label_windows.moc"
