#include "FaultSweep.h"

#include <algorithm>
#include <cstdio>
#include <map>

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

bool FaultPlan::Loud() const { return code != platform::kFileNotFound; }

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
    for (const auto& entry : fs::recursive_directory_iterator(dir))
        if (!entry.is_directory()) files.push_back(entry.path().lexically_relative(dir).generic_string());
    std::sort(files.begin(), files.end());
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
