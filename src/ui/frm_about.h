#pragma once
// The About box: the program's title, its version, what it does and where its maker is.
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
    QLabel* lblWebSite;
};

} // namespace zelk
