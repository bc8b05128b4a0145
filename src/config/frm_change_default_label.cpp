#include "frm_change_default_label.h"

#include "frm_new_label_size.h"

#include "core/app_state.h"
#include "core/settings_store.h"
#include "engine/recordset.h"
#include "engine/sql_dialect.h"
#include "ui/guarded.h"
#include "ui/key_preview.h"
#include "ui/message_box.h"
#include "ui/modal.h"
#include "ui/tab_order.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelk {

namespace {

const QString kNoLabel = QStringLiteral("No label selected");

void noLabelSelected(const QString& text, QWidget* parent)
{
    MessageBox::show(text, kNoLabel, MsgButtons::OK, MsgIcon::Information, parent);
}

} // namespace

frmChangeDefaultLabel::frmChangeDefaultLabel(AppState& state, QWidget* parent)
    : QDialog(parent)
    , List1(new QListWidget)
    , Label1(new QLabel)
    , m_state(state)
{
    setObjectName(QStringLiteral("frmChangeDefaultLabel"));
    setWindowTitle(QStringLiteral("Change default label type"));
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    List1->setMinimumSize(300, 220);
    Label1->setTextFormat(Qt::PlainText);
    Label1->setWordWrap(true);

    const char* const captions[5] = {"OK", "Cancel", "&Add another label size", "Amend the highlighted label", "&Delete the highlighted label"};
    for (int i = 0; i < 5; ++i) {
        cmd1[i] = new QPushButton(QString::fromLatin1(captions[i]));
        cmd1[i]->setAutoDefault(false);
        connect(cmd1[i], &QPushButton::clicked, this, [this, i] { guarded(QStringLiteral("cmd1_Click"), this, [&] { cmd1_Click(i); }); });
    }
    connect(List1, &QListWidget::itemDoubleClicked, this, [this] { guarded(QStringLiteral("List1_DblClick"), this, [&] { cmd1_Click(0); }); });

    auto* side = new QVBoxLayout;
    for (int i : {2, 3, 4})
        side->addWidget(cmd1[i]);
    side->addStretch();
    side->addWidget(cmd1[0]);
    side->addWidget(cmd1[1]);
    auto* top = new QHBoxLayout;
    top->addWidget(List1, 1);
    top->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(top);

    setTabChain({List1, cmd1[0], cmd1[1], cmd1[2], cmd1[3], cmd1[4]});
    installKeyPreview(this);
    guarded(QStringLiteral("Form_Load"), this, [this] { Form_Load(); });
}

void frmChangeDefaultLabel::Form_Load()
{
    Label1->setText(QStringLiteral("Click on your normal label size from the list and then press OK\n\nCurrent default size is: ")
                    + readSetting(setting::LabelSize));
    FillList();
}

void frmChangeDefaultLabel::FillList()
{
    List1->clear();
    Recordset& labels = *m_state.rsLabels;
    if (labels.recordCount() == 0)
        return;
    for (labels.moveFirst(); !labels.eof(); labels.moveNext())
        List1->addItem(labels.field(QStringLiteral("LabelName")).toString() + QStringLiteral("\t\t")
                       + labels.field(QStringLiteral("LabelsWide")).toString() + QStringLiteral(" wide, ")
                       + labels.field(QStringLiteral("LabelsHigh")).toString() + QStringLiteral(" high"));
}

QString frmChangeDefaultLabel::entryName(const QString& entry)
{
    return entry.section(u'\t', 0, 0).trimmed();
}

QString frmChangeDefaultLabel::highlightedName() const
{
    const auto selected = List1->selectedItems();
    return selected.isEmpty() ? QString() : entryName(selected.first()->text());
}

void frmChangeDefaultLabel::cmd1_Click(int Index)
{
    const bool highlighted = !List1->selectedItems().isEmpty();
    switch (Index) {
    case 0:
        if (!highlighted) {
            noLabelSelected(QStringLiteral("You must select a label type for the default."), this);
            return;
        }
        m_chosen = highlightedName();
        saveSetting(setting::LabelSize, m_chosen);
        accept();
        return;
    case 1:
        reject();
        return;
    case 2:
        openEditWindow(LabelEdit::Add, {});
        return;
    case 3:
        if (!highlighted) {
            noLabelSelected(QStringLiteral("You must select a label type to change."), this);
            return;
        }
        openEditWindow(LabelEdit::Amend, highlightedName());
        return;
    case 4:
        if (!highlighted) {
            noLabelSelected(QStringLiteral("You must select a label type to delete."), this);
            return;
        }
        deleteLabel(highlightedName());
        return;
    default:
        return;
    }
}

void frmChangeDefaultLabel::openEditWindow(LabelEdit mode, const QString& name)
{
    frmNewLabelSize edit(m_state, mode, name, this);
    const bool saved = runModal(edit) == QDialog::Accepted;
    // The list shows at once what was added or amended, with it highlighted.
    FillList();
    if (saved) {
        for (int i = 0; i < List1->count(); ++i)
            if (entryName(List1->item(i)->text()).compare(edit.savedName(), Qt::CaseInsensitive) == 0)
                List1->setCurrentRow(i);
    }
}

void frmChangeDefaultLabel::deleteLabel(const QString& name)
{
    if (MessageBox::show(QStringLiteral("Are you sure that you want to delete label ") + name + u'?', QStringLiteral("Just checking"),
                         MsgButtons::YesNo, MsgIcon::Question, this)
        != MsgAnswer::Yes)
        return;
    Recordset& labels = *m_state.rsLabels;
    if (labels.recordCount() == 0)
        return;
    labels.moveFirst();
    labels.findFirst(QStringLiteral("LabelName = ") + sql::quoteText(name));
    if (labels.noMatch())
        return;
    labels.deleteCurrent();
    m_state.reopen(m_state.rsLabels, query::labels());
    FillList();
}

} // namespace zelk
