#pragma once
// A loader platform in memory. Files are a map from path to bytes; ZAM.int goes through the real
// command-file format. Every directory change, start, wait, write, power action and message is
// written to one log in order, so a test can see what ran where.
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "zam/loader/LoaderPlatform.h"

namespace zam::test {

class FakeLoaderPlatform : public loader::LoaderPlatform {
public:
    // With a two-line command file of `word` and `commandLine` in the program folder, unless the
    // word is empty.
    explicit FakeLoaderPlatform(const std::string& word = "", const std::string& commandLine = "");

    std::string ProgramFolder() override { return programFolder; }
    std::string ProgramName() override { return programName; }
    bool FileExists(std::string_view path) override;
    platform::Status ReadCommand(std::string_view path, platform::LoaderCommand& command) override;
    platform::Status WriteElapsedTime(std::string_view path, std::int64_t seconds) override;
    platform::Status WriteRunFailure(std::string_view path,
                                     const platform::RunFailure& failure) override;
    bool ChangeDirectory(std::string_view folder) override;
    platform::Status Start(std::string_view commandLine, platform::ProcessId& id) override;
    platform::Status Wait(platform::ProcessId id, platform::ProcessExit& exit) override;
    std::int64_t Now() override { return clock; }
    platform::Status RequestPowerAction(platform::PowerAction action) override;
    void ShowMessage(const std::string& text) override;
    std::string CommandInterpreter() override { return comspec; }

    // The failure record the loader left in ZAM.int, if it is one.
    std::optional<platform::RunFailure> Failure() const;
    // Puts a two-line command file in the program folder.
    void SetCommand(const std::string& word, const std::string& commandLine);
    std::string CommandFileBytes() const;
    std::string CommandFilePath() const { return programFolder + "ZAM.int"; }

    std::string programFolder = "C:\\ZAM\\";
    std::string programName = "Rollout";
    std::string comspec = "C:\\WINDOWS\\system32\\cmd.exe";
    std::map<std::string, std::string> files;  // path -> bytes

    std::int64_t clock = 1000;
    std::int64_t runSeconds = 0;           // how long a waited-for program runs
    std::set<std::string> unstartable;     // command lines whose start fails
    std::set<std::string> throwingStarts;  // command lines whose start throws
    bool processIdZero = false;            // starts succeed but report no process
    bool waitFails = false;                // a started process cannot be opened for waiting
    platform::ProcessExit programExit;     // how a waited-for program ends
    bool writeFails = false;               // neither form of ZAM.int can be written
    bool powerFails = false;

    std::string currentDirectory;
    std::vector<std::string> log;
    std::vector<std::string> messages;
    std::vector<platform::PowerAction> powerActions;

private:
    std::int64_t nextId_ = 100;
};

}  // namespace zam::test
