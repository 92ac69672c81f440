#pragma once
// A user interface for tests: records every message and status text, answers questions and file
// choices from queues, and throws ProgramEnded instead of ending the test process.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "zam/store/UserInterface.h"

namespace zam::test {

class FakeUi : public UserInterface {
public:
    struct Message {
        std::string text;
        std::string title;
    };
    struct FileRequest {
        std::string pattern, folder, title;
        bool allowNew = false;
    };

    void ShowMessage(const std::string& text, const std::string& title) override;
    bool Ask(const std::string& text, const std::string& title) override;
    void SetStatus(const std::string& text) override;
    void HideStatus() override;
    std::optional<FileChoice> SelectFile(const std::string& pattern, const std::string& folder,
                                         const std::string& title, bool allowNew) override;
    [[noreturn]] void EndProgram() override;

    // Scripted answers, used in order; an empty queue answers No / Cancel.
    std::deque<bool> answers;
    std::deque<std::optional<FileChoice>> fileChoices;

    std::vector<Message> messages;
    std::vector<Message> questions;
    std::vector<std::string> statusTexts;
    std::vector<FileRequest> fileRequests;
    int statusHidden = 0;
    bool ended = false;

    // Texts of all messages, for EXPECT_THAT(..., ElementsAre(...)).
    std::vector<std::string> MessageTexts() const;
};

}  // namespace zam::test
