#include "RecordingLauncher.h"

#include <gtest/gtest.h>

namespace zam::test {

using platform::Status;

Status RecordingLauncher::Start(std::string_view commandLine, platform::ProcessId& id) {
    id.value = 0;
    Status answer = beforeStart ? beforeStart(commandLine) : Status::Ok();
    started.emplace_back(commandLine);
    for (const std::string& program : missing)
        if (answer.ok() && commandLine.substr(0, program.size()) == program)
            answer = Status::Error(platform::kFileNotFound);
    if (answer.ok()) answer = startResult;
    if (!answer.ok()) return answer;
    if (passTo_ != nullptr) return passTo_->Start(commandLine, id);
    id.value = noProcessId ? 0 : 100 + ++starts_;
    return Status::Ok();
}

Status RecordingLauncher::Wait(platform::ProcessId id, platform::ProcessExit& ended) {
    waited.push_back(id.value);
    if (passTo_ != nullptr) return passTo_->Wait(id, ended);
    ended = exit;
    return waitResult;
}

Status RunNatively(std::string_view commandLine) {
    platform::ProcessId id;
    const Status started = platform::NativeProcesses().Start(commandLine, id);
    if (!started) return started;
    EXPECT_GT(id.value, 0);
    return platform::NativeProcesses().Wait(id);
}

}  // namespace zam::test
