#pragma once
// The loader's platform on the real system, over the platform layer.
#include "zam/loader/LoaderPlatform.h"

namespace zam::loader {

class NativeLoaderPlatform : public LoaderPlatform {
public:
    // Program folder and name of the running executable.
    NativeLoaderPlatform();
    // Another folder and name, for running the loader's routine over a prepared folder.
    NativeLoaderPlatform(std::string programFolder, std::string programName);

    std::string ProgramFolder() override;
    std::string ProgramName() override;
    bool FileExists(std::string_view path) override;
    platform::Status ReadCommand(std::string_view path, platform::LoaderCommand& command) override;
    platform::Status WriteElapsedTime(std::string_view path, std::int64_t seconds) override;
    platform::Status WriteRunFailure(std::string_view path,
                                     const platform::RunFailure& failure) override;
    bool ChangeDirectory(std::string_view folder) override;
    platform::Status Start(std::string_view commandLine, platform::ProcessId& id) override;
    platform::Status Wait(platform::ProcessId id, platform::ProcessExit& exit) override;
    std::int64_t Now() override;
    platform::Status RequestPowerAction(platform::PowerAction action) override;
    void ShowMessage(const std::string& text) override;
    std::string CommandInterpreter() override;

private:
    std::string programFolder_;
    std::string programName_;
};

}  // namespace zam::loader
