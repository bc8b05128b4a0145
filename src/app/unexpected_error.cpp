#include "unexpected_error.h"

#include "message_box.h"

#include "engine/engine_error.h"

#include <new>

namespace zelk {

int errorNumber(const std::exception& e)
{
    if (const auto* engine = dynamic_cast<const EngineError*>(&e))
        return engine->number();
    if (dynamic_cast<const std::bad_alloc*>(&e))
        return 7;
    return err::Reserved;
}

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
