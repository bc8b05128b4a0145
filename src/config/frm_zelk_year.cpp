#include "frm_zelk_year.h"

#include "ui/button_row.h"
#include "ui/tab_order.h"
#include "ui/box_focus.h"

#include "core/app_state.h"
#include "core/date_format.h"
#include "ui/key_preview.h"
#include "ui/message_box.h"
#include "core/settings_store.h"
#include "ui/unexpected_error.h"
#include "ui/validtxt.h"
#include "engine/engine_error.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <optional>

namespace zelk {

namespace {

const QString kOK = QStringLiteral("OK");

const QString kNeedADay = QStringLiteral("You must enter a day between 1 and 28 for memberships to start from.");
const QString kTooShort = QStringLiteral("Memberships must last at least 1 day.");

// The number in a box that takes digits only. Text that is not all digits (pasted, or an
// empty box) is no number at all, so it can never be stored as a rule.
std::optional<double> wholeNumber(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    for (QChar c : text)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    return text.toDouble();
}

bool numberFromTo(const QString& text, double low, double high)
{
    const auto n = wholeNumber(text);
    return n && *n >= low && *n <= high;
}

bool isDayOfTheMonth(const QString& text)
{
    return numberFromTo(text, 1, 28);
}

bool isLength(const QString& text)
{
    const auto n = wholeNumber(text);
    return n && *n >= 1;
}

// The day comes first when the user's short date pattern does.
bool userPutsDayFirst()
{
    return GetDateFormat().left(1).toLower() == QLatin1String("d");
}

struct Problem {
    QString text;
    QString title;
};

// What is wrong with a day and month typed as the user writes them, with the separator `s`.
std::optional<Problem> dayAndMonthProblem(const QString& text, const QString& s, bool dayFirst)
{
    const QString formatWrong = QStringLiteral("Date format wrong");
    const qsizetype at = text.indexOf(s);
    if (at < 0)
        return Problem{QStringLiteral("Please use ") + s + QStringLiteral(" to separate the day and the month."), formatWrong};
    if (at == 0)
        return Problem{QStringLiteral("You can't start the date with ") + s, formatWrong};
    if (at + s.size() == text.size())
        return Problem{QStringLiteral("You can't end the date with ") + s, formatWrong};

    const Problem dayWrong{QStringLiteral("The day needs to be between 1 and 28."), QStringLiteral("Day wrong")};
    const Problem monthWrong{QStringLiteral("The month needs to be between 1 and 12."), QStringLiteral("Month wrong")};
    const QString before = text.left(at);
    const QString after = text.mid(at + s.size());
    // Both parts must be whole numbers: "1/4/2026" is not a day and a month.
    if (dayFirst) {
        if (!numberFromTo(before, 1, 28))
            return dayWrong;
        if (!numberFromTo(after, 1, 12))
            return monthWrong;
    } else {
        if (!numberFromTo(before, 1, 12))
            return monthWrong;
        if (!numberFromTo(after, 1, 28))
            return dayWrong;
    }
    return std::nullopt;
}

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
    try {
        auto& settings = *m_state.rsSettings;
        settings.moveFirst();
        const QVariant startValue = settings.field(QStringLiteral("YearStart"));
        const QString start = startValue.isNull() ? QString() : startValue.toString();
        if (start.isEmpty()) {
            optStartDate[0]->setChecked(true);
        } else if (start.endsWith(u'/')) {
            optStartDate[1]->setChecked(true);
            txtStartDate[0]->setText(start.left(2));
        } else {
            optStartDate[2]->setChecked(true);
            txtStartDate[1]->setText(start);
            txtStartDateTag = kOK;
        }

        // A length in none of the known forms selects no option, and is kept by a save.
        const QVariant endValue = settings.field(QStringLiteral("YearEnd"));
        const QString end = endValue.isNull() ? QString() : endValue.toString();
        if (end == QLatin1String("1y")) {
            optEndDate[0]->setChecked(true);
        } else if (end.endsWith(u'd')) {
            optEndDate[1]->setChecked(true);
            txtEndDate[0]->setText(end.chopped(1));
        } else if (end.endsWith(u'm')) {
            optEndDate[2]->setChecked(true);
            txtEndDate[1]->setText(end.chopped(1));
        }
    } catch (const EngineError& e) {
        showUnexpectedError(e.number(), QStringLiteral("Form_Load"), this);
    }

    chkDefault->setChecked(readSetting(setting::AutoDates) != QLatin1String("-1"));

    try {
        const QString s = GetDateSeparator();
        optStartDate[2]->setText(userPutsDayFirst()
                                     ? QStringLiteral("All new memberships start from this date in the year (dd") + s + QStringLiteral("mm):")
                                     : QStringLiteral("All new memberships start from this date in the year (mm") + s + QStringLiteral("dd):"));
    } catch (const EngineError& e) {
        showUnexpectedError(e.number(), QStringLiteral("Form_Load"), this);
    }
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
    QString s;
    try {
        s = GetDateSeparator();
    } catch (const EngineError& e) {
        txtStartDateTag.clear();
        showUnexpectedError(e.number(), QStringLiteral("txtStartDate_LostFocus"), this);
        return;
    }
    if (const auto problem = dayAndMonthProblem(txtStartDate[1]->text(), s, userPutsDayFirst())) {
        txtStartDateTag.clear();
        tell(problem->text, problem->title, MsgIcon::Information, this);
        return;
    }
    txtStartDateTag = kOK;
}

void frmZelkYear::txtEndDate_LostFocus(int Index)
{
    trimBox(txtEndDate[Index]);
    // The title's spelling is the one users of this message have always seen.
    if (!isLength(txtEndDate[Index]->text()))
        tell(kTooShort, QStringLiteral("Membership to short"), MsgIcon::Exclamation, this);
}

void frmZelkYear::Command1_Click(int Index)
{
    if (Index == 1) {
        if (MessageBox::show(QStringLiteral("Are you sure you want to cancel all changes?"), QStringLiteral("Just checking"),
                             MsgButtons::YesNo, MsgIcon::Question, MsgAnswer::Yes, this)
            == MsgAnswer::Yes)
            reject();
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
    if (!saveRules())
        return;
    const bool automatic = !chkDefault->isChecked();
    saveSetting(setting::AutoDates, automatic ? QStringLiteral("-1") : QStringLiteral("0"));
    m_state.AutoDates = automatic ? -1 : 0;
    accept();
}

bool frmZelkYear::saveRules()
{
    auto& settings = *m_state.rsSettings;
    try {
        settings.moveFirst();
        settings.edit();
        // An option group with nothing chosen leaves its rule as it was.
        if (optStartDate[0]->isChecked())
            settings.setField(QStringLiteral("YearStart"), QVariant());
        else if (optStartDate[1]->isChecked())
            settings.setField(QStringLiteral("YearStart"),
                              QStringLiteral("%1/").arg(int(*wholeNumber(txtStartDate[0]->text())), 2, 10, QLatin1Char('0')));
        else if (optStartDate[2]->isChecked())
            settings.setField(QStringLiteral("YearStart"), txtStartDate[1]->text());
        if (optEndDate[0]->isChecked())
            settings.setField(QStringLiteral("YearEnd"), QStringLiteral("1y"));
        else if (optEndDate[1]->isChecked())
            settings.setField(QStringLiteral("YearEnd"), txtEndDate[0]->text() + u'd');
        else if (optEndDate[2]->isChecked())
            settings.setField(QStringLiteral("YearEnd"), txtEndDate[1]->text() + u'm');
        settings.update();
        return true;
    } catch (const EngineError& e) {
        if (settings.editMode() != Recordset::EditMode::None)
            settings.cancelUpdate();
        showUnexpectedError(e.number(), QStringLiteral("Command1_Click"), this);
        return false;
    }
}

} // namespace zelk
