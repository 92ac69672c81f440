#pragma once
// The window while a program the user started from it runs: disabled but painted, so that the
// system never takes it for hung, and closed only after the program ended, through the window's
// own closing (which asks about unsaved changes and writes them).
#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

namespace zam {

class ToolWait : public QObject {
public:
    explicit ToolWait(QWidget* window);

    // Returns once `done` answers true, asked every 50 ms while the events go on. A request to
    // close the window meanwhile (from the taskbar, say) is held and carried out afterwards.
    void Run(const std::function<bool()>& done);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> window_;
    bool closeRequested_ = false;
};

}  // namespace zam
