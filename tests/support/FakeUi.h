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

    void ShowMessage(const std::string& text, const std::string& title) override {
        messages.push_back({text, title});
    }
    bool Ask(const std::string& text, const std::string& title) override {
        questions.push_back({text, title});
        if (answers.empty()) return false;
        bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void SetStatus(const std::string& text) override { statusTexts.push_back(text); }
    void HideStatus() override { ++statusHidden; }
    std::optional<FileChoice> SelectFile(const std::string& pattern, const std::string& folder,
                                         const std::string& title, bool allowNew) override {
        fileRequests.push_back({pattern, folder, title, allowNew});
        if (fileChoices.empty()) return std::nullopt;
        auto choice = fileChoices.front();
        fileChoices.pop_front();
        return choice;
    }
    [[noreturn]] void EndProgram() override {
        ended = true;
        throw ProgramEnded{};
    }

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
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const auto& m : messages) texts.push_back(m.text);
        return texts;
    }
};

}  // namespace zam::test
