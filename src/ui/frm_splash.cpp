#include "frm_splash.h"

#include "core/program_info.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

namespace zelk {

frmSplash::frmSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
    , Frame1(new QFrame(this))
    , lblProductName(new QLabel(Frame1))
    , lblVersion(new QLabel(Frame1))
{
    setObjectName(QStringLiteral("frmSplash"));
    Frame1->setObjectName(QStringLiteral("Frame1"));
    lblProductName->setObjectName(QStringLiteral("lblProductName"));
    lblVersion->setObjectName(QStringLiteral("lblVersion"));

    Frame1->setFrameShape(QFrame::Box);
    Frame1->setLineWidth(2);
    QFont title = lblProductName->font();
    title.setPointSizeF(title.pointSizeF() * 2.2);
    title.setBold(true);
    lblProductName->setFont(title);
    lblProductName->setAlignment(Qt::AlignCenter);
    lblVersion->setAlignment(Qt::AlignCenter);
    auto* note = new QLabel(tr("Opening your membership register..."), Frame1);
    note->setAlignment(Qt::AlignCenter);

    auto* inner = new QVBoxLayout(Frame1);
    inner->setContentsMargins(36, 28, 36, 28);
    inner->setSpacing(14);
    inner->addWidget(lblProductName);
    inner->addWidget(lblVersion);
    inner->addWidget(note);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(Frame1);

    Frame1->installEventFilter(this);
    setFixedSize(sizeHint().expandedTo(QSize(420, 220)));
}

void frmSplash::fillCaptions()
{
    lblVersion->setText(QStringLiteral("Version ") + programVersion());
    lblProductName->setText(programTitle());
}

void frmSplash::keyPressEvent(QKeyEvent*)
{
    close();
}

bool frmSplash::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Frame1 && event->type() == QEvent::MouseButtonPress) {
        close();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zelk
