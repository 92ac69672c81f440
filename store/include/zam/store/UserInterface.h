#pragma once
// How the store and the model talk to the user without knowing the GUI. The front end implements
// this with Qt; tests use a recording fake that answers every question from a script.
#include <functional>
#include <optional>
#include <string>

namespace zam {

inline constexpr const char* kAppTitle = "ZAM+";

struct FileChoice {
    std::string folder;    // ends in exactly one separator
    std::string fileName;  // name only
};

class UserInterface {
public:
    virtual ~UserInterface() = default;

    // Message box with an OK button.
    virtual void ShowMessage(const std::string& text, const std::string& title = kAppTitle) = 0;
    // Yes/No question; true for Yes.
    virtual bool Ask(const std::string& text, const std::string& title) = 0;
    // The status window's message line: set the text and repaint (showing the window).
    virtual void SetStatus(const std::string& text) = 0;
    virtual void HideStatus() = 0;
    // Start-up is over: the status window goes and stays away for the rest of the run; later
    // status texts (files read or written on request) are not shown.
    virtual void RetireStatus() { HideStatus(); }
    // The file selection dialog. Nothing when the user cancelled.
    virtual std::optional<FileChoice> SelectFile(const std::string& pattern,
                                                 const std::string& folder,
                                                 const std::string& title, bool allowNew) = 0;
    // Returns once `done` answers true, asking it every few hundredths of a second: the wait for
    // a program the user started. A window keeps repainting meanwhile and takes no input; this
    // default, for programs without one, only waits.
    virtual void WaitUntil(const std::function<bool()>& done);
    // Ends the program at once, without the write-back. The test fake throws ProgramEnded instead.
    [[noreturn]] virtual void EndProgram() = 0;
};

// Thrown by test fakes of EndProgram so a test can see that the program would have ended.
struct ProgramEnded {};

}  // namespace zam
