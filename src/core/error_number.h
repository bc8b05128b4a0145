#pragma once
// The number an error stands for, as the unexpected-error messages show it.
#include <exception>

namespace zelk {

// The number an exception stands for: the engine's own number, 7 for lack of memory,
// and 3000 for anything else.
int errorNumber(const std::exception& e);

} // namespace zelk
