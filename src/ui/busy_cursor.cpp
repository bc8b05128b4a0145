#include "busy_cursor.h"

#include <QApplication>
#include <QCursor>

namespace zelk {

// QApplication keeps a stack of override cursors, so guards nest: the pointer comes back
// only when the outermost one ends.
BusyCursor::BusyCursor()
{
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

BusyCursor::~BusyCursor()
{
    QApplication::restoreOverrideCursor();
}

void letEventsRun()
{
    QCoreApplication::processEvents();
}

} // namespace zelk
