#include "frm_zelk_year.h"

#include "core/app_state.h"
#include "core/date_format.h"
#include "core/membership_year.h"
#include "core/settings_store.h"
#include "data/field_names.h"
#include "engine/regional.h"
#include "engine/transaction_guard.h"
#include "ui/box_focus.h"
#include "ui/button_row.h"
#include "ui/cancel_question.h"
#include "ui/guarded.h"
#include "ui/key_preview.h"
#include "ui/message_box.h"
#include "ui/tab_order.h"
#include "ui/validtxt.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zelk {

namespace {

const QString kOK = QStringLiteral("OK");

const QString kNeedADay = QStringLiteral("You must enter a day between 1 and 28 for memberships to start from.");
const QString kTooShort = QStringLiteral("Memberships must last at least 1 day.");

void tell(const QString& text, const QString& title, MsgIcon icon, QWidget* parent)
{
    MessageBox::show(text, title, MsgButtons::OK, icon, parent);
}

} // namespace

frmZelkYear::frmZelkYear(AppState& state, QWidget* parent)
    : QDialog(parent), m_state(state)
{
    setObjectName(QStringLiteral("frmZelkYear"));
    setWindowTitle(QStringLiteral("Set your Zelk's default dates"));
    buildControls();
    installKeyPreview(this);
    Form_Load();
}

void frmZelkYear::buildControls()
{
    optStartDate[0] = new QRadioButton(QStringLiteral("All new memberships start from current date"));
    optStartDate[1] = new QRadioButton(QStringLiteral("All new memberships start from this day of the month:"));
    optStartDate[2] = new QRadioButton;   // its caption follows the user's date pattern
    txtStartDate[0] = new QLineEdit;
    txtStartDate[0]->setToolTip(QStringLiteral("Enter a number from 1 to 28 for your club's memberships to start from"));
    txtStartDate[1] = new QLineEdit;
    txtStartDate[1]->setToolTip(QStringLiteral("Enter a fixed day and month that your club's memberships will start from"));

    optEndDate[0] = new QRadioButton(QStringLiteral("All memberships last one year"));
    optEndDate[1] = new QRadioButton(QStringLiteral("All memberships last this number of days:"));
    optEndDate[2] = new QRadioButton(QStringLiteral("All memberships last this number of months:"));
    txtEndDate[0] = new QLineEdit;
    txtEndDate[0]->setToolTip(QStringLiteral("Enter a number of days that your club's membership last"));
    txtEndDate[1] = new QLineEdit;
    txtEndDate[1]->setToolTip(QStringLiteral("Enter a number of months that your club's membership lasts"));

    chkDefault = new QCheckBox(QStringLiteral("Don't automatically set the join and renewal dates"));
    chkDefault->setToolTip(QStringLiteral("Check this if you don't want Zelk to automatically set the dates"));

    for (QLineEdit* box : {txtStartDate[0], txtStartDate[1], txtEndDate[0], txtEndDate[1]}) {
        box->setFixedWidth(80);
        box->setEnabled(false);   // until the option the box belongs to is chosen
    }
    for (QLineEdit* box : {txtStartDate[0], txtEndDate[0], txtEndDate[1]})
        installKeyRule(box, DigitsOnlyKey);

    for (int i = 0; i < 3; ++i) {
        connect(optStartDate[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                optStartDate_Click(i);
        });
        connect(optEndDate[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                optEndDate_Click(i);
        });
    }
    for (int i = 0; i < 2; ++i) {
        onBoxFocus(txtStartDate[i], {}, [this, i] { txtStartDate_LostFocus(i); });
        onBoxFocus(txtEndDate[i], {}, [this, i] { txtEndDate_LostFocus(i); });
    }

    auto frame = [](std::array<QRadioButton*, 3>& options, std::array<QLineEdit*, 2>& boxes) {
        auto* box = new QGroupBox;
        auto* grid = new QGridLayout(box);
        grid->setVerticalSpacing(6);
        grid->addWidget(options[0], 0, 0, 1, 2);
        grid->addWidget(options[1], 1, 0);
        grid->addWidget(boxes[0], 1, 1);
        grid->addWidget(options[2], 2, 0);
        grid->addWidget(boxes[1], 2, 1);
        grid->setColumnStretch(0, 1);
        return box;
    };
    Frame1 = frame(optStartDate, txtStartDate);
    Frame2 = frame(optEndDate, txtEndDate);

    auto* buttons = buttonRow(Command1, {{0, "&Save"}, {1, "Cancel"}}, this, [this](int i) { Command1_Click(i); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addWidget(Frame2);
    layout->addWidget(chkDefault);
    layout->addSpacing(4);
    layout->addLayout(buttons);

    setTabChain({optStartDate[0], optStartDate[1], txtStartDate[0], optStartDate[2], txtStartDate[1], optEndDate[0],
                 optEndDate[1], txtEndDate[0], optEndDate[2], txtEndDate[1], chkDefault, Command1[0], Command1[1]});
}

void frmZelkYear::Form_Load()
{
    guarded(QStringLiteral("Form_Load"), this, [this] {
        auto& settings = *m_state.rsSettings;
        settings.moveFirst();
        const YearStart start = YearStart::read(settings.field(field::YearStart));
        optStartDate[size_t(start.kind)]->setChecked(true);
        if (start.kind == YearStart::Kind::DayOfMonth) {
            txtStartDate[0]->setText(start.text);
        } else if (start.kind == YearStart::Kind::DateInYear) {
            txtStartDate[1]->setText(start.text);
            txtStartDateTag = kOK;
        }
        // A length in none of the known forms selects no option, and is kept by a save.
        const YearEnd end = YearEnd::read(settings.field(field::YearEnd));
        if (end.isOneYear()) {
            optEndDate[0]->setChecked(true);
        } else if (end.unit == YearEnd::Unit::Days) {
            optEndDate[1]->setChecked(true);
            txtEndDate[0]->setText(end.count);
        } else if (end.unit == YearEnd::Unit::Months) {
            optEndDate[2]->setChecked(true);
            txtEndDate[1]->setText(end.count);
        }
    });

    chkDefault->setChecked(readSetting(setting::AutoDates) != QLatin1String("-1"));

    guarded(QStringLiteral("Form_Load"), this,
            [this] { optStartDate[2]->setText(dateInYearCaption(GetDateSeparator(), regional::dayFirst())); });
}

void frmZelkYear::optStartDate_Click(int Index)
{
    txtStartDate[0]->setEnabled(Index == 1);
    txtStartDate[1]->setEnabled(Index == 2);
}

void frmZelkYear::optEndDate_Click(int Index)
{
    txtEndDate[0]->setEnabled(Index == 1);
    txtEndDate[1]->setEnabled(Index == 2);
}

void frmZelkYear::txtStartDate_LostFocus(int Index)
{
    trimBox(txtStartDate[Index]);
    if (Index == 0) {
        if (!isDayOfTheMonth(txtStartDate[0]->text()))
            tell(kNeedADay, QStringLiteral("Need a day"), MsgIcon::Exclamation, this);
        return;
    }
    txtStartDateTag.clear();
    guarded(QStringLiteral("txtStartDate_LostFocus"), this, [this] {
        const auto problem = dayAndMonthProblem(txtStartDate[1]->text(), GetDateSeparator(), regional::dayFirst());
        if (problem)
            tell(problem->text, problem->title, MsgIcon::Information, this);
        else
            txtStartDateTag = kOK;
    });
}

void frmZelkYear::txtEndDate_LostFocus(int Index)
{
    trimBox(txtEndDate[Index]);
    // The title's spelling is the one users of this message have always seen.
    if (!isLength(txtEndDate[Index]->text()))
        tell(kTooShort, QStringLiteral("Membership to short"), MsgIcon::Exclamation, this);
}

void frmZelkYear::reject()
{
    Command1_Click(1);
}

void frmZelkYear::Command1_Click(int Index)
{
    if (Index == 1) {
        if (confirmCancelAllChanges(this))
            QDialog::reject();
        return;
    }
    if (optStartDate[1]->isChecked() && !isDayOfTheMonth(txtStartDate[0]->text())) {
        tell(kNeedADay, QStringLiteral("Need a day"), MsgIcon::Exclamation, this);
        return;
    }
    if (optStartDate[2]->isChecked() && txtStartDateTag != kOK) {
        tell(QStringLiteral("The membership starting date is incorrectly formatted."), QStringLiteral("Start date wrong"),
             MsgIcon::Exclamation, this);
        return;
    }
    if ((optEndDate[1]->isChecked() && !isLength(txtEndDate[0]->text()))
        || (optEndDate[2]->isChecked() && !isLength(txtEndDate[1]->text()))) {
        tell(kTooShort, QStringLiteral("Membership too short"), MsgIcon::Exclamation, this);
        return;
    }
    guarded(QStringLiteral("Command1_Click"), this, [this] {
        saveRules();
        const bool automatic = !chkDefault->isChecked();
        saveSetting(setting::AutoDates, automatic ? QStringLiteral("-1") : QStringLiteral("0"));
        m_state.AutoDates = automatic ? -1 : 0;
        accept();
    });
}

std::optional<YearStart> frmZelkYear::chosenStart() const
{
    if (optStartDate[0]->isChecked())
        return YearStart{};
    if (optStartDate[1]->isChecked())
        return YearStart{YearStart::Kind::DayOfMonth, txtStartDate[0]->text()};
    if (optStartDate[2]->isChecked())
        return YearStart{YearStart::Kind::DateInYear, txtStartDate[1]->text()};
    return std::nullopt;
}

std::optional<YearEnd> frmZelkYear::chosenEnd() const
{
    if (optEndDate[0]->isChecked())
        return YearEnd{YearEnd::Unit::Years, QStringLiteral("1")};
    if (optEndDate[1]->isChecked())
        return YearEnd{YearEnd::Unit::Days, txtEndDate[0]->text()};
    if (optEndDate[2]->isChecked())
        return YearEnd{YearEnd::Unit::Months, txtEndDate[1]->text()};
    return std::nullopt;
}

void frmZelkYear::saveRules()
{
    auto& settings = *m_state.rsSettings;
    PendingEdit edit(settings);
    settings.moveFirst();
    settings.edit();
    // An option group with nothing chosen leaves its rule as it was.
    if (const auto start = chosenStart())
        settings.setField(field::YearStart, start->stored());
    if (const auto end = chosenEnd())
        settings.setField(field::YearEnd, end->stored());
    settings.update();
}

} // namespace zelk
