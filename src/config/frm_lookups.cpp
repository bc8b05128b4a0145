#include "frm_lookups.h"

#include "core/app_state.h"
#include "core/text_rules.h"
#include "data/schema.h"
#include "engine/collation.h"
#include "engine/conversion.h"
#include "engine/recordset.h"
#include "engine/transaction_guard.h"
#include "ui/guarded.h"
#include "ui/message_box.h"
#include "ui/tab_order.h"
#include "ui/user_dialogs.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace zelk {

frmLookups::frmLookups(AppState& state, query::ValueList list, const QString& boxValue, QWidget* parent)
    : QDialog(parent)
    , List1(new QListWidget)
    , cmdAdd(new QPushButton)
    , cmdDelete(new QPushButton(QStringLiteral("&Delete")))
    , m_state(state)
    , m_list(list)
    , m_boxValue(boxValue)
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
    setWindowTitle(typeMode() ? QStringLiteral("Membership Types") : QStringLiteral("Lookups"));
    cmdAdd->setText(typeMode() ? QStringLiteral("&Add Membership Type") : QStringLiteral("&Add Lookup"));
    FillList(m_list);
}

std::unique_ptr<Recordset>& frmLookups::listRecordset()
{
    return typeMode() ? m_state.rsMemberTypes : m_state.rsLookups;
}

void frmLookups::FillList(query::ValueList list)
{
    guarded(QStringLiteral("FillList"), this, [this, list] {
        auto& rs = list == query::ValueList::MemberTypes ? m_state.rsMemberTypes : m_state.rsLookups;
        m_state.reopen(rs, query::valueListQuery(list));
        if (rs->recordCount() > 0) {
            const QString field = query::valueField(list);
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
        // The box's own value is highlighted only when the list holds it exactly, case and all.
        if (m_boxValue.isEmpty())
            return;
        for (int i = 0; i < List1->count(); ++i) {
            if (List1->item(i)->text() == m_boxValue) {
                List1->setCurrentRow(i);
                m_selected = m_boxValue;
                return;
            }
        }
    });
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
    accept();
}

void frmLookups::showNothingSelected()
{
    MessageBox::show(typeMode() ? QStringLiteral("You haven't selected a membership type.")
                                : QStringLiteral("You haven't selected a lookup."),
                     QStringLiteral("Nothing selected"), MsgButtons::OK, MsgIcon::Information, this);
}

void frmLookups::cmdAdd_Click()
{
    // A value fits both its list and the member boxes it is chosen for.
    const int longest = (typeMode() ? schema::membersTable() : schema::lookupsTable()).fields.front().size;
    InputQuestion question =
        typeMode() ? InputQuestion{QStringLiteral("Please enter a new membership type"), QStringLiteral("Add Membership Type")}
                   : InputQuestion{QStringLiteral("Please enter a new lookup"), QStringLiteral("Add Lookup")};
    question.maxLength = longest;
    const auto answer = UserDialogs::inputBox(question, this);
    if (!answer)
        return;
    const QString value = answer->trimmed();
    if (value.isEmpty())
        return;
    if (controlCharacterIn(value)) {
        MessageBox::show(QStringLiteral("Sorry, but you can't use a control character (one that cannot be typed or shown) in ")
                             + (typeMode() ? QStringLiteral("membership types.") : QStringLiteral("lookups.")),
                         QStringLiteral("Can't use that character here"), MsgButtons::OK, MsgIcon::Information, this);
        return;
    }
    if (characterCount(value) > longest) {
        MessageBox::show(QStringLiteral("Sorry, but ") + (typeMode() ? QStringLiteral("a membership type") : QStringLiteral("a lookup"))
                             + QStringLiteral(" can be no longer than %1 characters.").arg(longest),
                         QStringLiteral("Too long"), MsgButtons::OK, MsgIcon::Information, this);
        return;
    }
    if (value.contains(u'"')) {
        MessageBox::show(QStringLiteral("Sorry, but you can't use \"")
                             + (typeMode() ? QStringLiteral(" in membership types.") : QStringLiteral(" in lookups.")),
                         QStringLiteral("Can't use a double quote here"), MsgButtons::OK, MsgIcon::Information, this);
        return;
    }

    bool duplicate = false;
    const bool stored = guarded(QStringLiteral("cmdAdd_Click"), this, [this, &value, &duplicate] {
        Recordset& rs = *listRecordset();
        rs.findFirst(query::valueCriterion(m_list, value));
        duplicate = !rs.noMatch();
        if (duplicate)
            return;
        // A refused value leaves nothing pending, so the next addition starts afresh.
        PendingEdit edit(rs);
        rs.addNew();
        rs.setField(query::valueField(m_list), value);
        rs.update();
    });
    if (duplicate)
        MessageBox::show(QStringLiteral("You already have a ") + quotedInMessage(value)
                             + (typeMode() ? QStringLiteral(" membership type.") : QStringLiteral(" lookup.")),
                         QStringLiteral("Duplicate"), MsgButtons::OK, MsgIcon::Information, this);
    else if (stored)
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
    bool inUse = true;
    if (!guarded(QStringLiteral("cmdDelete_Click"), this, [this, &value, &inUse] {
            m_state.reopen(m_state.rsInUse, query::inUseQuery(m_list, value));
            inUse = m_state.rsInUse->recordCount() > 0;
        }))
        return;
    if (inUse) {
        MessageBox::show((typeMode() ? QStringLiteral("You still have some members with a membership type of ")
                                     : QStringLiteral("You still have some members with a lookup of "))
                             + quotedInMessage(value) + u'.',
                         QStringLiteral("Can't delete at the moment"), MsgButtons::OK, MsgIcon::Information, this);
        return;
    }
    if (MessageBox::show(QStringLiteral("Are you sure that you want to delete ") + quotedInMessage(value) + u'?',
                         QStringLiteral("Just Checking"), MsgButtons::YesNo, MsgIcon::Question, this)
        != MsgAnswer::Yes)
        return;

    bool deleted = false;
    const bool done = guarded(QStringLiteral("cmdDelete_Click"), this, [this, &value, &deleted] {
        Recordset& rs = *listRecordset();
        m_state.SQLText = query::valueCriterion(m_list, value);
        // The register's comparisons ignore case, so a search would take "Gold" for "GOLD":
        // the value deleted is the one chosen, letter for letter.
        if (rs.recordCount() == 0)
            return;
        for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
            if (rs.field(query::valueField(m_list)).toString() == value) {
                rs.deleteCurrent();
                deleted = true;
                return;
            }
        }
    });
    if (!done || !deleted)
        return;
    // The deleted value is gone from the list, so OK must not hand it over.
    List1->clear();
    m_selected.clear();
    FillList(m_list);
}

} // namespace zelk
