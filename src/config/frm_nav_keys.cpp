#include "frm_nav_keys.h"

#include "ui/tab_order.h"
#include "core/app_state.h"
#include "core/settings_store.h"
#include "ui/guarded.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zelk {

frmNavKeys::frmNavKeys(AppState& state, QWidget* parent)
    : QDialog(parent)
    , Label1(new QLabel(QStringLiteral("Zelk allows you to use Ctrl-PageUp and Ctrl-Page down to move through your "
                                       "members. Use this screen to choose which direction these keys scroll through "
                                       "your members.")))
    , Command1(new QPushButton(QStringLiteral("OK")))
    , m_state(state)
{
    setWindowTitle(QStringLiteral("Navigation keys"));
    optDir[0] = new QRadioButton(QStringLiteral("Ctrl-PageUp goes up through your members"));
    optDir[1] = new QRadioButton(QStringLiteral("Ctrl-PageUp goes down through your members"));
    Label1->setWordWrap(true);
    Label1->setMinimumWidth(340);
    Command1->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addSpacing(6);
    layout->addWidget(optDir[0]);
    layout->addWidget(optDir[1]);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    setTabChain({optDir[0], optDir[1], Command1});
    connect(Command1, &QPushButton::clicked, this, &frmNavKeys::Command1_Click);

    optDir[m_state.PageDir == 1 ? 0 : 1]->setChecked(true);
}

void frmNavKeys::Command1_Click()
{
    // 1: Ctrl+Page Up goes to the previous member; 0: to the next one.
    const bool up = optDir[0]->isChecked();
    if (!guarded(QStringLiteral("Command1_Click"), this,
                 [up] { saveSetting(setting::PageDir, up ? QStringLiteral("1") : QStringLiteral("0")); }))
        return;
    m_state.PageDir = up ? 1 : 0;
    accept();
}

} // namespace zelk
