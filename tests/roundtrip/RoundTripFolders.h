#pragma once
// The folders of a launch round trip in a temporary folder:
//   prog\  the program folder: a copy of the built loader "Rollout", a stand-in "ZAMDeck" that
//          only records that it was started (and in which folder), Startup.wav and ZAM.Ini;
//   gpl\   a generated installation whose GPL.EXE is an executable stand-in for the simulator
//          that waits a second and leaves a new GPL<n>.PBF screenshot.
// Laid out as installed, the programs sit in usr/bin/, Startup.wav in usr/share/zamdeck/, and
// ZAM.Ini (and so ZAM.int) in the configuration folder config/zamdeck/ that XDG_CONFIG_HOME names.
// The loader runs as a real process; the test waits for it and for everything it started, with
// an upper bound, and fails clearly when that is passed.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <sstream>
#include <string>

#include "ProcessTree.h"
#include "ScopedEnv.h"
#include "TempDir.h"
#include "zam/platform/CommandFile.h"
#include "zam/platform/Process.h"
#include "zam/platform/Text.h"
#include "zam/tools/DemoInstallation.h"

namespace zam::test {

namespace fs = std::filesystem;

inline void MakeExecutable(const fs::path& file) {
    fs::permissions(file, fs::perms::owner_exec | fs::perms::group_exec, fs::perm_options::add);
}

inline bool IsUserFile(const fs::path& file) {
    return platform::UpperCase(file.extension().string()) == ".INI" ||
           platform::UpperCase(file.filename().string()) == "GPL.EXE";
}

// Every INI file below a folder (any case of ".ini") and every GPL.EXE, by relative path: the
// files a round trip must never lose a byte of.
using FileSnapshot = std::map<std::string, std::string>;
inline FileSnapshot SnapshotUserFiles(const fs::path& dir) {
    FileSnapshot files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(dir))
        if (entry.is_regular_file() && IsUserFile(entry.path()))
            files[fs::relative(entry.path(), dir).string()] = ReadNative(entry.path());
    return files;
}
// Names of the files in a folder that match GPL*.PBF (any case), sorted.
inline std::vector<std::string> Screenshots(const fs::path& dir) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
        std::string name = platform::UpperCase(entry.path().filename().string());
        if (name.rfind("GPL", 0) == 0 && name.size() > 7 && name.substr(name.size() - 4) == ".PBF")
            names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

enum class Layout { kPortable, kInstalled };

class RoundTripFolders : public testing::Test {
protected:
    explicit RoundTripFolders(Layout layout = Layout::kPortable)
        : progRelative_(layout == Layout::kInstalled ? "usr/bin/" : "prog/"),
          shippedRelative_(layout == Layout::kInstalled ? "usr/share/zamdeck/" : progRelative_),
          settingsRelative_(layout == Layout::kInstalled ? "config/zamdeck/" : progRelative_),
          path_("PATH", PathWithPowerTrap(tmp)),
          config_("XDG_CONFIG_HOME", tmp.file("config").string()) {
        tools::MakeDemoInstallation(tmp.file("gpl"), tools::DemoOptions{.simSeconds = 1});
        fs::create_directories(ProgPath());
        fs::copy_file(fs::path(ZAM_BINARY_DIR) / "loader" / "Rollout", ProgPath("Rollout"));
        MakeExecutable(ProgPath("Rollout"));
        WriteRecorder(progRelative_ + "ZAMDeck", kFrontEndRecord);
        tmp.write(shippedRelative_ + "Startup.wav", "RIFF");
        tmp.write(SettingsRelative("ZAM.Ini"),
                  "[Paths]\r\nGPL=" + Gpl() +
                      "\r\nExeName=GPL.EXE\r\n[ZAM]\r\nNextScreenie=5\r\n"
                      "[Timers]\r\nGPLTime=10:00:00\r\n");
    }
    // No command of a round trip may ever reach the machine's power.
    void TearDown() override {
        EXPECT_FALSE(tmp.exists("power.txt")) << "a power action was requested";
    }

    std::string Prog() const { return tmp.logical() + progRelative_; }
    std::string Shipped() const { return tmp.logical() + shippedRelative_; }
    std::string Gpl() const { return tmp.logical() + "gpl/"; }
    fs::path ProgPath(std::string_view relative = "") const {
        return tmp.file(progRelative_ + std::string(relative));
    }
    fs::path GplPath(std::string_view relative = "") const {
        return tmp.file("gpl/" + std::string(relative));
    }
    // A file of the folder of ZAM.Ini and ZAM.int, relative to the temporary folder.
    std::string SettingsRelative(std::string_view name) const {
        return settingsRelative_ + std::string(name);
    }

    // ZAM.int as the front end writes it (through the platform's writer).
    void WriteCommand(const std::string& word, const std::string& commandLine) {
        ASSERT_TRUE(
            platform::WriteLoaderCommand(
                tmp.logical() + SettingsRelative(platform::kCommandFileName), {word, commandLine})
                .ok());
    }
    // Bytes of ZAM.int, nothing when it is missing.
    std::optional<std::string> CommandFile() const {
        const std::string name = SettingsRelative(platform::kCommandFileName);
        if (!tmp.exists(name)) return std::nullopt;
        return tmp.read(name);
    }

    // Writes an executable script that appends its current directory to `record` (relative to
    // the temporary folder) and then runs `more`.
    fs::path WriteRecorder(std::string_view relative, std::string_view record,
                           std::string_view more = "") {
        fs::path script = tmp.write(relative, "#!/bin/sh\npwd >> '" + tmp.file(record).string() +
                                                  "'\n" + std::string(more));
        MakeExecutable(script);
        return script;
    }

    // Starts the copied loader as the front end does and waits for it and everything it
    // started. Fails the test when that takes longer than the bound.
    void RunLoaderAndWait() {
        platform::ProcessId id;
        ASSERT_TRUE(platform::NativeProcesses().Start("\"" + Prog() + "Rollout\"", id).ok());
        WaitForEverything();
    }
    // Waits for everything started so far (the loader started by a front end in this process).
    void WaitForEverything() {
        ASSERT_TRUE(processes.WaitForAll(kRoundTripLimit))
            << "the loader or a program it started was still running after "
            << kRoundTripLimit.count() << " s and was killed";
    }

    // Folders the stand-in front end was started in, one per start.
    std::vector<std::string> FrontEndStarts() const {
        std::vector<std::string> folders;
        if (!tmp.exists(kFrontEndRecord)) return folders;
        std::istringstream lines(tmp.read(kFrontEndRecord));
        for (std::string line; std::getline(lines, line);) folders.push_back(line);
        return folders;
    }
    void ExpectFrontEndBackOnce() const {
        std::vector<std::string> starts = FrontEndStarts();
        ASSERT_EQ(starts.size(), 1u) << "the front end was not started again exactly once";
        EXPECT_TRUE(fs::equivalent(starts[0], ProgPath())) << "started in " << starts[0];
    }
    void ExpectUserFilesUnchanged(const FileSnapshot& before) const {
        FileSnapshot after = SnapshotUserFiles(tmp.path());
        for (const auto& [name, bytes] : before) {
            auto found = after.find(name);
            if (found == after.end()) {
                ADD_FAILURE() << name << " is gone";
            } else {
                EXPECT_TRUE(found->second == bytes) << name << " changed";
            }
        }
        for (const auto& entry : after)
            EXPECT_TRUE(before.count(entry.first)) << entry.first << " appeared";
    }

    TempDir tmp;
    ProcessTree processes;

private:
    // The loader, the simulator stand-in (one second) and the front end it starts again are all
    // done well within this; passing it means something hangs.
    static constexpr std::chrono::seconds kRoundTripLimit{60};

    static constexpr std::string_view kFrontEndRecord = "frontend-started.txt";

    // A loader asked to shut down or restart would run "systemctl": here it only leaves a note.
    static std::string PathWithPowerTrap(const TempDir& tmp) {
        fs::path trap = tmp.write("bin/systemctl", "#!/bin/sh\necho \"$@\" >> '" +
                                                       tmp.file("power.txt").string() + "'\n");
        MakeExecutable(trap);
        const char* path = std::getenv("PATH");
        return tmp.file("bin").string() + ":" + (path != nullptr ? path : "/usr/bin:/bin");
    }

    std::string progRelative_;
    std::string shippedRelative_;
    std::string settingsRelative_;
    // $PATH with a recording "systemctl" in front, for the loader and everything it starts.
    ScopedEnv path_;
    // The configuration folder's parent, for this process and the programs it starts.
    ScopedEnv config_;
};

}  // namespace zam::test
