#include "zam/frontend/QtUserInterface.h"

#include <QMessageBox>
#include <cstdlib>

#include "zam/frontend/FileHandling.h"
#include "zam/frontend/QtText.h"
#include "zam/frontend/ToolWait.h"
#include "zam/frontend/frmStatus.h"

namespace zam {

QtUserInterface::QtUserInterface(QWidget* parent) : parent_(parent) {}

QtUserInterface::~QtUserInterface() = default;

void QtUserInterface::SetParentWindow(QWidget* parent) {
    parent_ = parent;
}

QWidget* QtUserInterface::DialogParent() const {
    if (parent_) return parent_;
    // During start-up the status window is the only window: a dialog must open above it, not
    // behind it where the program would look hung.
    if (status_ && status_->isVisible()) return status_.get();
    return nullptr;
}

void QtUserInterface::ShowMessage(const std::string& text, const std::string& title) {
    QMessageBox box(QMessageBox::NoIcon, QtFromCp1252(title), QtDisplayText(text), QMessageBox::Ok,
                    DialogParent());
    box.setTextFormat(Qt::PlainText);  // a file name with "<" in it is no markup
    box.exec();
}

bool QtUserInterface::Ask(const std::string& text, const std::string& title) {
    QMessageBox box(QMessageBox::Question, QtFromCp1252(title), QtDisplayText(text),
                    QMessageBox::Yes | QMessageBox::No, DialogParent());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

frmStatus& QtUserInterface::StatusWindow() {
    if (!status_) status_ = std::make_unique<frmStatus>();
    return *status_;
}

void QtUserInterface::SetStatus(const std::string& text) {
    // Once start-up is over a status text has no window to stand in: a file read for a track
    // change must not bring a splash screen back over the main window.
    if (retired_) return;
    StatusWindow().SetMessage(text);
}

void QtUserInterface::HideStatus() {
    if (status_) status_->hide();
}

void QtUserInterface::RetireStatus() {
    retired_ = true;
    HideStatus();
}

void QtUserInterface::CloseStatus() {
    status_.reset();
}

std::optional<FileChoice> QtUserInterface::SelectFile(const std::string& pattern,
                                                      const std::string& folder,
                                                      const std::string& title, bool allowNew) {
    return zam::SelectFile(*this, pattern, folder, title, allowNew, DialogParent());
}

void QtUserInterface::WaitUntil(const std::function<bool()>& done) {
    ToolWait(parent_.data()).Run(done);
}

void QtUserInterface::EndProgram() {
    std::_Exit(EXIT_FAILURE);
}

}  // namespace zam
