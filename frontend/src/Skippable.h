#pragma once
// Runs one step of a sequence that must go on whatever the step does: start-up and the state
// save at close each carry on with their next step when one fails.
#include <exception>

namespace zam {

template <typename Step>
void Skippable(Step&& step) {
    try {
        step();
    } catch (const std::exception&) {
    }
}

}  // namespace zam
