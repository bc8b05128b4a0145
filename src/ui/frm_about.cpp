#include "frm_about.h"

#include "captions.h"

#include "core/program_info.h"

#include <QDir>

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace zelk {

frmAbout::frmAbout(const QString& registerPath, QWidget* parent)
    : QDialog(parent)
    , lblTitle(new QLabel(programTitle()))
    , lblVersion(new QLabel(QStringLiteral("Version ") + programVersion()))
    , lblDescription(new QLabel(QStringLiteral("Keeps the membership register of a club or society.")))
    , lblRegister(plainLabel(QStringLiteral("Your register is kept in\n") + QDir::toNativeSeparators(registerPath)))
{
    setWindowTitle(QStringLiteral("About ") + programTitle());
    QFont title = lblTitle->font();
    title.setPointSizeF(title.pointSizeF() * 1.8);
    title.setBold(true);
    lblTitle->setFont(title);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 24, 28, 18);
    layout->setSpacing(10);
    // The path can be copied, to find the file for a backup or another computer.
    lblRegister->setTextInteractionFlags(Qt::TextSelectableByMouse);
    for (auto* label : {lblTitle, lblVersion, lblDescription, lblRegister}) {
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
    }
    layout->addSpacing(8);
    layout->addWidget(buttons);
}

} // namespace zelk
