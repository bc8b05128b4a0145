#include "foreign_register.h"

namespace zelk {

namespace {

ForeignRegisterHandler& handler()
{
    static ForeignRegisterHandler h;
    return h;
}

} // namespace

void setForeignRegisterHandler(ForeignRegisterHandler h)
{
    handler() = std::move(h);
}

ForeignRegister offerForeignRegister(const QString& path)
{
    return handler() ? handler()(path) : ForeignRegister::NotRecognised;
}

} // namespace zelk
