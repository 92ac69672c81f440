#include "zam/tools/ConsoleUi.h"

namespace zam::tools {

std::string ForTerminal(std::string text) {
    for (char& c : text)
        if (c == '\r') c = '\n';
    return text;
}

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
