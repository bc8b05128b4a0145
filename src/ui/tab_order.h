#pragma once
// Tab moves through a window's controls in the order they are listed.
#include <QList>

class QWidget;

namespace zelk {

void setTabChain(const QList<QWidget*>& controls);

} // namespace zelk
