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

#include <map>
#include <optional>
#include <string>

#include "ScopedEnv.h"
#include "ProcessTree.h"
#include "TempDir.h"

namespace zam::test {

// Every INI file below a folder (any case of ".ini") and every GPL.EXE, by relative path: the
// files a round trip must never lose a byte of.
using FileSnapshot = std::map<std::string, std::string>;
FileSnapshot SnapshotUserFiles(const std::filesystem::path& dir);
// Names of the files in a folder that match GPL*.PBF (any case), sorted.
std::vector<std::string> Screenshots(const std::filesystem::path& dir);

enum class Layout { kPortable, kInstalled };

class RoundTripFolders : public testing::Test {
protected:
    explicit RoundTripFolders(Layout layout = Layout::kPortable);
    // No command of a round trip may ever reach the machine's power.
    void TearDown() override;

    std::string Prog() const { return tmp.logical() + progRelative_; }
    std::string Shipped() const { return tmp.logical() + shippedRelative_; }
    std::string Gpl() const { return tmp.logical() + "gpl/"; }
    std::filesystem::path ProgPath(std::string_view relative = "") const;
    std::filesystem::path GplPath(std::string_view relative = "") const;
    // A file of the folder of ZAM.Ini and ZAM.int, relative to the temporary folder.
    std::string SettingsRelative(std::string_view name) const;

    // ZAM.int as the front end writes it (through the platform's writer).
    void WriteCommand(const std::string& word, const std::string& commandLine);
    // Bytes of ZAM.int, nothing when it is missing.
    std::optional<std::string> CommandFile() const;

    // Writes an executable script that appends its current directory to `record` (relative to
    // the temporary folder) and then runs `more`.
    std::filesystem::path WriteRecorder(std::string_view relative, std::string_view record,
                                        std::string_view more = "");

    // Starts the copied loader as the front end does and waits for it and everything it
    // started. Fails the test when that takes longer than the bound.
    void RunLoaderAndWait();
    // Waits for everything started so far (the loader started by a front end in this process).
    void WaitForEverything();

    // Folders the stand-in front end was started in, one per start.
    std::vector<std::string> FrontEndStarts() const;
    void ExpectFrontEndBackOnce() const;
    void ExpectUserFilesUnchanged(const FileSnapshot& before) const;

    TempDir tmp;
    ProcessTree processes;

private:
    std::string progRelative_;
    std::string shippedRelative_;
    std::string settingsRelative_;
    // $PATH with a recording "systemctl" in front, for the loader and everything it starts.
    ScopedEnv path_;
    // The configuration folder's parent, for this process and the programs it starts.
    ScopedEnv config_;
};

}  // namespace zam::test
