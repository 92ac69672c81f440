#pragma once
// The steps of a sequence that must go on whatever one step does: start-up and the save at close
// each carry on with their next step when one fails, so the window still opens and closes. What
// failed is kept, so that the user hears of it once, when the sequence has ended.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zam {

class SkippedSteps {
public:
    // Runs `step`; when it throws, notes `what` (a step in plain words, "Moving screenshots to
    // Exports") with the error's text and returns.
    void Run(std::string_view what, const std::function<void()>& step);

    bool Empty() const { return failures_.empty(); }
    // One message for every step skipped since the last report, saying `when` they were skipped
    // ("starting", "closing"); empty when none was. The steps are forgotten.
    std::string TakeReport(std::string_view when);

private:
    struct Failure {
        std::string what;
        std::string why;
    };
    std::vector<Failure> failures_;
};

}  // namespace zam
