#pragma once
// Rounding of amounts as the user reads them: on the decimal digits a number is written
// with, not on its binary value, so 1.005 rounds to 1.01 and 12.345 to 12.35.
namespace zelk {

// Rounds half away from zero to `decimals` places (0 to 15). NaN and infinities are
// returned unchanged.
double roundHalfAwayFromZero(double value, int decimals);

} // namespace zelk
