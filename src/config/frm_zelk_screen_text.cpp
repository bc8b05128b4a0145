#include "frm_zelk_screen_text.h"

#include "ui/button_row.h"
#include "ui/tab_order.h"
#include "ui/box_focus.h"

#include "core/app_state.h"
#include "ui/key_preview.h"
#include "ui/main_view.h"
#include "ui/message_box.h"
#include "ui/unexpected_error.h"
#include "ui/validtxt.h"
#include "data/schema.h"
#include "engine/engine_error.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelk {

namespace {

// The names of the boxes. They follow the caption fields, except that the lapsed box is
// called "Lapsed" here while its default caption is "Membership lapsed".
const char* const kLabelCaptions[frmZelkScreenText::kCaptionCount] = {
    "Number", "Join Date", "Renewal Date", "Fee Paid", "Birthday", "Title", "First Name", "Surname", "Address",
    "Post Code", "Home Phone", "Work Phone", "Fax", "Mobile", "E-mail", "Second e-mail", "Membership type",
    "Lookups", "http://", "Notes", "Picture", "Lapsed", "Navigate", "&Save", "&Undo", "&New", "&Delete"};

constexpr int kCaptionWidth = 100;   // the width of the caption fields
constexpr int kRowsPerColumn = 14;

} // namespace

frmZelkScreenText::frmZelkScreenText(AppState& state, QWidget* parent)
    : QDialog(parent), m_state(state)
{
    setObjectName(QStringLiteral("frmZelkScreenText"));
    setWindowTitle(QStringLiteral("Bramwick Zelk Membership - on screen text"));
    buildControls();
    installKeyPreview(this);
    Form_Load();
}

void frmZelkScreenText::buildControls()
{
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(4);
    for (int i = 0; i < kCaptionCount; ++i) {
        // The "&" of a button's caption is shown as typed: it marks the main window's
        // access key, not one of this window.
        Label1[i] = new QLabel(QString::fromLatin1(kLabelCaptions[i]));
        Label1[i]->setTextFormat(Qt::PlainText);
        Label1[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Text1[i] = new QLineEdit;
        Text1[i]->setMaxLength(kCaptionWidth);
        Text1[i]->setMinimumWidth(170);
        QLineEdit* box = Text1[i];
        onBoxFocus(box, [box] { SelectAllText(box); }, [box] { trimBox(box); });
        const int column = i < kRowsPerColumn ? 0 : 2;
        const int row = i % kRowsPerColumn;
        grid->addWidget(Label1[i], row, column);
        grid->addWidget(Text1[i], row, column + 1);
    }
    grid->setColumnMinimumWidth(2, 110);

    auto* buttons = buttonRow(Command1, {{1, "&Save changes"}, {0, "&Restore defaults"}, {2, "Cancel"}}, this, [this](int i) { Command1_Click(i); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    QList<QWidget*> order(Text1.begin(), Text1.end());
    setTabChain(order << Command1[1] << Command1[0] << Command1[2]);
}

void frmZelkScreenText::Form_Load()
{
    try {
        auto& settings = *m_state.rsSettings;
        settings.moveFirst();
        const auto& fields = schema::captionFields();
        for (int i = 0; i < kCaptionCount; ++i) {
            const QVariant text = settings.field(fields[size_t(i)].field);
            if (!text.isNull())
                Text1[i]->setText(text.toString());
        }
    } catch (const EngineError& e) {
        showUnexpectedError(e.number(), QStringLiteral("Form_Load"), this);
    }
}

bool frmZelkScreenText::SaveChanges()
{
    auto& settings = *m_state.rsSettings;
    try {
        settings.moveFirst();
        settings.edit();
        const auto& fields = schema::captionFields();
        for (int i = 0; i < kCaptionCount; ++i) {
            const QString text = Text1[i]->text();
            settings.setField(fields[size_t(i)].field, text.isEmpty() ? QVariant() : QVariant(text));
        }
        settings.update();
        return true;
    } catch (const EngineError& e) {
        if (settings.editMode() != Recordset::EditMode::None)
            settings.cancelUpdate();
        showUnexpectedError(e.number(), QStringLiteral("SaveChanges"), this);
        return false;
    }
}

bool frmZelkScreenText::RestoreDefaults()
{
    const auto& fields = schema::captionFields();
    for (int i = 0; i < kCaptionCount; ++i)
        Text1[i]->setText(fields[size_t(i)].defaultText);
    return SaveChanges();
}

void frmZelkScreenText::applyAndClose()
{
    try {
        if (m_state.main)
            m_state.main->ApplyScreenText();
    } catch (const EngineError& e) {
        showUnexpectedError(e.number(), QStringLiteral("ApplyScreenText"), this);
    }
    accept();
}

void frmZelkScreenText::Command1_Click(int Index)
{
    switch (Index) {
    case 0:
        if (MessageBox::show(QStringLiteral("Are you sure you want to restore the default text?"),
                             QStringLiteral("Just checking"), MsgButtons::YesNo, MsgIcon::Question, this)
                == MsgAnswer::Yes
            && RestoreDefaults())
            applyAndClose();
        break;
    case 1:
        if (SaveChanges())
            applyAndClose();
        break;
    case 2:
        if (MessageBox::show(QStringLiteral("Are you sure you want to cancel all changes?"), QStringLiteral("Just checking"),
                             MsgButtons::YesNo, MsgIcon::Question, this)
            == MsgAnswer::Yes)
            reject();
        break;
    }
}

} // namespace zelk
