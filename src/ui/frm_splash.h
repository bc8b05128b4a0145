#pragma once
// The window shown while the program starts.
#include <QWidget>

class QFrame;
class QLabel;

namespace zelk {

class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);

    // "Version " and the program's version; the program's title.
    void fillCaptions();

    QFrame* Frame1;
    QLabel* lblProductName;
    QLabel* lblVersion;

protected:
    // A key press, or a click on the frame, closes the window early.
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace zelk
