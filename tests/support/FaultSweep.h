#pragma once
// Fault-injection sweeps: a writer is run once without faults to count the calls it makes that
// change the disk; then it is run again from the same starting files once for every such call and
// every kind of failure, with that call failed. After each run the test checks what is on disk.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "FailingFileSystem.h"
#include "TempDir.h"

namespace zam::test {

struct FaultPlan {
    int change = 0;           // 1-based number of the changing call that fails
    int code = 0;             // error it fails with
    bool persistent = false;  // every later changing call fails too
    bool partly = false;      // a failed write leaves half its bytes behind

    void ApplyTo(FailingFileSystem& fs) const;
    std::string Describe() const;
    // True for failures that end in an error message by the program's rules (an I/O error, a
    // full disk, a refused access); only a missing file may end a step quietly.
    bool Loud() const;
};

// Every plan for a writer that makes `changes` changing calls: for each call a transient I/O
// error, a disk that fills up from there on, an access refused from there on (a refusal that
// passes is another program's moment and may be waited out) and a vanished file.
std::vector<FaultPlan> PlansFor(int changes);

// Files below `dir`, as paths relative to it with '/' separators, sorted; folders not listed.
std::vector<std::string> FilesBelow(const std::filesystem::path& dir);

// Runs `run` with a fresh fault-free FailingFileSystem in place and gives the changing calls it
// made.
int CountChanges(const std::function<void(FailingFileSystem&)>& run);

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
SweepResult SweepOneFileWriter(const OneFileWriter& writer, const BesideFiles& beside = {});

// Adds `faults` to the tally of a writer and prints the tally when the process ends, so a run of
// the suite shows how many faults each writer survived.
void TallyFaults(const std::string& writer, int faults);

}  // namespace zam::test
