// The rules each box applies as the user enters it, types in it and leaves it, and the
// photograph's double and right clicks.
#include "frm_zelk_main.h"
#include "picture_box.h"

#include "core/app_state.h"
#include "core/membership_year.h"
#include "core/text_rules.h"
#include "ui/box_focus.h"
#include "ui/guarded.h"
#include "ui/message_box.h"
#include "ui/user_dialogs.h"
#include "ui/validtxt.h"

#include "data/field_names.h"
#include "data/schema.h"
#include "engine/conversion.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace zelk {

namespace {

int pictureFieldSize()
{
    for (const auto& f : schema::memberFieldCatalogue())
        if (f.field == field::Picture)
            return f.size;
    return 0;
}

// The boxes filled from the lists take no typing at all.
void discardKey(int& keyAscii)
{
    keyAscii = 0;
}

} // namespace

void frmZelkMain::installEntryRules()
{
    installKeyRule(txtInfo[kNumberBox], DigitsOnlyKey);
    installKeyRule(txtInfo[kPostCodeBox], UpperCaseKey);
    for (int i = kMemberTypeBox; i <= kLastLookupBox; ++i) {
        installKeyRule(txtInfo[i], discardKey);
        // Their values come from the lists only: nothing typed, pasted or dropped.
        txtInfo[i]->setReadOnly(true);
    }
    // No box takes more than its field holds, typed or pasted.
    for (int i = 0; i < kBoxCount; ++i)
        if (i != kNotesBox && boxFieldSize(i) > 0)
            txtInfo[i]->setMaxLength(boxFieldSize(i));
    for (int i = 0; i < kBoxCount; ++i)
        onBoxEntry(box(i), [this, i](Qt::FocusReason reason) { txtInfo_GotFocus(i, reason); },
                   [this, i] { txtInfo_LostFocus(i); });
}

bool frmZelkMain::eventFilter(QObject* watched, QEvent* event)
{
    const int index = boxIndexOf(watched);
    if (index < 0)
        return QMainWindow::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        // Insert would paste into the boxes filled from the lists.
        if (index >= kMemberTypeBox && index <= kLastLookupBox
            && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Insert)
            return true;
        break;
    case QEvent::MouseButtonDblClick:
        txtInfo_DblClick(index);
        return index >= kMemberTypeBox && index <= kLastLookupBox;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmZelkMain::txtInfo_GotFocus(int index, Qt::FocusReason reason)
{
    guarded(QStringLiteral("txtInfo_GotFocus"), this, [this, index] {
        auto& settings = *m_state.rsSettings;
        if (index == kJoinDateBox && m_state.AutoDates == -1 && boxText(index).isEmpty()) {
            settings.moveFirst();
            setBoxText(index, automaticJoinDate(YearStart::read(settings.field(field::YearStart)), QDate::currentDate()));
        } else if (index == kRenewDateBox && m_state.AutoDates == -1 && !boxText(kJoinDateBox).isEmpty()
                   && boxText(index).isEmpty()) {
            settings.moveFirst();
            setBoxText(index, automaticRenewalDate(boxText(kJoinDateBox), YearEnd::read(settings.field(field::YearEnd))));
        }
    });
    if (index == kNotesBox)
        m_state.MultiLineFocus = -1;
    selectOnEntry(box(index), reason);
}

void frmZelkMain::txtInfo_LostFocus(int index)
{
    const QString trimmed = trimBlanks(boxText(index));
    if (trimmed != boxText(index))
        setBoxText(index, trimmed);
    switch (boxKind(index)) {
    case BoxKind::Date:
        CheckDate(txtInfo[index]);
        break;
    case BoxKind::Amount:
        CheckAmount(txtInfo[index]);
        break;
    case BoxKind::Capitalised:
    case BoxKind::FromList:
        // A box is capitalised once; after that the text stays as the user corrects it.
        if (m_state.AutoCaps == -1 && Tag[index] != QLatin1String("Convert")) {
            setBoxText(index, properCase(boxText(index)));
            Tag[index] = QStringLiteral("Convert");
        }
        break;
    case BoxKind::PostCode:
        setBoxText(index, boxText(index).toUpper());
        break;
    case BoxKind::Email:
        CheckEmailAddress(txtInfo[index]);
        break;
    case BoxKind::Notes:
        m_state.MultiLineFocus = 0;
        break;
    case BoxKind::Number:
    case BoxKind::Plain:
        break;
    }
}

void frmZelkMain::txtInfo_DblClick(int index)
{
    if (boxKind(index) == BoxKind::FromList)
        openLookups(index);
}

void frmZelkMain::Picture1_DblClick()
{
    FileQuestion question;
    question.filter = QStringLiteral("Picture files (*.bmp;*.gif;*.jpg)|*.bmp;*.gif;*.jpg");
    if (!Picture1->Tag.isEmpty())
        question.folder = QFileInfo(Picture1->Tag).absolutePath();
    const QString file = UserDialogs::openFile(question, this);
    if (file.isEmpty())
        return;
    // The register keeps the file's path, which has a size of its own: a longer path would
    // be refused at Save, so the picture stays as it was.
    if (characterCount(QFileInfo(file).absoluteFilePath()) > pictureFieldSize()) {
        MessageBox::show(QStringLiteral("Sorry, but the full name of the picture file %1 is longer than the %2 characters "
                                        "the register can keep for it.\n\nPlease move the picture to a folder with a "
                                        "shorter name and choose it again.")
                             .arg(file)
                             .arg(pictureFieldSize()),
                         QStringLiteral("Picture not added"), MsgButtons::OK, MsgIcon::Exclamation, this);
        return;
    }
    QString reason;
    switch (Picture1->loadPicture(file, &reason)) {
    case PictureBox::Load::Loaded:
        Picture1->Tag = QFileInfo(file).absoluteFilePath();
        StopSave();
        break;
    case PictureBox::Load::NotAPicture:
        MessageBox::show(QStringLiteral("Sorry, but I don't recognise ") + file + QStringLiteral(" as a valid picture."),
                         QStringLiteral("Not a picture"), MsgButtons::OK, MsgIcon::Exclamation, this);
        break;
    case PictureBox::Load::Failed:
        MessageBox::show(QStringLiteral("Sorry, but I could not load the picture %1 (%2).\n\n"
                                        "The member's picture has not been changed.").arg(file, reason),
                         QStringLiteral("Picture not loaded"), MsgButtons::OK, MsgIcon::Exclamation, this);
        break;
    }
}

void frmZelkMain::Picture1_RightPressed()
{
    if (Picture1->Tag.isEmpty())
        return;
    if (MessageBox::show(QStringLiteral("Are you sure you want to remove the picture?"), QStringLiteral("Just checking"),
                         MsgButtons::YesNo, MsgIcon::Question, MsgAnswer::No, this)
        != MsgAnswer::Yes)
        return;
    Picture1->clearPicture();
    Picture1->Tag.clear();
    StopSave();
}

} // namespace zelk
