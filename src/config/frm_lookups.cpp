#include "frm_lookups.h"

#include "ui/tab_order.h"
#include "core/app_state.h"
#include "ui/main_view.h"
#include "ui/message_box.h"
#include "ui/unexpected_error.h"
#include "ui/user_dialogs.h"

#include "engine/collation.h"
#include "engine/recordset.h"
#include "engine/sql_dialect.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace zelk {

namespace {

const QString kTypeList = QStringLiteral("Type");
const QString kLookupList = QStringLiteral("Lookups");

QString valueField(bool typeMode)
{
    return typeMode ? QStringLiteral("Member Type") : QStringLiteral("Lookups");
}

// The members holding `quoted` as their type, or in any of their six lookups.
QString inUseQuery(bool typeMode, const QString& quoted)
{
    if (typeMode)
        return QStringLiteral("Select * from Zelk where MemberType = ") + quoted;
    QStringList conditions;
    for (int i = 1; i <= 6; ++i)
        conditions << QStringLiteral("(Lookup") + QString::number(i) + QStringLiteral(" = ") + quoted + u')';
    return QStringLiteral("Select * from Zelk where ") + conditions.join(QStringLiteral(" or ")) + u' ';
}

} // namespace

frmLookups::frmLookups(AppState& state, QWidget* parent)
    : QDialog(parent)
    , List1(new QListWidget)
    , cmdAdd(new QPushButton)
    , cmdDelete(new QPushButton(QStringLiteral("&Delete")))
    , m_state(state)
    , m_typeMode(state.WorkString == kTypeList)
{
    Command1[1] = new QPushButton(QStringLiteral("OK"));
    Command1[0] = new QPushButton(QStringLiteral("Cancel"));
    List1->setToolTip(QStringLiteral("Click desired item and press OK or double click desired item"));
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    List1->setMinimumSize(240, 260);
    Command1[1]->setDefault(true);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdAdd);
    buttons->addWidget(cmdDelete);
    buttons->addStretch();
    buttons->addWidget(Command1[1]);
    buttons->addWidget(Command1[0]);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(List1, 1);
    layout->addLayout(buttons);

    setTabChain({List1, cmdAdd, cmdDelete, Command1[1], Command1[0]});

    connect(List1, &QListWidget::itemSelectionChanged, this, &frmLookups::List1_Click);
    connect(List1, &QListWidget::itemDoubleClicked, this, &frmLookups::List1_DblClick);
    connect(cmdAdd, &QPushButton::clicked, this, &frmLookups::cmdAdd_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmLookups::cmdDelete_Click);
    for (int i = 0; i < 2; ++i)
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });

    m_selected.clear();
    if (m_typeMode) {
        setWindowTitle(QStringLiteral("Membership Types"));
        cmdAdd->setText(QStringLiteral("&Add Membership Type"));
        FillList(kTypeList);
    } else {
        setWindowTitle(QStringLiteral("Lookups"));
        cmdAdd->setText(QStringLiteral("&Add Lookup"));
        FillList(kLookupList);
    }
}

void frmLookups::FillList(const QString& listName)
{
    try {
        const bool types = listName == kTypeList;
        if (types || listName == kLookupList) {
            auto& rs = types ? m_state.rsMemberTypes : m_state.rsLookups;
            m_state.reopen(rs, types ? QStringLiteral("Select * from Members") : QStringLiteral("Select * from Lookups"));
            if (rs->recordCount() == 0)
                return;
            const QString field = valueField(types);
            QStringList values;
            for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
                const QVariant value = rs->field(field);
                if (!value.isNull())
                    values << value.toString();
            }
            // Shown in the language's alphabetical order, whatever the order they were added in.
            const Collator collator;
            std::stable_sort(values.begin(), values.end(),
                             [&](const QString& a, const QString& b) { return collator.lessThan(a, b); });
            List1->addItems(values);
        }
        if (!m_state.main)
            return;
        // The box's own value is highlighted only when the list holds it exactly, case and all.
        const QString current = m_state.main->boxText(m_state.LookupField);
        if (current.isEmpty())
            return;
        for (int i = 0; i < List1->count(); ++i) {
            if (List1->item(i)->text() == current) {
                List1->setCurrentRow(i);
                m_selected = current;
                return;
            }
        }
    } catch (const std::exception& e) {
        showUnexpectedError(errorNumber(e), QStringLiteral("FillList"), this);
    }
}

void frmLookups::List1_Click()
{
    const auto items = List1->selectedItems();
    if (!items.isEmpty())
        m_selected = items.first()->text();
}

void frmLookups::List1_DblClick()
{
    List1_Click();
    Command1_Click(1);
}

void frmLookups::Command1_Click(int Index)
{
    if (Index == 0) {
        reject();
        return;
    }
    if (m_selected.isEmpty()) {
        showNothingSelected();
        return;
    }
    if (m_state.main)
        m_state.main->setBoxText(m_state.LookupField, m_selected);
    accept();
}

void frmLookups::showNothingSelected()
{
    MessageBox::show(m_typeMode ? QStringLiteral("You haven't selected a membership type.")
                                : QStringLiteral("You haven't selected a lookup."),
                     QStringLiteral("Nothing selected"), MsgButtons::OK, MsgIcon::Information, this);
}

void frmLookups::cmdAdd_Click()
{
    const auto answer = UserDialogs::inputBox(
        m_typeMode ? InputQuestion{QStringLiteral("Please enter a new membership type"), QStringLiteral("Add Membership Type")}
                   : InputQuestion{QStringLiteral("Please enter a new lookup"), QStringLiteral("Add Lookup")},
        this);
    if (!answer)
        return;
    const QString value = answer->trimmed();
    if (value.isEmpty())
        return;
    if (value.contains(u'"')) {
        MessageBox::show(QStringLiteral("Sorry, but you can't use \"")
                             + (m_typeMode ? QStringLiteral(" in membership types.") : QStringLiteral(" in lookups.")),
                         QStringLiteral("Can't use a double quote here"), MsgButtons::OK, MsgIcon::Information, this);
        return;
    }

    Recordset& rs = m_typeMode ? *m_state.rsMemberTypes : *m_state.rsLookups;
    const QString field = valueField(m_typeMode);
    try {
        rs.findFirst(u'[' + field + QStringLiteral("] = ") + sql::quoteText(value));
        if (!rs.noMatch()) {
            MessageBox::show(QStringLiteral("You already have a ") + value
                                 + (m_typeMode ? QStringLiteral(" membership type.") : QStringLiteral(" lookup.")),
                             QStringLiteral("Duplicate"), MsgButtons::OK, MsgIcon::Information, this);
            return;
        }
        rs.addNew();
        rs.setField(field, value);
        rs.update();
    } catch (const std::exception& e) {
        // A refused value leaves nothing pending, so the next addition starts afresh.
        if (rs.editMode() != Recordset::EditMode::None)
            rs.cancelUpdate();
        showUnexpectedError(errorNumber(e), QStringLiteral("cmdAdd_Click"), this);
        return;
    }
    insertSorted(value);
}

void frmLookups::insertSorted(const QString& value)
{
    const Collator collator;
    int row = 0;
    while (row < List1->count() && !collator.lessThan(value, List1->item(row)->text()))
        ++row;
    List1->insertItem(row, value);
}

void frmLookups::cmdDelete_Click()
{
    if (m_selected.isEmpty()) {
        showNothingSelected();
        return;
    }
    const QString value = m_selected;
    const QString quoted = sql::quoteText(value);
    try {
        m_state.reopen(m_state.rsInUse, inUseQuery(m_typeMode, quoted));
        if (m_state.rsInUse->recordCount() > 0) {
            MessageBox::show((m_typeMode ? QStringLiteral("You still have some members with a membership type of ")
                                         : QStringLiteral("You still have some members with a lookup of "))
                                 + value + u'.',
                             QStringLiteral("Can't delete at the moment"), MsgButtons::OK, MsgIcon::Information, this);
            return;
        }
    } catch (const std::exception& e) {
        showUnexpectedError(errorNumber(e), QStringLiteral("cmdDelete_Click"), this);
        return;
    }

    if (MessageBox::show(QStringLiteral("Are you sure that you want to delete ") + value + u'?',
                         QStringLiteral("Just Checking"), MsgButtons::YesNo, MsgIcon::Question, this)
        != MsgAnswer::Yes)
        return;

    Recordset& rs = m_typeMode ? *m_state.rsMemberTypes : *m_state.rsLookups;
    try {
        m_state.SQLText = (m_typeMode ? QStringLiteral("[Member Type] = ") : QStringLiteral("Lookups = ")) + quoted;
        rs.findFirst(m_state.SQLText);
        if (rs.noMatch())
            return;
        rs.edit();
        rs.deleteCurrent();
    } catch (const std::exception& e) {
        if (rs.editMode() != Recordset::EditMode::None)
            rs.cancelUpdate();
        showUnexpectedError(errorNumber(e), QStringLiteral("cmdDelete_Click"), this);
        return;
    }
    // The deleted value is gone from the list, so OK must not put it into the main window.
    List1->clear();
    m_selected.clear();
    FillList(m_typeMode ? kTypeList : kLookupList);
}

} // namespace zelk
