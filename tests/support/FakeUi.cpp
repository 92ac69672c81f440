#include "FakeUi.h"

namespace zam::test {

void FakeUi::ShowMessage(const std::string& text, const std::string& title) {
    messages.push_back({text, title});
}

bool FakeUi::Ask(const std::string& text, const std::string& title) {
    questions.push_back({text, title});
    if (answers.empty()) return false;
    bool answer = answers.front();
    answers.pop_front();
    return answer;
}

void FakeUi::SetStatus(const std::string& text) { statusTexts.push_back(text); }

void FakeUi::HideStatus() { ++statusHidden; }

std::optional<FileChoice> FakeUi::SelectFile(const std::string& pattern, const std::string& folder,
                                             const std::string& title, bool allowNew) {
    fileRequests.push_back({pattern, folder, title, allowNew});
    if (fileChoices.empty()) return std::nullopt;
    auto choice = fileChoices.front();
    fileChoices.pop_front();
    return choice;
}

void FakeUi::EndProgram() {
    ended = true;
    throw ProgramEnded{};
}

std::vector<std::string> FakeUi::MessageTexts() const {
    std::vector<std::string> texts;
    for (const auto& m : messages) texts.push_back(m.text);
    return texts;
}

}  // namespace zam::test
