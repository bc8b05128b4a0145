#pragma once
// The About box: the program's title, its version and what it does.
#include <QDialog>

class QLabel;

namespace zelk {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblDescription;
};

} // namespace zelk
