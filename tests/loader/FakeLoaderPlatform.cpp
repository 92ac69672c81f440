#include "FakeLoaderPlatform.h"

#include <stdexcept>

namespace zam::test {

using platform::Status;

FakeLoaderPlatform::FakeLoaderPlatform(const std::string& word, const std::string& commandLine) {
    files[programFolder + "Rollout.exe"] = "MZ";
    files[programFolder + "ZAMDeck.Exe"] = "MZ";
    if (!word.empty()) SetCommand(word, commandLine);
}

bool FakeLoaderPlatform::FileExists(std::string_view path) {
    return files.count(std::string(path)) != 0;
}

Status FakeLoaderPlatform::ReadCommand(std::string_view path, platform::LoaderCommand& command) {
    auto it = files.find(std::string(path));
    if (it == files.end()) return Status::Error(platform::kFileNotFound);
    auto parsed = platform::ParseLoaderCommand(it->second);
    if (!parsed) return Status::Error(platform::kInputPastEndOfFile);
    command = *parsed;
    return Status::Ok();
}

Status FakeLoaderPlatform::WriteElapsedTime(std::string_view path, std::int64_t seconds) {
    log.push_back("write " + std::string(path));
    if (writeFails) return Status::Error(platform::kPermissionDenied);
    files[std::string(path)] = platform::FormatElapsedRecord(seconds);
    return Status::Ok();
}

Status FakeLoaderPlatform::WriteRunFailure(std::string_view path,
                                           const platform::RunFailure& failure) {
    log.push_back("write failure " + std::string(path));
    if (writeFails) return Status::Error(platform::kPermissionDenied);
    files[std::string(path)] = platform::FormatRunFailure(failure);
    return Status::Ok();
}

bool FakeLoaderPlatform::ChangeDirectory(std::string_view folder) {
    log.push_back("cd " + std::string(folder));
    currentDirectory = folder;
    return true;
}

Status FakeLoaderPlatform::Start(std::string_view commandLine, platform::ProcessId& id) {
    std::string line(commandLine);
    log.push_back("start " + line);
    if (throwingStarts.count(line) != 0) throw std::runtime_error("cannot start " + line);
    if (unstartable.count(line) != 0) return Status::Error(platform::kFileNotFound);
    id.value = processIdZero ? 0 : nextId_++;
    return Status::Ok();
}

Status FakeLoaderPlatform::Wait(platform::ProcessId id, platform::ProcessExit& exit) {
    log.push_back("wait " + std::to_string(id.value));
    if (waitFails) return Status::Error(platform::kPermissionDenied);
    clock += runSeconds;
    exit = programExit;
    return Status::Ok();
}

Status FakeLoaderPlatform::RequestPowerAction(platform::PowerAction action) {
    log.push_back(action == platform::PowerAction::kShutdown ? "power off" : "power cycle");
    powerActions.push_back(action);
    return powerFails ? Status::Error(platform::kPermissionDenied) : Status::Ok();
}

void FakeLoaderPlatform::ShowMessage(const std::string& text) {
    log.push_back("message");
    messages.push_back(text);
}

void FakeLoaderPlatform::SetCommand(const std::string& word, const std::string& commandLine) {
    files[CommandFilePath()] = platform::FormatLoaderCommand({word, commandLine});
}

std::optional<platform::RunFailure> FakeLoaderPlatform::Failure() const {
    return platform::ParseRunFailure(CommandFileBytes());
}

std::string FakeLoaderPlatform::CommandFileBytes() const {
    auto it = files.find(CommandFilePath());
    return it == files.end() ? std::string() : it->second;
}

}  // namespace zam::test
