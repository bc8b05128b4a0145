#pragma once
// What the other windows ask of the main window: to show the member that is now current
// after they have moved or reopened the shared member record set, to take up changed
// include flags and captions, and to read or fill a member box. A window that needs it
// takes a MainView& as a constructor argument.
#include <QString>

namespace zelk {

class MainView {
public:
    virtual ~MainView() = default;
    virtual void RefreshData() = 0;
    virtual void ApplyIncludeSkip() = 0;
    virtual void ApplyScreenText() = 0;
    // The text of the member box `index` (0 to 28), and setting it as if typed.
    virtual QString boxText(int index) const = 0;
    virtual void setBoxText(int index, const QString& text) = 0;
};

} // namespace zelk
