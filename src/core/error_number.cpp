#include "error_number.h"

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

} // namespace zelk
