#pragma once
// The main window: one member of the register at a time.
#include "app/main_view.h"

#include <QMainWindow>

class QLabel;

namespace zelk {

struct AppState;

class frmZelkMain : public QMainWindow, public MainView {
    Q_OBJECT
public:
    explicit frmZelkMain(AppState& state, QWidget* parent = nullptr);

    void RefreshData() override;
    void ApplyIncludeSkip() override {}
    void ApplyScreenText() override {}

    QLabel* lblNumber;
    QLabel* lblName;

private:
    AppState& m_state;
};

} // namespace zelk
