#include "zam/loader/NativeLoaderPlatform.h"

#include <chrono>
#include <utility>

#include "zam/loader/Loader.h"
#include "zam/platform/FileSystem.h"
#include "zam/platform/Paths.h"
#include "zam/platform/SystemMessage.h"

namespace zam::loader {

NativeLoaderPlatform::NativeLoaderPlatform()
    : NativeLoaderPlatform(platform::ProgramFolder(), platform::ProgramName()) {}

NativeLoaderPlatform::NativeLoaderPlatform(std::string programFolder, std::string programName)
    : programFolder_(std::move(programFolder)), programName_(std::move(programName)) {}

std::string NativeLoaderPlatform::ProgramFolder() {
    return programFolder_;
}

std::string NativeLoaderPlatform::ProgramName() {
    return programName_;
}

// The same decision the front end makes, so both meet at one ZAM.int.
std::string NativeLoaderPlatform::SettingsFolder() {
    return platform::FoldersOfProgram(programFolder_).settings;
}

bool NativeLoaderPlatform::FileExists(std::string_view path) {
    return platform::Fs().FileExists(path);
}

platform::Status NativeLoaderPlatform::ReadCommand(std::string_view path,
                                                   platform::LoaderCommand& command) {
    return platform::ReadLoaderCommand(path, command);
}

platform::Status NativeLoaderPlatform::WriteElapsedTime(std::string_view path,
                                                        std::int64_t seconds) {
    return platform::WriteElapsedTime(path, seconds);
}

platform::Status NativeLoaderPlatform::WriteRunFailure(std::string_view path,
                                                       const platform::RunFailure& failure) {
    return platform::WriteRunFailure(path, failure);
}

bool NativeLoaderPlatform::ChangeDirectory(std::string_view folder) {
    return platform::ChangeDirectory(folder);
}

platform::Status NativeLoaderPlatform::Start(std::string_view commandLine,
                                             platform::ProcessId& id) {
    return platform::Processes().Start(commandLine, id);
}

platform::Status NativeLoaderPlatform::Wait(platform::ProcessId id, platform::ProcessExit& exit) {
    return platform::Processes().Wait(id, exit);
}

std::int64_t NativeLoaderPlatform::Now() {
    // A steady clock: a clock change or a daylight-saving switch while the simulator runs must
    // not add or remove an hour of racing.
    auto since = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::seconds>(since).count();
}

platform::Status NativeLoaderPlatform::RequestPowerAction(platform::PowerAction action) {
    return platform::System().RequestPowerAction(action);
}

void NativeLoaderPlatform::ShowMessage(const std::string& text) {
    platform::ShowSystemMessage(text, kLoaderTitle);
}

std::string NativeLoaderPlatform::CommandInterpreter() { return platform::CommandInterpreter(); }

}  // namespace zam::loader
