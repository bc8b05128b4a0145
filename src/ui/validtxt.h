#pragma once
// The checks and key rules every data-entry window shares. A key rule takes the code of a
// typed character and may change it or set it to 0, which discards the key.
#include <QString>

class QLineEdit;

namespace zelk {

void SelectAllText(QLineEdit* box);

// Keeps Backspace (8) and the digits "0" to "9"; every other character becomes 0.
void DigitsOnlyKey(int& keyAscii);
// The character in capitals.
void UpperCaseKey(int& keyAscii);
// Capitals; keeps Backspace, "A" to "Z", "0" to "9" and the blank; others become 0.
void CodeKey(int& keyAscii);

using KeyRule = void (*)(int&);
// Applies `rule` to every character typed into `box` (Backspace counts as code 8).
// Keys that type nothing (arrows, Delete) are not affected.
void installKeyRule(QLineEdit* box, KeyRule rule);

// The box's text as a date in the user's short form; when it is not a date the user is
// asked whether to correct it: Yes selects the text and puts the focus back, No empties
// the box. Returns false when the focus was put back.
bool CheckDate(QLineEdit* box);
// The same for an amount, shown in the user's currency form.
bool CheckAmount(QLineEdit* box);
// A number or nothing; otherwise the focus goes back into the box, text selected, without
// a message. Returns false when the focus was put back.
bool CheckNumber(QLineEdit* box);
// Trims the address and checks it; a wrong one is reported, Yes keeps it and puts the
// focus back, No empties the box. Returns false when the focus was put back.
bool CheckEmailAddress(QLineEdit* box);

} // namespace zelk
