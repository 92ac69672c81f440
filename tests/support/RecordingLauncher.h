#pragma once
// The process launcher of the tests: it records every start and wait and answers as the test
// scripts it, so no program is ever started by mistake; or, given a real launcher, it records
// and then passes every call on. A check can run just before each start, to see what was on disk
// at that moment or to make the start fail.
//
//   zam::test::RecordingLauncher launcher;                  // every start succeeds
//   launcher.missing = {"systemctl"};                       // ...except of this program
//   zam::platform::ScopedProcessLauncher use(launcher);
//   ... launcher.started, launcher.waited
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "zam/platform/Process.h"

namespace zam::test {

class RecordingLauncher : public platform::ProcessLauncher {
public:
    // With `passTo`, every start and wait is recorded and then carried out by it.
    explicit RecordingLauncher(platform::ProcessLauncher* passTo = nullptr) : passTo_(passTo) {}

    // Records the line; the n-th successful start gets the process id 100 + n.
    platform::Status Start(std::string_view commandLine, platform::ProcessId& id) override {
        id.value = 0;
        platform::Status answer = beforeStart ? beforeStart(commandLine) : platform::Status::Ok();
        started.emplace_back(commandLine);
        for (const std::string& program : missing)
            if (answer.ok() && commandLine.substr(0, program.size()) == program)
                answer = platform::Status::Error(platform::kFileNotFound);
        if (answer.ok()) answer = startResult;
        if (!answer.ok()) return answer;
        if (passTo_ != nullptr) return passTo_->Start(commandLine, id);
        id.value = noProcessId ? 0 : 100 + ++starts_;
        return platform::Status::Ok();
    }
    platform::Status Wait(platform::ProcessId id, platform::ProcessExit& ended) override {
        waited.push_back(id.value);
        if (passTo_ != nullptr) return passTo_->Wait(id, ended);
        ended = exit;
        return waitResult;
    }

    // What every start gives.
    platform::Status startResult;
    // Command lines that begin with one of these fail to start with kFileNotFound.
    std::vector<std::string> missing;
    // Runs before each start is recorded; a failure it returns is the start's answer.
    std::function<platform::Status(std::string_view commandLine)> beforeStart;
    // Starts succeed without a process to wait for (id 0).
    bool noProcessId = false;
    // What every wait gives, and how every waited-for program ended.
    platform::Status waitResult;
    platform::ProcessExit exit;

    std::vector<std::string> started;  // every command line, in order, failed starts included
    std::vector<std::int64_t> waited;  // the ids waited for, in order

private:
    platform::ProcessLauncher* passTo_;
    std::int64_t starts_ = 0;
};

// Starts the command line through the system's own launcher and waits for the program to end;
// a started program must have an id.
inline platform::Status RunNatively(std::string_view commandLine) {
    platform::ProcessId id;
    const platform::Status started = platform::NativeProcesses().Start(commandLine, id);
    if (!started) return started;
    EXPECT_GT(id.value, 0);
    return platform::NativeProcesses().Wait(id);
}

}  // namespace zam::test
