#pragma once
// Waiting, with an upper bound, for every process a test started and for everything those
// started in turn. The test process becomes the reaper of its orphaned descendants, so the
// front end the loader starts (and the loader's program) are its children once the loader has
// ended, and "all children gone" means the whole round trip has finished.
#include <signal.h>
#include <sys/prctl.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace zam::test {

namespace fs = std::filesystem;

class ProcessTree {
public:
    // Makes this process the reaper of its orphaned descendants.
    ProcessTree() { ::prctl(PR_SET_CHILD_SUBREAPER, 1); }

    // Reaps every descendant until none is left, or until `limit` has passed: then the ones still
    // running (found by their parent, this process) are killed by their ids and false returned.
    bool WaitForAll(std::chrono::seconds limit) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        for (;;) {
            pid_t pid = ::waitpid(-1, nullptr, WNOHANG);
            if (pid > 0) continue;
            if (pid < 0 && errno == EINTR) continue;
            if (pid < 0) return true;  // no child left
            if (std::chrono::steady_clock::now() >= deadline) {
                KillRemaining();
                return false;
            }
            std::this_thread::sleep_for(kPoll);
        }
    }

private:
    static constexpr auto kPoll = std::chrono::milliseconds(10);

    // Parent of a process as /proc tells it, or 0.
    static pid_t ParentOf(const fs::path& procEntry) {
        std::ifstream stat(procEntry / "stat");
        std::string line;
        if (!std::getline(stat, line)) return 0;
        // "pid (name) state ppid ...": the name may hold blanks and parentheses.
        std::size_t close = line.rfind(')');
        if (close == std::string::npos || close + 4 >= line.size()) return 0;
        return static_cast<pid_t>(std::atol(line.c_str() + close + 4));
    }

    // Children killed here may leave orphans of their own, which then become children: kill in
    // rounds until none is left.
    void KillRemaining() {
        const pid_t self = ::getpid();
        for (int round = 0; round < 100; ++round) {
            std::error_code ec;
            for (const fs::directory_entry& entry : fs::directory_iterator("/proc", ec)) {
                const std::string name = entry.path().filename().string();
                if (name.find_first_not_of("0123456789") != std::string::npos) continue;
                if (ParentOf(entry.path()) == self)
                    ::kill(static_cast<pid_t>(std::stol(name)), SIGKILL);
            }
            std::this_thread::sleep_for(kPoll);
            while (::waitpid(-1, nullptr, WNOHANG) > 0) {
            }
            if (::waitpid(-1, nullptr, WNOHANG) < 0 && errno == ECHILD) return;
        }
    }
};

}  // namespace zam::test
