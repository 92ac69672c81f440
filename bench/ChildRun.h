#pragma once
// Every load is measured in a fresh copy of the benchmark program: each reader starts with a clean
// heap and empty library caches, and the child's peak resident memory (getrusage ru_maxrss) minus
// what it held just before the load is the load's peak memory.
#include <cstdint>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "Loaders.h"

namespace zam::bench {

struct Measurement {
    bool ok = false;
    double seconds = 0;     // wall-clock time of the load alone
    double cpuSeconds = 0;  // user + system time of the load
    std::int64_t baseKb = 0;
    std::int64_t peakKb = 0;
    std::uint64_t entries = 0;
    std::string note;
    std::string failure;  // why ok is false

    double PeakGrowthBytes() const { return static_cast<double>(peakKb - baseKb) * 1024.0; }
};

inline constexpr const char* kChildFlag = "--child";

// Child side: `--child LOADER LISTFILE [INDEXSIZE]`. Loads every file named in LISTFILE (one
// native path a line) with LOADER and prints the result lines the parent reads. Returns the exit
// code.
int RunChildLoad(const std::string& loaderName, const std::string& listFile,
                 const LoaderHints& hints);

// Parent side: runs this program again as a child for one load and reads what it printed. A load
// that takes longer than `timeoutSeconds` (wall clock) is stopped and reported as failed.
Measurement MeasureInChild(const std::string& loaderName, const std::string& listFile,
                           const LoaderHints& hints, double timeoutSeconds);

void WriteFileList(const std::string& listFile, const std::vector<std::string>& paths);

}  // namespace zam::bench
