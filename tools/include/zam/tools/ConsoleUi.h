#pragma once
// The user interface of a command-line tool: messages go to a stream (standard error) as
// "zamini: <text>" lines and are counted, questions are answered No, file choices are cancelled,
// and ending the program throws zam::ProgramEnded so the command can return its exit status.
#include <ostream>
#include <string>

#include "zam/store/UserInterface.h"

namespace zam::tools {

// Message texts break their lines with a bare carriage return; a terminal wants a line feed.
std::string ForTerminal(std::string text);

class ConsoleUi : public UserInterface {
public:
    explicit ConsoleUi(std::ostream& err) : err_(err) {}

    void ShowMessage(const std::string& text, const std::string& title) override;
    bool Ask(const std::string& text, const std::string& title) override;
    void SetStatus(const std::string&) override {}
    void HideStatus() override {}
    std::optional<FileChoice> SelectFile(const std::string&, const std::string&,
                                         const std::string&, bool) override {
        return std::nullopt;
    }
    [[noreturn]] void EndProgram() override;

    // True once any message was shown: every message of the store reports a failure.
    bool Failed() const { return messages_ > 0; }

private:
    std::ostream& err_;
    int messages_ = 0;
};

}  // namespace zam::tools
