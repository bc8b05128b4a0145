#include "frm_zelk_main.h"

#include "app/app_state.h"
#include "app/unexpected_error.h"

#include "engine/engine_error.h"

#include <QFormLayout>
#include <QLabel>

namespace zelk {

frmZelkMain::frmZelkMain(AppState& state, QWidget* parent)
    : QMainWindow(parent)
    , lblNumber(new QLabel)
    , lblName(new QLabel)
    , m_state(state)
{
    setObjectName(QStringLiteral("frmZelkMain"));
    setWindowTitle(QStringLiteral("Bramwick Zelk Membership: Enter or Amend Members"));
    auto* body = new QWidget;
    auto* form = new QFormLayout(body);
    form->addRow(QStringLiteral("Number"), lblNumber);
    form->addRow(QStringLiteral("Name"), lblName);
    setCentralWidget(body);
    m_state.main = this;
    if (!m_state.rsZelk->eof())
        RefreshData();
}

void frmZelkMain::RefreshData()
{
    auto& rs = *m_state.rsZelk;
    try {
        if (rs.eof() || rs.bof()) {
            lblNumber->clear();
            lblName->clear();
            return;
        }
        lblNumber->setText(rs.field(QStringLiteral("Number")).toString());
        lblName->setText((rs.field(QStringLiteral("FirstName")).toString() + u' ' + rs.field(QStringLiteral("Surname")).toString()).trimmed());
    } catch (const EngineError& e) {
        showUnexpectedError(e.number(), QStringLiteral("RefreshData"), this);
    }
}

} // namespace zelk
