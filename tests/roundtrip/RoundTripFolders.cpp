#include "RoundTripFolders.h"

#include <algorithm>
#include <sstream>

#include "zam/platform/CommandFile.h"
#include "zam/platform/Process.h"
#include "zam/platform/Text.h"
#include "zam/tools/DemoInstallation.h"

namespace zam::test {

namespace fs = std::filesystem;

namespace {

// The loader, the simulator stand-in (one second) and the front end it starts again are all
// done well within this; passing it means something hangs.
constexpr std::chrono::seconds kRoundTripLimit{60};

constexpr std::string_view kFrontEndRecord = "frontend-started.txt";

void MakeExecutable(const fs::path& file) {
    fs::permissions(file, fs::perms::owner_exec | fs::perms::group_exec, fs::perm_options::add);
}

bool IsUserFile(const fs::path& file) {
    return platform::UpperCase(file.extension().string()) == ".INI" ||
           platform::UpperCase(file.filename().string()) == "GPL.EXE";
}

}  // namespace

FileSnapshot SnapshotUserFiles(const fs::path& dir) {
    FileSnapshot files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(dir))
        if (entry.is_regular_file() && IsUserFile(entry.path()))
            files[fs::relative(entry.path(), dir).string()] = ReadNative(entry.path());
    return files;
}

std::vector<std::string> Screenshots(const fs::path& dir) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
        std::string name = platform::UpperCase(entry.path().filename().string());
        if (name.rfind("GPL", 0) == 0 && name.size() > 7 && name.substr(name.size() - 4) == ".PBF")
            names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

namespace {

// A loader asked to shut down or restart would run "systemctl": here it only leaves a note.
std::string PathWithPowerTrap(const TempDir& tmp) {
    fs::path trap = tmp.write("bin/systemctl", "#!/bin/sh\necho \"$@\" >> '" +
                                                   tmp.file("power.txt").string() + "'\n");
    MakeExecutable(trap);
    const char* path = std::getenv("PATH");
    return tmp.file("bin").string() + ":" + (path != nullptr ? path : "/usr/bin:/bin");
}

}  // namespace

RoundTripFolders::RoundTripFolders(Layout layout)
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
    tmp.write(SettingsRelative("ZAM.Ini"), "[Paths]\r\nGPL=" + Gpl() +
                                               "\r\nExeName=GPL.EXE\r\n[ZAM]\r\nNextScreenie=5\r\n"
                                               "[Timers]\r\nGPLTime=10:00:00\r\n");
}

void RoundTripFolders::TearDown() {
    EXPECT_FALSE(tmp.exists("power.txt")) << "a power action was requested";
}

fs::path RoundTripFolders::ProgPath(std::string_view relative) const {
    return tmp.file(progRelative_ + std::string(relative));
}

std::string RoundTripFolders::SettingsRelative(std::string_view name) const {
    return settingsRelative_ + std::string(name);
}

fs::path RoundTripFolders::GplPath(std::string_view relative) const {
    return tmp.file("gpl/" + std::string(relative));
}

void RoundTripFolders::WriteCommand(const std::string& word, const std::string& commandLine) {
    ASSERT_TRUE(
        platform::WriteLoaderCommand(tmp.logical() + SettingsRelative(platform::kCommandFileName),
                                     {word, commandLine})
            .ok());
}

std::optional<std::string> RoundTripFolders::CommandFile() const {
    const std::string name = SettingsRelative(platform::kCommandFileName);
    if (!tmp.exists(name)) return std::nullopt;
    return tmp.read(name);
}

fs::path RoundTripFolders::WriteRecorder(std::string_view relative, std::string_view record,
                                         std::string_view more) {
    fs::path script = tmp.write(relative, "#!/bin/sh\npwd >> '" + tmp.file(record).string() +
                                              "'\n" + std::string(more));
    MakeExecutable(script);
    return script;
}

void RoundTripFolders::RunLoaderAndWait() {
    platform::ProcessId id;
    ASSERT_TRUE(platform::NativeProcesses().Start("\"" + Prog() + "Rollout\"", id).ok());
    WaitForEverything();
}

void RoundTripFolders::WaitForEverything() {
    ASSERT_TRUE(processes.WaitForAll(kRoundTripLimit))
        << "the loader or a program it started was still running after "
        << kRoundTripLimit.count() << " s and was killed";
}

std::vector<std::string> RoundTripFolders::FrontEndStarts() const {
    std::vector<std::string> folders;
    if (!tmp.exists(kFrontEndRecord)) return folders;
    std::istringstream lines(tmp.read(kFrontEndRecord));
    for (std::string line; std::getline(lines, line);) folders.push_back(line);
    return folders;
}

void RoundTripFolders::ExpectFrontEndBackOnce() const {
    std::vector<std::string> starts = FrontEndStarts();
    ASSERT_EQ(starts.size(), 1u) << "the front end was not started again exactly once";
    EXPECT_TRUE(fs::equivalent(starts[0], ProgPath())) << "started in " << starts[0];
}

void RoundTripFolders::ExpectUserFilesUnchanged(const FileSnapshot& before) const {
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

}  // namespace zam::test
