#pragma once
// What the import windows share: a window that cannot be closed while its import runs,
// the progress shown meanwhile, and messages asked with the normal pointer even while the
// hourglass shows.
#include "member_import.h"

#include <QDialog>

class QCloseEvent;
class QLabel;
class QProgressBar;
class QWidget;

namespace zelk {

// An import window. While its import runs it paints and shows the progress but takes no
// clicks, and Esc, Cancel and the title bar's close button do nothing.
class ImportDialog : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    // Disables the window's controls for a running import (true) and enables them after.
    virtual void showRunning(bool running) = 0;
    bool importRunning() const { return m_running; }

    // For as long as one lives, the window's import runs.
    class Running {
    public:
        explicit Running(ImportDialog& window);
        ~Running();
        Running(const Running&) = delete;
        Running& operator=(const Running&) = delete;

    private:
        ImportDialog& m_window;
    };

private:
    bool m_running = false;
};

// A progress callback that shows each report's caption in `caption` (when it brings one)
// and done/total in `bar`; either may be null. Every report is taken, but the widgets are
// set and the window paints and answers events at most every few hundredths of a second,
// so a long import keeps the window alive without spending its time on painting.
import::ReportProgress showProgressIn(QLabel* caption, QProgressBar* bar);

// Asks through the message box over `parent`, with the normal pointer for as long as the
// message shows, also in the middle of long work.
AskUser askFrom(QWidget* parent);

} // namespace zelk
