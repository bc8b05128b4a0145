#pragma once
// What the other windows ask of the main window: to show the member that is now current
// after they have moved or reopened the shared member record set. A window that needs it
// takes a MainView& as a constructor argument.
namespace zelk {

class MainView {
public:
    virtual ~MainView() = default;
    virtual void RefreshData() = 0;
};

} // namespace zelk
