#include "frm_zelk_defaults.h"

#include "frm_change_default_label.h"

#include "core/app_state.h"
#include "core/settings_store.h"
#include "data/sort_fields.h"
#include "ui/box_focus.h"
#include "ui/button_row.h"
#include "ui/cancel_question.h"
#include "ui/guarded.h"
#include "ui/key_preview.h"
#include "ui/message_box.h"
#include "ui/modal.h"
#include "ui/tab_order.h"
#include "mail/mail_server.h"
#include "mail/password_store.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zelk {

namespace {

// Each option's caption and the value it stores.
struct Option {
    QLatin1String caption;
    QLatin1String value;
};

constexpr Option option(const char* caption, const char* value)
{
    return {QLatin1String(caption), QLatin1String(value)};
}

const std::array<Option, 5> kSortOrders = [] {
    std::array<Option, 5> options{};
    for (size_t i = 0; i < kStartupSortOptions.size(); ++i) {
        const SortField& sort = sortField(kStartupSortOptions[i]);
        options[i] = {sort.caption, sort.field};
    }
    return options;
}();
constexpr std::array<Option, 7> kPrintOrders{
    option("Surname", "Surname"), option("Membership Type", "MemberType"), option("Renewal Date", "RenewDate"),
    option("Membership Number", "Number"), option("Post Code", "PostCode"), option("Birthday", "Birthday"),
    option("Lookups", "Lookups")};
constexpr std::array<Option, 4> kReportTypes{option("Labels", "Labels"), option("List", "List"), option("File", "File"),
                                             option("E-mail", "E-mail")};
constexpr std::array<Option, 3> kGreetings{option("Formal", "Formal"), option("Friendly", "Friendly"),
                                           option("None", "None")};

constexpr const char* kTrue = "-1";
constexpr const char* kFalse = "0";

template <size_t N>
QGroupBox* optionFrame(const QString& title, std::array<QRadioButton*, N>& options, const std::array<Option, N>& captions)
{
    auto* frame = new QGroupBox(title);
    auto* layout = new QVBoxLayout(frame);
    layout->setSpacing(2);
    for (size_t i = 0; i < N; ++i) {
        options[i] = new QRadioButton(captions[i].caption);
        layout->addWidget(options[i]);
    }
    layout->addStretch();
    return frame;
}

// The option whose value is `value`; a value no option has selects none.
template <size_t N>
void selectValue(const std::array<QRadioButton*, N>& options, const std::array<Option, N>& values, const QString& value)
{
    for (size_t i = 0; i < N; ++i)
        if (value == values[i].value) {
            options[i]->setChecked(true);
            return;
        }
}

// The value of the option selected; empty when none is.
template <size_t N>
QString selectedValue(const std::array<QRadioButton*, N>& options, const std::array<Option, N>& values)
{
    for (size_t i = 0; i < N; ++i)
        if (options[i]->isChecked())
            return values[i].value;
    return {};
}

QString flagText(bool on)
{
    return QString::fromLatin1(on ? kTrue : kFalse);
}

} // namespace

frmZelkDefaults::frmZelkDefaults(AppState& state, QWidget* parent, std::function<bool()> beforeReorder)
    : QDialog(parent), m_state(state), m_beforeReorder(std::move(beforeReorder))
{
    setObjectName(QStringLiteral("frmZelkDefaults"));
    setWindowTitle(QStringLiteral("Bramwick Zelk Membership - defaults"));
    buildControls();
    chainTabOrder();
    installKeyPreview(this);
    Form_Load();
}

void frmZelkDefaults::buildControls()
{
    Frame1[0] = optionFrame(QStringLiteral("Sort order on start-up:"), optSortOrder, kSortOrders);
    Frame1[1] = optionFrame(QStringLiteral("Default print order:"), optPrintOrder, kPrintOrders);
    // The caption keeps the spelling users have always seen.
    Frame1[2] = optionFrame(QStringLiteral("Default report tye:"), optReportType, kReportTypes);

    // The greeting options share a panel of their own, so they form a group apart.
    Label2[2] = new QLabel(QStringLiteral("Email Greeting:"));
    auto* greeting = new QWidget;
    auto* greetingLayout = new QVBoxLayout(greeting);
    greetingLayout->setContentsMargins(0, 0, 0, 0);
    greetingLayout->setSpacing(2);
    greetingLayout->addWidget(Label2[2]);
    for (int i = 0; i < 3; ++i) {
        optGreeting[i] = new QRadioButton(kGreetings[i].caption);
        greetingLayout->addWidget(optGreeting[i]);
    }
    greetingLayout->addStretch();

    // "&&" shows one "&": the caption has no access key.
    chkDefault[0] = new QCheckBox(QStringLiteral("Automatically capitalise each word in names && addresses"));
    chkDefault[1] = new QCheckBox(QStringLiteral("Automatically set the join and renewal dates"));
    chkDefault[2] = new QCheckBox(QStringLiteral("Print reports in UPPER CASE"));

    Label2[0] = new QLabel(QStringLiteral("Email address:"));
    txtEmail = new QLineEdit;
    txtEmail->setToolTip(QStringLiteral("The address the e-mails to your members are sent from - it must be a valid e-mail address."));
    Label2[1] = new QLabel(QStringLiteral("SMTP email server:"));
    txtSMTP = new QLineEdit;
    txtSMTP->setToolTip(QStringLiteral(
        "This is the email server the program should use - please check with your internet service provider if you are not sure."));
    txtSMTP->setPlaceholderText(QStringLiteral("smtp.example.org, smtp.example.org:587 or smtps://smtp.example.org"));
    buildMailLogin();
    for (QLineEdit* box : {txtEmail, txtSMTP, txtUser}) {
        box->setMinimumWidth(260);
        onBoxFocus(box, {}, [box] { trimBox(box); });
    }

    Frame1[3] = new QGroupBox(QStringLiteral("Default label type:"));
    Label1 = new QLabel;
    Label1->setTextFormat(Qt::PlainText);
    cmdChangeDefaultLabel = new QPushButton(QStringLiteral("Change label type"));
    cmdChangeDefaultLabel->setAutoDefault(false);
    connect(cmdChangeDefaultLabel, &QPushButton::clicked, this, &frmZelkDefaults::cmdChangeDefaultLabel_Click);
    auto* labelLayout = new QHBoxLayout(Frame1[3]);
    labelLayout->addWidget(Label1, 1);
    labelLayout->addWidget(cmdChangeDefaultLabel);

    auto* buttons = buttonRow(Command1, {{1, "&Save"}, {0, "Cancel"}}, this, [this](int i) { Command1_Click(i); });

    auto* right = new QVBoxLayout;
    right->addWidget(Frame1[2]);
    right->addWidget(greeting);
    auto* groups = new QHBoxLayout;
    groups->addWidget(Frame1[0], 1);
    groups->addWidget(Frame1[1], 1);
    groups->addLayout(right, 1);

    auto* email = new QFormLayout;
    email->addRow(Label2[0], txtEmail);
    email->addRow(Label2[1], txtSMTP);
    email->addRow(lblUser, txtUser);
    email->addRow(lblPassword, txtPassword);
    email->addRow(lblSecurity, cmbSecurity);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    for (auto* box : chkDefault)
        layout->addWidget(box);
    layout->addSpacing(4);
    layout->addLayout(email);
    layout->addWidget(Frame1[3]);
    layout->addSpacing(4);
    layout->addLayout(buttons);
}

void frmZelkDefaults::chainTabOrder()
{
    QList<QWidget*> order;
    for (auto* o : optSortOrder)
        order << o;
    for (auto* o : optPrintOrder)
        order << o;
    for (auto* o : optReportType)
        order << o;
    for (auto* o : optGreeting)
        order << o;
    for (auto* c : chkDefault)
        order << c;
    order << txtEmail << txtSMTP << txtUser << txtPassword << cmbSecurity << cmdChangeDefaultLabel << Command1[1] << Command1[0];
    setTabChain(order);
}

void frmZelkDefaults::Form_Load()
{
    // The shared SortOrder keeps describing the order the members are in until a save
    // reopens them in the stored one.
    m_sortOrder = readSetting(setting::SortOrder);
    selectValue(optSortOrder, kSortOrders, m_sortOrder);
    selectValue(optPrintOrder, kPrintOrders, readSetting(setting::PrintOrder));
    selectValue(optReportType, kReportTypes, readSetting(setting::ReportType));
    setDefaultLabel(readSetting(setting::LabelSize));
    chkDefault[0]->setChecked(settingFlagIsOn(setting::AutoCaps));
    chkDefault[1]->setChecked(settingFlagIsOn(setting::AutoDates));
    chkDefault[2]->setChecked(settingFlagIsOn(setting::UpperCase));
    const QString sender = readSetting(setting::EmailSender);
    if (!sender.isEmpty())
        txtEmail->setText(sender);
    const QString server = readSetting(setting::EmailSMTP);
    if (!server.isEmpty())
        txtSMTP->setText(server);
    txtUser->setText(readSetting(setting::EmailUser));
    cmbSecurity->setCurrentIndex(int(mail::securityOf(readSetting(setting::EmailSecurity))));
    const QString greeting = readSetting(setting::EmailGreeting);
    if (greeting == QLatin1String("Friendly"))
        optGreeting[1]->setChecked(true);
    else if (greeting == QLatin1String("Formal"))
        optGreeting[0]->setChecked(true);
    else
        optGreeting[2]->setChecked(true);
}

void frmZelkDefaults::setDefaultLabel(const QString& name)
{
    Label1->setText(name + QStringLiteral(" labels"));
}

QString frmZelkDefaults::chosenSortOrder() const
{
    const QString chosen = selectedValue(optSortOrder, kSortOrders);
    return chosen.isEmpty() ? m_sortOrder : chosen;
}

void frmZelkDefaults::SaveDefaults()
{
    m_state.SortOrder = chosenSortOrder();
    saveSetting(setting::SortOrder, m_state.SortOrder);

    const QString printOrder = selectedValue(optPrintOrder, kPrintOrders);
    if (!printOrder.isEmpty())
        saveSetting(setting::PrintOrder, printOrder);
    const QString reportType = selectedValue(optReportType, kReportTypes);
    if (!reportType.isEmpty())
        saveSetting(setting::ReportType, reportType);

    saveSetting(setting::AutoCaps, flagText(chkDefault[0]->isChecked()));
    m_state.AutoCaps = chkDefault[0]->isChecked() ? -1 : 0;
    saveSetting(setting::AutoDates, flagText(chkDefault[1]->isChecked()));
    m_state.AutoDates = chkDefault[1]->isChecked() ? -1 : 0;
    saveSetting(setting::UpperCase, flagText(chkDefault[2]->isChecked()));

    // An emptied box keeps the address or server stored before.
    if (!txtEmail->text().isEmpty())
        saveSetting(setting::EmailSender, txtEmail->text());
    if (!txtSMTP->text().isEmpty())
        saveSetting(setting::EmailSMTP, txtSMTP->text());

    QString greeting = QStringLiteral("None");
    if (optGreeting[1]->isChecked())
        greeting = QStringLiteral("Friendly");
    else if (optGreeting[0]->isChecked())
        greeting = QStringLiteral("Formal");
    saveSetting(setting::EmailGreeting, greeting);
    SaveMailLogin();
}

// Most mail providers want an encrypted connection and a login: a user name, a password
// kept in the desktop's keyring, and the kind of encryption.
void frmZelkDefaults::buildMailLogin()
{
    lblUser = new QLabel(QStringLiteral("User name:"));
    txtUser = new QLineEdit;
    txtUser->setToolTip(QStringLiteral("The user name your mail provider gave you for sending mail. Leave it empty when the "
                                       "server needs no login."));
    lblPassword = new QLabel(QStringLiteral("Password:"));
    txtPassword = new QLineEdit;
    txtPassword->setEchoMode(QLineEdit::Password);
    txtPassword->setToolTip(QStringLiteral("The password for that user name. It is kept in your desktop's keyring, never in "
                                           "Zelk's own settings. Leave the box empty to keep the password already kept."));
    lblSecurity = new QLabel(QStringLiteral("Connection security:"));
    cmbSecurity = new QComboBox;
    for (const auto security : {mail::Security::None, mail::Security::StartTls, mail::Security::SslTls})
        cmbSecurity->addItem(mail::securityText(security));
    cmbSecurity->setToolTip(QStringLiteral(
        "None: the connection is encrypted whenever the server offers it (STARTTLS). STARTTLS: the server must offer it, or "
        "nothing is sent. SSL/TLS: encrypted from the start, usually on port 465. A password is only ever sent over an "
        "encrypted connection."));
}

void frmZelkDefaults::SaveMailLogin()
{
    saveSetting(setting::EmailUser, txtUser->text());
    saveSetting(setting::EmailSecurity, mail::securityText(mail::Security(cmbSecurity->currentIndex())));
    if (txtPassword->text().isEmpty() || txtUser->text().isEmpty())
        return;
    if (mail::storePassword(txtUser->text(), readSetting(setting::EmailSMTP), txtPassword->text())
        == mail::PasswordKept::UntilProgramEnds)
        MessageBox::show(QStringLiteral("There is no keyring on this desktop to keep the password in, so it is kept only until "
                                        "Zelk Membership ends. After that you will be asked for it when you send e-mail."),
                         QStringLiteral("Password kept for now"), MsgButtons::OK, MsgIcon::Information, this);
}

void frmZelkDefaults::reject()
{
    Command1_Click(0);
}

void frmZelkDefaults::Command1_Click(int Index)
{
    if (Index == 0) {
        if (confirmCancelAllChanges(this))
            QDialog::reject();
        return;
    }
    // The members are reopened in the new order before anything is stored, so an order
    // the register cannot sort by stores nothing and leaves the members as they were.
    // The opener shows the first member of the new order.
    if (m_beforeReorder && !m_beforeReorder())
        return;
    const QString previousSql = m_state.SQLText;
    const bool reopened = guarded(QStringLiteral("Command1_Click"), this, [this, &previousSql] {
        try {
            m_state.reopen(m_state.rsZelk, membersInOrder(chosenSortOrder()));
        } catch (...) {
            m_state.SQLText = previousSql;
            throw;
        }
    });
    if (reopened && guarded(QStringLiteral("Command1_Click"), this, [this] { SaveDefaults(); }))
        accept();
}

void frmZelkDefaults::cmdChangeDefaultLabel_Click()
{
    frmChangeDefaultLabel labels(m_state, this);
    if (runModal(labels) == QDialog::Accepted)
        setDefaultLabel(labels.chosenLabel());
}

} // namespace zelk
