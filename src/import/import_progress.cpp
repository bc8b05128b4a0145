#include "import_progress.h"

#include "ui/busy_cursor.h"
#include "ui/message_box.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <memory>

namespace zelk {

void ImportDialog::reject()
{
    if (!m_running)
        QDialog::reject();
}

void ImportDialog::closeEvent(QCloseEvent* event)
{
    if (m_running)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

ImportDialog::Running::Running(ImportDialog& window)
    : m_window(window)
{
    m_window.m_running = true;
    m_window.showRunning(true);
}

ImportDialog::Running::~Running()
{
    m_window.m_running = false;
    m_window.showRunning(false);
}

import::ReportProgress showProgressIn(QLabel* caption, QProgressBar* bar)
{
    constexpr qint64 kPaintEveryMs = 40;
    struct Shown {
        QPointer<QLabel> caption;
        QPointer<QProgressBar> bar;
        QElapsedTimer sincePaint;
        QString latestCaption;
    };
    auto shown = std::make_shared<Shown>();
    shown->caption = caption;
    shown->bar = bar;
    if (bar)
        bar->setRange(0, 1000);
    return [shown](const import::Progress& p) {
        if (!p.caption.isEmpty())
            shown->latestCaption = p.caption;
        // Setting a caption 100,000 times would cost more than the import.
        if (shown->sincePaint.isValid() && shown->sincePaint.elapsed() < kPaintEveryMs)
            return;
        if (shown->caption && !shown->latestCaption.isEmpty())
            shown->caption->setText(shown->latestCaption);
        if (shown->bar && p.total > 0)
            shown->bar->setValue(int(qBound(qint64(0), p.done * 1000 / p.total, qint64(1000))));
        letEventsRun();
        shown->sincePaint.start();
    };
}

AskUser askFrom(QWidget* parent)
{
    QPointer<QWidget> over(parent);
    return [over](const MessageRequest& request) {
        QApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
        const MsgAnswer answer = MessageBox::show(request, over.data());
        QApplication::restoreOverrideCursor();
        return answer;
    };
}

} // namespace zelk
