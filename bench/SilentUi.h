#pragma once
// A user interface that shows nothing and answers No, for loading files without a window. It
// counts what the store wanted to tell the user, so a benchmark can say so instead of timing a
// failing load.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "zam/store/UserInterface.h"

namespace zam::bench {

class SilentUi final : public UserInterface {
public:
    void ShowMessage(const std::string& text, const std::string&) override {
        if (messages++ == 0) firstMessage = text;
    }
    bool Ask(const std::string&, const std::string&) override { return false; }
    void SetStatus(const std::string&) override { ++statusUpdates; }
    void HideStatus() override {}
    std::optional<FileChoice> SelectFile(const std::string&, const std::string&,
                                         const std::string&, bool) override {
        return std::nullopt;
    }
    [[noreturn]] void EndProgram() override {
        std::fprintf(stderr, "the store ended the program: %s\n", firstMessage.c_str());
        std::_Exit(3);
    }

    int messages = 0;
    long statusUpdates = 0;
    std::string firstMessage;
};

}  // namespace zam::bench
