#include "frm_choose_font.h"

#include "ui/tab_order.h"
#include "ui/message_box.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelk {

frmChooseFont::frmChooseFont(AppState&, QLineEdit* fontBox, QWidget* parent)
    : QDialog(parent)
    , List1(new QListWidget)
    , m_fontBox(fontBox)
{
    setWindowTitle(QStringLiteral("Choose a font from the list below"));
    Command1[1] = new QPushButton(QStringLiteral("OK"));
    Command1[0] = new QPushButton(QStringLiteral("Cancel"));
    Command1[1]->setDefault(true);
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    List1->setMinimumSize(320, 300);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1[1]);
    buttons->addWidget(Command1[0]);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(List1, 1);
    layout->addLayout(buttons);

    setTabChain({List1, Command1[1], Command1[0]});
    for (int i = 0; i < 2; ++i)
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });

    List1->addItems(printerFonts());
}

QStringList frmChooseFont::printerFonts()
{
    // Printed output carries its fonts with it, so a printer can use every scalable font
    // of the system; a bitmap font would print at one size only. Without a printer the
    // system's fonts are all there is to offer.
    const QStringList families = QFontDatabase::families();
    if (QPrinterInfo::availablePrinters().isEmpty())
        return families;
    QStringList scalable;
    for (const QString& family : families)
        if (QFontDatabase::isScalable(family))
            scalable << family;
    return scalable;
}

void frmChooseFont::Command1_Click(int Index)
{
    if (Index == 0) {
        reject();
        return;
    }
    const auto selected = List1->selectedItems();
    const QString name = selected.isEmpty() ? QString() : selected.first()->text().trimmed();
    if (name.isEmpty()) {
        MessageBox::show(QStringLiteral("You must select a font."), QStringLiteral("No font selected"), MsgButtons::OK,
                         MsgIcon::Information, this);
        return;
    }
    if (m_fontBox)
        m_fontBox->setText(name);
    accept();
}

} // namespace zelk
