#include "zam/store/UserInterface.h"

#include <chrono>
#include <thread>

namespace zam {

void UserInterface::WaitUntil(const std::function<bool()>& done) {
    while (!done()) std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

}  // namespace zam
