#include "FaultSweep.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>

#include "FolderEntries.h"
#include "zam/platform/FileSystem.h"

namespace zam::test {

namespace fs = std::filesystem;

void FaultPlan::ApplyTo(FailingFileSystem& fs) const {
    fs.FailChange(change, code, persistent);
    fs.WritePartly(partly);
}

std::string FaultPlan::Describe() const {
    return "change " + std::to_string(change) + " fails with " + std::to_string(code) +
           (persistent ? ", and every later one" : "") + (partly ? ", half written" : "");
}

bool FaultPlan::Loud() const {
    return code != platform::kFileNotFound;
}

std::vector<FaultPlan> PlansFor(int changes) {
    std::vector<FaultPlan> plans;
    for (int c = 1; c <= changes; ++c) {
        plans.push_back({c, platform::kIoError, false, true});
        plans.push_back({c, platform::kDiskFull, true, true});
        plans.push_back({c, platform::kPermissionDenied, true, false});
        plans.push_back({c, platform::kFileNotFound, false, false});
    }
    return plans;
}

std::vector<std::string> FilesBelow(const fs::path& dir) {
    std::vector<std::string> files;
    for (const std::string& name : FolderEntries(dir, true))
        if (!fs::is_directory(dir / name)) files.push_back(fs::path(name).generic_string());
    return files;
}

int CountChanges(const std::function<void(FailingFileSystem&)>& run) {
    FailingFileSystem fs;
    {
        platform::ScopedFileSystem use(fs);
        run(fs);
    }
    return fs.Changes();
}

SweepResult SweepOneFileWriter(const OneFileWriter& writer, const BesideFiles& beside) {
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

namespace {

struct Tally {
    std::map<std::string, int> faults;
    ~Tally() {
        for (const auto& [writer, count] : faults)
            std::printf("[ faults   ] %s: %d injected\n", writer.c_str(), count);
    }
};

}  // namespace

void TallyFaults(const std::string& writer, int faults) {
    static Tally tally;
    tally.faults[writer] += faults;
}

}  // namespace zam::test
