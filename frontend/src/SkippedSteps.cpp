#include "zam/frontend/SkippedSteps.h"

#include <algorithm>
#include <exception>

#include "zam/store/UserInterface.h"

namespace zam {

namespace {

// A step that fails at every turn (a tab shown again and again) is one line, and a long list is
// cut short: the message must still fit on the screen.
constexpr std::size_t kMostListed = 10;

}  // namespace

void SkippedSteps::Run(std::string_view what, const std::function<void()>& step) {
    try {
        step();
    } catch (const std::exception& e) {
        Failure failure{std::string(what), e.what()};
        const bool known = std::any_of(failures_.begin(), failures_.end(), [&](const Failure& f) {
            return f.what == failure.what && f.why == failure.why;
        });
        if (!known) failures_.push_back(std::move(failure));
    }
}

std::string SkippedSteps::TakeReport(std::string_view when) {
    if (failures_.empty()) return {};
    std::string text = std::string(kAppTitle) + " could not finish these steps while " +
                       std::string(when) + " and skipped them:\r";
    for (std::size_t i = 0; i < failures_.size() && i < kMostListed; ++i)
        text += "\r" + failures_[i].what + ": " + failures_[i].why;
    if (failures_.size() > kMostListed)
        text += "\r... and " + std::to_string(failures_.size() - kMostListed) + " more";
    failures_.clear();
    return text;
}

}  // namespace zam
