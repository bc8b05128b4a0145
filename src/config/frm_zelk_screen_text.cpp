#include "frm_zelk_screen_text.h"

#include "core/app_state.h"
#include "data/schema.h"
#include "engine/transaction_guard.h"
#include "ui/box_focus.h"
#include "ui/button_row.h"
#include "ui/cancel_question.h"
#include "ui/guarded.h"
#include "ui/key_preview.h"
#include "ui/message_box.h"
#include "ui/tab_order.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelk {

namespace {

// The boxes are named by their default captions, except that the lapsed box is called
// "Lapsed" here while its default caption is "Membership lapsed".
constexpr int kLapsedBox = 21;

QString boxName(int index)
{
    return index == kLapsedBox ? QStringLiteral("Lapsed") : schema::captionFields()[size_t(index)].defaultText;
}

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
        Label1[i] = new QLabel(boxName(i));
        Label1[i]->setTextFormat(Qt::PlainText);
        Label1[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Text1[i] = new QLineEdit;
        Text1[i]->setMaxLength(kCaptionWidth);
        Text1[i]->setMinimumWidth(170);
        QLineEdit* box = Text1[i];
        onBoxEntry(box, [box](Qt::FocusReason reason) { selectOnEntry(box, reason); }, [box] { trimBox(box); });
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
    guarded(QStringLiteral("Form_Load"), this, [this] {
        auto& settings = *m_state.rsSettings;
        settings.moveFirst();
        const auto& fields = schema::captionFields();
        for (int i = 0; i < kCaptionCount; ++i) {
            const QVariant text = settings.field(fields[size_t(i)].field);
            if (!text.isNull())
                Text1[i]->setText(text.toString());
        }
    });
}

bool frmZelkScreenText::SaveChanges()
{
    return guarded(QStringLiteral("SaveChanges"), this, [this] {
        auto& settings = *m_state.rsSettings;
        PendingEdit edit(settings);
        settings.moveFirst();
        settings.edit();
        const auto& fields = schema::captionFields();
        for (int i = 0; i < kCaptionCount; ++i) {
            const QString text = Text1[i]->text();
            settings.setField(fields[size_t(i)].field, text.isEmpty() ? QVariant() : QVariant(text));
        }
        settings.update();
    });
}

bool frmZelkScreenText::RestoreDefaults()
{
    const auto& fields = schema::captionFields();
    for (int i = 0; i < kCaptionCount; ++i)
        Text1[i]->setText(fields[size_t(i)].defaultText);
    return SaveChanges();
}

void frmZelkScreenText::reject()
{
    Command1_Click(2);
}

void frmZelkScreenText::Command1_Click(int Index)
{
    // After a save the opener shows the new captions on the main window.
    switch (Index) {
    case 0:
        if (MessageBox::show(QStringLiteral("Are you sure you want to restore the default text?"),
                             QStringLiteral("Just checking"), MsgButtons::YesNo, MsgIcon::Question, this)
                == MsgAnswer::Yes
            && RestoreDefaults())
            accept();
        break;
    case 1:
        if (SaveChanges())
            accept();
        break;
    case 2:
        if (confirmCancelAllChanges(this))
            QDialog::reject();
        break;
    }
}

} // namespace zelk
