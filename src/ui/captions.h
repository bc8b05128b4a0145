#pragma once
// Labels and captions that show text the user typed or the register holds. Such text is
// shown exactly as it stands, never read as markup, and a caption never makes its window
// wider than it was built: a long one is cut short with "..." and shown whole as a tip.
#include <QString>

class QLabel;
class QWidget;

namespace zelk {

// A label that shows its text as plain text.
QLabel* plainLabel(const QString& text = QString(), QWidget* parent = nullptr);

// Puts `caption` on a label, button, tick box or frame, as plain text at most `widest`
// pixels wide. A caption that fits is shown as it is; a longer one is cut short, and the
// whole caption becomes the control's tip.
void setCaption(QWidget* control, const QString& caption, int widest);

// The caption last given to setCaption (the whole of it, also when it is shown cut
// short), or else the text the control shows.
QString captionOf(const QWidget* control);

} // namespace zelk
