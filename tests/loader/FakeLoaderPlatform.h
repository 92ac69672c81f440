#pragma once
// A loader platform in memory. Files are a map from path to bytes; ZAM.int goes through the real
// command-file format. Every directory change, start, wait, write, power action and message is
// written to one log in order, so a test can see what ran where.
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "zam/loader/LoaderPlatform.h"

namespace zam::test {

class FakeLoaderPlatform : public loader::LoaderPlatform {
public:
    using Status = platform::Status;

    // With a two-line command file of `word` and `commandLine` in the program folder, unless the
    // word is empty.
    explicit FakeLoaderPlatform(const std::string& word = "", const std::string& commandLine = "") {
        files[programFolder + "Rollout.exe"] = "MZ";
        files[programFolder + "ZAMDeck.Exe"] = "MZ";
        if (!word.empty()) SetCommand(word, commandLine);
    }

    std::string ProgramFolder() override { return programFolder; }
    std::string ProgramName() override { return programName; }
    bool FileExists(std::string_view path) override { return files.count(std::string(path)) != 0; }
    Status ReadCommand(std::string_view path, platform::LoaderCommand& command) override {
        auto it = files.find(std::string(path));
        if (it == files.end()) return Status::Error(platform::kFileNotFound);
        auto parsed = platform::ParseLoaderCommand(it->second);
        if (!parsed) return Status::Error(platform::kInputPastEndOfFile);
        command = *parsed;
        return Status::Ok();
    }
    Status WriteElapsedTime(std::string_view path, std::int64_t seconds) override {
        log.push_back("write " + std::string(path));
        if (writeFails) return Status::Error(platform::kPermissionDenied);
        files[std::string(path)] = platform::FormatElapsedRecord(seconds);
        return Status::Ok();
    }
    Status WriteRunFailure(std::string_view path, const platform::RunFailure& failure) override {
        log.push_back("write failure " + std::string(path));
        if (writeFails) return Status::Error(platform::kPermissionDenied);
        files[std::string(path)] = platform::FormatRunFailure(failure);
        return Status::Ok();
    }
    bool ChangeDirectory(std::string_view folder) override {
        log.push_back("cd " + std::string(folder));
        currentDirectory = folder;
        return true;
    }
    Status Start(std::string_view commandLine, platform::ProcessId& id) override {
        std::string line(commandLine);
        log.push_back("start " + line);
        if (throwingStarts.count(line) != 0) throw std::runtime_error("cannot start " + line);
        if (unstartable.count(line) != 0) return Status::Error(platform::kFileNotFound);
        id.value = processIdZero ? 0 : nextId_++;
        return Status::Ok();
    }
    Status Wait(platform::ProcessId id, platform::ProcessExit& exit) override {
        log.push_back("wait " + std::to_string(id.value));
        if (waitFails) return Status::Error(platform::kPermissionDenied);
        clock += runSeconds;
        exit = programExit;
        return Status::Ok();
    }
    std::int64_t Now() override { return clock; }
    Status RequestPowerAction(platform::PowerAction action) override {
        log.push_back(action == platform::PowerAction::kShutdown ? "power off" : "power cycle");
        powerActions.push_back(action);
        return powerFails ? Status::Error(platform::kPermissionDenied) : Status::Ok();
    }
    void ShowMessage(const std::string& text) override {
        log.push_back("message");
        messages.push_back(text);
    }
    std::string CommandInterpreter() override { return comspec; }

    // The failure record the loader left in ZAM.int, if it is one.
    std::optional<platform::RunFailure> Failure() const {
        return platform::ParseRunFailure(CommandFileBytes());
    }
    // Puts a two-line command file in the program folder.
    void SetCommand(const std::string& word, const std::string& commandLine) {
        files[CommandFilePath()] = platform::FormatLoaderCommand({word, commandLine});
    }
    std::string CommandFileBytes() const {
        auto it = files.find(CommandFilePath());
        return it == files.end() ? std::string() : it->second;
    }
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
