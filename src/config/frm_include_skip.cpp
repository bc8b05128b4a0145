#include "frm_include_skip.h"

#include "core/app_state.h"
#include "data/schema.h"
#include "engine/transaction_guard.h"
#include "ui/button_row.h"
#include "ui/cancel_question.h"
#include "ui/guarded.h"
#include "ui/message_box.h"
#include "ui/tab_order.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelk {

namespace {

const char* const kCaptions[frmIncludeSkip::kFlagCount] = {
    "Join date", "Renewal date", "Fee  Paid", "Birthday", "Title", "First Name", "Surname", "Address line 1",
    "Address line 2", "Address line 3", "Address line 4", "Address line 5", "Post Code", "Home Phone",
    "Work Phone", "Fax", "Mobile", "E-mail", "Second e-mail", "Membership Type", "Lookup 1", "Lookup 2",
    "Lookup 3", "Lookup 4", "Lookup 5", "Lookup 6", "http://", "Notes", "Picture", "Lapsed"};

constexpr int kRowsPerColumn = 10;

// The surname and the first address line: a member cannot be saved without them, so they
// are never skipped.
constexpr int kSurnameFlag = 6;
constexpr int kAddress1Flag = 7;
bool requiredBySave(int index)
{
    return index == kSurnameFlag || index == kAddress1Flag;
}

} // namespace

frmIncludeSkip::frmIncludeSkip(AppState& state, QWidget* parent)
    : QDialog(parent), m_state(state)
{
    setObjectName(QStringLiteral("frmIncludeSkip"));
    setWindowTitle(QStringLiteral("Include/skip fields on data entry"));
    buildControls();
    // Unlike the other option windows it moves by Tab alone: Up, Down and Enter keep their
    // usual meaning for a check box.
    Form_Load();
}

void frmIncludeSkip::buildControls()
{
    Label1 = new QLabel(QStringLiteral(
        "Checked fields will be available, unchecked fields will be by-passed on the main data entry screen."));
    Label1->setWordWrap(true);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(24);
    grid->setVerticalSpacing(4);
    for (int i = 0; i < kFlagCount; ++i) {
        chkSkip[i] = new QCheckBox(QString::fromLatin1(kCaptions[i]));
        chkSkip[i]->setChecked(true);
        connect(chkSkip[i], &QCheckBox::clicked, this, [this, i] { chkSkip_Click(i); });
        grid->addWidget(chkSkip[i], i % kRowsPerColumn, i / kRowsPerColumn);
    }

    auto* buttons = buttonRow(Command1, {{2, "&Save"}, {1, "&Defaults"}, {0, "Cancel"}}, this, [this](int i) { Command1_Click(i); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addSpacing(6);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    QList<QWidget*> order(chkSkip.begin(), chkSkip.end());
    setTabChain(order << Command1[2] << Command1[1] << Command1[0]);
}

void frmIncludeSkip::Form_Load()
{
    guarded(QStringLiteral("Form_Load"), this, [this] {
        auto& settings = *m_state.rsSettings;
        settings.moveFirst();
        const QStringList flags = schema::includeFlagFields();
        for (int i = 0; i < kFlagCount; ++i) {
            // Only a flag that is False skips its field: True and Null leave the box checked.
            const QVariant flag = settings.field(flags[i]);
            if (!flag.isNull() && !flag.toBool() && !requiredBySave(i))
                chkSkip[i]->setChecked(false);
        }
    });
}

void frmIncludeSkip::chkSkip_Click(int Index)
{
    if (!requiredBySave(Index) || chkSkip[Index]->isChecked())
        return;
    chkSkip[Index]->setChecked(true);
    MessageBox::show(QStringLiteral("The surname and the first line of the address cannot be skipped: a member cannot "
                                    "be saved without them."),
                     QStringLiteral("Field needed"), MsgButtons::OK, MsgIcon::Information, this);
}

void frmIncludeSkip::RestoreSkipDefaults()
{
    if (MessageBox::show(QStringLiteral("Are you sure you want to restore the defaults?"), QStringLiteral("Just checking"),
                         MsgButtons::YesNo, MsgIcon::Question, this)
        != MsgAnswer::Yes)
        return;
    for (auto* box : chkSkip)
        box->setChecked(true);
}

bool frmIncludeSkip::SaveSkipDefaults()
{
    const bool saved = guarded(QStringLiteral("SaveSkipDefaults"), this, [this] {
        auto& settings = *m_state.rsSettings;
        PendingEdit edit(settings);
        settings.moveFirst();
        settings.edit();
        const QStringList flags = schema::includeFlagFields();
        for (int i = 0; i < kFlagCount; ++i)
            settings.setField(flags[i], chkSkip[i]->isChecked());
        settings.update();
    });
    // The opener lets the main window take up the new flags.
    if (saved)
        accept();
    return saved;
}

void frmIncludeSkip::reject()
{
    Command1_Click(0);
}

void frmIncludeSkip::Command1_Click(int Index)
{
    switch (Index) {
    case 0:
        if (confirmCancelAllChanges(this))
            QDialog::reject();
        break;
    case 1:
        RestoreSkipDefaults();
        break;
    case 2:
        SaveSkipDefaults();
        break;
    }
}

} // namespace zelk
