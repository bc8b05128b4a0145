#include "unexpected_error.h"

#include "message_box.h"

namespace zelk {

void showUnexpectedError(int number, const QString& where, QWidget* parent)
{
    MessageBox::show(QStringLiteral("There was an unexpected error, number %1 in %2. Please contact Bramwick for further advice.")
                         .arg(number)
                         .arg(where),
                     QStringLiteral("Unexpected error."), MsgButtons::OK, MsgIcon::Critical, parent);
}

void showLoadingError(int number, const QString& where)
{
    MessageBox::show(QStringLiteral("I have encountered an unexpected error, number %1 in %2.\n\nPlease contact Bramwick for advice.")
                         .arg(number)
                         .arg(where),
                     QStringLiteral("Problem loading Zelk Membership"), MsgButtons::OK, MsgIcon::Critical);
}

} // namespace zelk
