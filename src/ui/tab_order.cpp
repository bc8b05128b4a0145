#include "tab_order.h"

#include <QWidget>

namespace zelk {

void setTabChain(const QList<QWidget*>& controls)
{
    for (qsizetype i = 1; i < controls.size(); ++i)
        QWidget::setTabOrder(controls[i - 1], controls[i]);
}

} // namespace zelk
