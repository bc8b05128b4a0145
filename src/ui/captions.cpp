#include "captions.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>

namespace zelk {

namespace {

constexpr const char* kWholeCaption = "zelkWholeCaption";
constexpr const char* kOwnTip = "zelkOwnTip";

QString shownText(const QWidget* control)
{
    if (auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (auto* frame = qobject_cast<const QGroupBox*>(control))
        return frame->title();
    return QString();
}

void show(QWidget* control, const QString& text)
{
    if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(text);
    else if (auto* frame = qobject_cast<QGroupBox*>(control))
        frame->setTitle(text);
}

} // namespace

QLabel* plainLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    return label;
}

void setCaption(QWidget* control, const QString& caption, int widest)
{
    if (auto* label = qobject_cast<QLabel*>(control))
        label->setTextFormat(Qt::PlainText);
    // The control's own tip is kept, to come back when a long caption is replaced.
    if (!control->property(kOwnTip).isValid())
        control->setProperty(kOwnTip, control->toolTip());
    control->setProperty(kWholeCaption, caption);
    const QFontMetrics metrics(control->font());
    if (metrics.horizontalAdvance(caption) <= widest) {
        show(control, caption);
        control->setToolTip(control->property(kOwnTip).toString());
        return;
    }
    show(control, metrics.elidedText(caption, Qt::ElideRight, widest));
    // A tip is read as markup when it looks like it: the caption goes in escaped.
    control->setToolTip(QStringLiteral("<p>") + caption.toHtmlEscaped() + QStringLiteral("</p>"));
}

QString captionOf(const QWidget* control)
{
    const QVariant whole = control->property(kWholeCaption);
    return whole.isValid() ? whole.toString() : shownText(control);
}

} // namespace zelk
