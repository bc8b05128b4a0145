#pragma once
// What the other windows ask of the main window: to show the member that is now current,
// and to take up changed include flags and captions.
#include <QString>

namespace zelk {

class MainView {
public:
    virtual ~MainView() = default;
    virtual void RefreshData() = 0;
    virtual void ApplyIncludeSkip() = 0;
    virtual void ApplyScreenText() = 0;
};

} // namespace zelk
