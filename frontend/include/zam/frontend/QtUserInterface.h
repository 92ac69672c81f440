#pragma once
// The user interface of the store and the model, shown with Qt: message boxes, Yes/No questions,
// the start-up status window and the file dialog.
#include <QPointer>
#include <memory>

#include "zam/store/UserInterface.h"

class QWidget;

namespace zam {

class frmStatus;

class QtUserInterface : public UserInterface {
public:
    // Dialogs open over `parent` (none: centred on the screen); the main window sets itself with
    // SetParentWindow once it exists.
    explicit QtUserInterface(QWidget* parent = nullptr);
    ~QtUserInterface() override;
    QtUserInterface(const QtUserInterface&) = delete;
    QtUserInterface& operator=(const QtUserInterface&) = delete;

    void SetParentWindow(QWidget* parent);

    void ShowMessage(const std::string& text, const std::string& title = kAppTitle) override;
    bool Ask(const std::string& text, const std::string& title) override;
    void SetStatus(const std::string& text) override;
    void HideStatus() override;
    void RetireStatus() override;
    std::optional<FileChoice> SelectFile(const std::string& pattern, const std::string& folder,
                                         const std::string& title, bool allowNew) override;
    // The parent window stays painted and disabled while `done` is false (see ToolWait).
    void WaitUntil(const std::function<bool()>& done) override;
    // Ends the process at once: no destructor runs, so nothing of the store is written back.
    [[noreturn]] void EndProgram() override;

    // The status window, created on first use.
    frmStatus& StatusWindow();
    // Destroys the status window (the main window does this when it closes).
    void CloseStatus();

private:
    QWidget* DialogParent() const;

    QPointer<QWidget> parent_;
    std::unique_ptr<frmStatus> status_;
    bool retired_ = false;
};

}  // namespace zam
