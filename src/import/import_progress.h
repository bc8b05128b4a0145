#pragma once
// What the import windows share: their progress shown while an import runs, and their
// messages asked with the normal pointer even while the hourglass shows.
#include "member_import.h"

class QLabel;
class QProgressBar;
class QWidget;

namespace zelk {

// A progress callback that shows each report's caption in `caption` (when it brings one)
// and done/total in `bar`; either may be null. Every report is taken, but the widgets are
// set and the window paints and answers events at most every few hundredths of a second,
// so a long import keeps the window alive without spending its time on painting.
import::ReportProgress showProgressIn(QLabel* caption, QProgressBar* bar);

// Asks through the message box over `parent`, with the normal pointer for as long as the
// message shows, also in the middle of long work.
AskUser askFrom(QWidget* parent);

} // namespace zelk
