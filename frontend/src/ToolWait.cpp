#include "zam/frontend/ToolWait.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

namespace zam {

ToolWait::ToolWait(QWidget* window) : window_(window) {}

void ToolWait::Run(const std::function<bool()>& done) {
    if (done()) return;
    if (window_) {
        window_->setEnabled(false);
        window_->installEventFilter(this);
    }
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(50);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done()) loop.quit();
    });
    poll.start();
    loop.exec();
    if (!window_) return;
    window_->removeEventFilter(this);
    window_->setEnabled(true);
    if (closeRequested_) QTimer::singleShot(0, window_.data(), [w = window_] { if (w) w->close(); });
}

bool ToolWait::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::Close) {
        closeRequested_ = true;
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace zam
