#pragma once
// The About box: the program's title, its version, what it does, and where the register
// it works on is kept.
#include <QDialog>

class QLabel;

namespace zelk {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(const QString& registerPath, QWidget* parent = nullptr);

    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblDescription;
    QLabel* lblRegister;
};

} // namespace zelk
