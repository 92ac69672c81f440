#pragma once
// Fault-injection sweeps: a writer is run once without faults to count the calls it makes that
// change the disk; then it is run again from the same starting files once for every such call and
// every kind of failure, with that call failed. After each run the test checks what is on disk.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "FailingFileSystem.h"
#include "FolderEntries.h"
#include "TempDir.h"
#include "zam/platform/FileSystem.h"

namespace zam::test {

struct FaultPlan {
    int change = 0;           // 1-based number of the changing call that fails
    int code = 0;             // error it fails with
    bool persistent = false;  // every later changing call fails too
    bool partly = false;      // a failed write leaves half its bytes behind

    void ApplyTo(FailingFileSystem& fs) const {
        fs.FailChange(change, code, persistent);
        fs.WritePartly(partly);
    }
    std::string Describe() const {
        return "change " + std::to_string(change) + " fails with " + std::to_string(code) +
               (persistent ? ", and every later one" : "") + (partly ? ", half written" : "");
    }
    // True for failures that end in an error message by the program's rules (an I/O error, a
    // full disk, a refused access); only a missing file may end a step quietly.
    bool Loud() const { return code != platform::kFileNotFound; }
};

// Every plan for a writer that makes `changes` changing calls: for each call a transient I/O
// error, a disk that fills up from there on, an access refused from there on (a refusal that
// passes is another program's moment and may be waited out) and a vanished file.
inline std::vector<FaultPlan> PlansFor(int changes) {
    std::vector<FaultPlan> plans;
    for (int c = 1; c <= changes; ++c) {
        plans.push_back({c, platform::kIoError, false, true});
        plans.push_back({c, platform::kDiskFull, true, true});
        plans.push_back({c, platform::kPermissionDenied, true, false});
        plans.push_back({c, platform::kFileNotFound, false, false});
    }
    return plans;
}

// Files below `dir`, as paths relative to it with '/' separators, sorted; folders not listed.
inline std::vector<std::string> FilesBelow(const std::filesystem::path& dir) {
    std::vector<std::string> files;
    for (const std::string& name : FolderEntries(dir, true))
        if (!std::filesystem::is_directory(dir / name))
            files.push_back(std::filesystem::path(name).generic_string());
    return files;
}

// Runs `run` with a fresh fault-free FailingFileSystem in place and gives the changing calls it
// made.
inline int CountChanges(const std::function<void(FailingFileSystem&)>& run) {
    FailingFileSystem fs;
    {
        platform::ScopedFileSystem use(fs);
        run(fs);
    }
    return fs.Changes();
}

// A writer that replaces one file, swept by SweepOneFileWriter.
struct OneFileWriter {
    std::string name;  // the file, in a fresh temporary folder of every run
    // What the file holds before every run; nothing when the writer creates it.
    std::optional<std::string> oldBytes;
    int minChanges = 2;    // a replace through a temporary file changes the disk twice at least
    // Writes the file at its logical path; true when the writer says it wrote.
    std::function<bool(const std::string& path)> write;
    // Runs after every run (the first one without faults) with the writer's answer.
    std::function<void(bool faultFree, bool written)> afterRun;
};

// Files laid out beside the written one before every run, which may stay, files the writer may
// make beside it (its backups), and a look at the folder after every run with a fault.
struct BesideFiles {
    std::vector<std::pair<std::string, std::string>> files;
    std::vector<std::string> made;
    std::function<void(const TempDir& dir, const FaultPlan& plan)> check;
};

struct SweepResult {
    std::string newBytes;  // what the fault-free run wrote
    int injected = 0;      // failures injected over the sweep
};

// Runs the writer once without faults, then once for every plan: after each run the file is its
// whole old or whole new self (or still missing), the answer says which, and no other file is
// left behind unless a failure that persisted kept the clean-up from running.
inline SweepResult SweepOneFileWriter(const OneFileWriter& writer, const BesideFiles& beside = {}) {
    SweepResult result;
    auto run = [&](TempDir& dir) {
        if (writer.oldBytes) dir.write(writer.name, *writer.oldBytes);
        for (const auto& [name, bytes] : beside.files) dir.write(name, bytes);
        return writer.write(dir.logical() + writer.name);
    };
    const int changes = CountChanges([&](FailingFileSystem&) {
        TempDir dir;
        const bool written = run(dir);
        EXPECT_TRUE(written) << "the fault-free run failed";
        if (writer.afterRun) writer.afterRun(true, written);
        result.newBytes = dir.read(writer.name);
    });
    EXPECT_NE(result.newBytes, writer.oldBytes) << "the writer changed nothing";
    EXPECT_GE(changes, writer.minChanges);
    if (::testing::Test::HasFailure()) return result;
    for (const FaultPlan& plan : PlansFor(changes)) {
        SCOPED_TRACE(plan.Describe());
        TempDir dir;
        FailingFileSystem fs;
        plan.ApplyTo(fs);
        bool written = false;
        {
            platform::ScopedFileSystem use(fs);
            written = run(dir);
        }
        result.injected += fs.InjectedFailures();
        std::optional<std::string> now;
        if (dir.exists(writer.name)) {
            now = dir.read(writer.name);
        } else if (writer.oldBytes) {
            ADD_FAILURE() << writer.name << " was lost";
            break;
        }
        EXPECT_TRUE(now == writer.oldBytes || now == result.newBytes)
            << writer.name << " is neither its old nor its new self";
        EXPECT_EQ(written, now == result.newBytes) << "the answer must say whether it was written";
        if (writer.afterRun) writer.afterRun(false, written);
        if (beside.check) beside.check(dir, plan);
        for (const std::string& left : FilesBelow(dir.path()))
            if (left != writer.name && !plan.persistent &&
                std::find(beside.made.begin(), beside.made.end(), left) == beside.made.end() &&
                std::none_of(beside.files.begin(), beside.files.end(),
                             [&](const auto& file) { return file.first == left; }))
                ADD_FAILURE() << left << " was left behind";
        if (::testing::Test::HasFailure()) break;
    }
    return result;
}

namespace detail {

struct Tally {
    std::map<std::string, int> faults;
    ~Tally() {
        for (const auto& [writer, count] : faults)
            std::printf("[ faults   ] %s: %d injected\n", writer.c_str(), count);
    }
};

}  // namespace detail

// Adds `faults` to the tally of a writer and prints the tally when the process ends, so a run of
// the suite shows how many faults each writer survived.
inline void TallyFaults(const std::string& writer, int faults) {
    // One tally for the whole program: an inline function has one static, whichever file calls it.
    static detail::Tally tally;
    tally.faults[writer] += faults;
}

}  // namespace zam::test
