#include "zam/tools/ConsoleUi.h"

namespace zam::tools {

namespace {

// Message texts break their lines with a bare carriage return; a terminal wants a line feed.
std::string ForTerminal(std::string text) {
    for (char& c : text)
        if (c == '\r') c = '\n';
    return text;
}

}  // namespace

void ConsoleUi::ShowMessage(const std::string& text, const std::string&) {
    ++messages_;
    err_ << "zamini: " << ForTerminal(text) << '\n';
}

bool ConsoleUi::Ask(const std::string& text, const std::string&) {
    err_ << "zamini: " << ForTerminal(text) << " (answered No)\n";
    return false;
}

void ConsoleUi::EndProgram() { throw ProgramEnded{}; }

}  // namespace zam::tools
