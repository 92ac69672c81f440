// How fast, and in how much memory, the store loads a whole installation's worth of INI files,
// against inih and QSettings reading the same files, and how its time grows with 4x and 16x the
// files.
//
//   bench_ini_load [--mb N] [--repeat N] [--scales 1,4,16] [--seed S] [--keep]
//                  [--time-limit SECONDS]
//   bench_ini_load --generate FOLDER [--mb N] [--copies N] [--seed S]
//   bench_ini_load --child READER LISTFILE [INDEXSIZE]
//
// The corpus is generated into a fresh folder under the system's temporary folder and deleted at
// the end. Every reader reads the files from the file system (warm page cache), and every load
// runs in a fresh child process, which also gives its peak memory. Times are the CPU time (user +
// system) of the load itself: build machines are shared, and wall-clock time there mostly
// measures the neighbours; it is printed beside the CPU time all the same.
//
// To profile one reader on a smaller corpus:
//   bench_ini_load --generate /tmp/ini8 --mb 8
//   perf record bench_ini_load --child store /tmp/ini8/files.txt
//   valgrind --tool=callgrind bench_ini_load --child store /tmp/ini8/files.txt
//   valgrind --tool=massif bench_ini_load --child store /tmp/ini8/files.txt
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "ChildRun.h"
#include "IniCorpus.h"
#include "Loaders.h"

namespace fs = std::filesystem;
using namespace zam::bench;

namespace {

constexpr double kMiB = 1024.0 * 1024.0;

// Goals the store is held to.
constexpr double kMaxStoreOverInih = 1.5;
constexpr double kMinQSettingsOverStore = 3.0;
// The store's 16x/1x time ratio over inih's own 16x/1x ratio on the same run: how much worse than
// a plain parser the store grows with the corpus, whatever this machine's caches do to both.
constexpr double kMaxGrowthOverInih = 1.25;
constexpr double kMaxPeakOverCorpus = 3.0;
// `zamini stats` (the load and the index statistics) over the load alone.
constexpr double kMaxStatsOverLoad = 1.2;

volatile std::sig_atomic_t gInterrupted = 0;

void OnInterrupt(int) { gInterrupted = 1; }

struct Options {
    std::uint64_t megabytes = 40;
    int repeat = 3;
    std::vector<int> scales = {1, 4, 16};
    std::uint64_t seed = 1998;
    bool keep = false;
    double timeLimit = 600;
    std::string generateFolder;
    int copies = 1;
};

[[noreturn]] void Usage(const char* why) {
    std::fprintf(stderr,
                 "%s\nusage: bench_ini_load [--mb N] [--repeat N] [--scales 1,4,16] [--seed S] "
                 "[--keep] [--time-limit SECONDS]\n"
                 "       bench_ini_load --generate FOLDER [--mb N] [--copies N] [--seed S]\n"
                 "       bench_ini_load --child READER LISTFILE [INDEXSIZE]\n",
                 why);
    std::exit(2);
}

std::vector<int> ParseScales(const std::string& text) {
    std::vector<int> scales;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const int scale = std::atoi(text.substr(start, comma - start).c_str());
        if (scale < 1 || scale > 64) Usage("scales must be whole numbers from 1 to 64");
        scales.push_back(scale);
        start = comma + 1;
    }
    std::sort(scales.begin(), scales.end());
    scales.erase(std::unique(scales.begin(), scales.end()), scales.end());
    return scales;
}

Options ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) Usage(("missing value after " + arg).c_str());
            return argv[++i];
        };
        if (arg == "--mb") {
            options.megabytes = std::strtoull(value().c_str(), nullptr, 10);
            if (options.megabytes == 0) Usage("--mb needs a positive number");
        } else if (arg == "--repeat") {
            options.repeat = std::max(1, std::atoi(value().c_str()));
        } else if (arg == "--scales") {
            options.scales = ParseScales(value());
        } else if (arg == "--seed") {
            options.seed = std::strtoull(value().c_str(), nullptr, 10);
        } else if (arg == "--time-limit") {
            options.timeLimit = std::max(1.0, std::atof(value().c_str()));
        } else if (arg == "--keep") {
            options.keep = true;
        } else if (arg == "--generate") {
            options.generateFolder = value();
        } else if (arg == "--copies") {
            options.copies = std::max(1, std::atoi(value().c_str()));
        } else {
            Usage(("unknown argument " + arg).c_str());
        }
    }
    return options;
}

std::string Grouped(std::uint64_t n) {
    std::string digits = std::to_string(n), out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempFolder {
public:
    explicit TempFolder(bool keep) : keep_(keep) {
        std::string pattern = (fs::temp_directory_path() / "zam-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~TempFolder() {
        if (keep_) {
            std::printf("corpus kept in %s\n", path_.c_str());
            return;
        }
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
    bool keep_;
};

// The installations written so far; scale n uses the first n of them.
class GrowingCorpus {
public:
    GrowingCorpus(fs::path root, std::uint64_t bytesPerCopy, std::uint64_t seed)
        : root_(std::move(root)), bytesPerCopy_(bytesPerCopy), seed_(seed) {}

    void GrowTo(int copies) {
        while (copies_ < copies && !gInterrupted) {
            char name[16];
            std::snprintf(name, sizeof name, "GPL%02d", copies_ + 1);
            const auto start = std::chrono::steady_clock::now();
            stats_.Add(WriteInstallation(root_ / name, bytesPerCopy_,
                                         seed_ + static_cast<std::uint64_t>(copies_)));
            generateSeconds_ += SecondsSince(start);
            ++copies_;
        }
    }

    const CorpusStats& Stats() const { return stats_; }
    double GenerateSeconds() const { return generateSeconds_; }

private:
    fs::path root_;
    std::uint64_t bytesPerCopy_;
    std::uint64_t seed_;
    int copies_ = 0;
    CorpusStats stats_;
    double generateSeconds_ = 0;
};

void PrintCorpus(int scale, const CorpusStats& stats, double generateSeconds) {
    std::printf(
        "\n== corpus %dx: %s files, %.1f MiB, %s lines (files ending lines in CR LF %s, CR %s, "
        "LF %s); generated so far in %.1f s\n",
        scale, Grouped(stats.Files()).c_str(), static_cast<double>(stats.bytes) / kMiB,
        Grouped(stats.lines).c_str(), Grouped(stats.crLfFiles).c_str(),
        Grouped(stats.crFiles).c_str(), Grouped(stats.lfFiles).c_str(), generateSeconds);
    std::printf("   %-22s %10s %9s %8s %30s %12s\n", "reader", "CPU time", "wall", "MiB/s",
                "peak memory over baseline", "entries");
    std::fflush(stdout);
}

// Best (least CPU time) of `runs` loads; its peak memory is the largest seen over the runs.
Measurement MeasureBest(const LoaderKind& kind, const std::string& listFile,
                        const LoaderHints& hints, int runs, double timeoutSeconds) {
    Measurement best;
    std::int64_t worstGrowthKb = 0;
    for (int run = 0; run < runs && !gInterrupted; ++run) {
        const Measurement m = MeasureInChild(kind.name, listFile, hints, timeoutSeconds);
        if (!m.ok) return m;
        worstGrowthKb = std::max(worstGrowthKb, m.peakKb - m.baseKb);
        if (!best.ok || m.cpuSeconds < best.cpuSeconds) best = m;
    }
    best.peakKb = best.baseKb + worstGrowthKb;
    return best;
}

void PrintRow(const LoaderKind& kind, const Measurement& m, const CorpusStats& stats, int runs) {
    if (!m.ok) {
        std::printf("   %-22s failed: %s\n", kind.label, m.failure.c_str());
        return;
    }
    const double mib = static_cast<double>(stats.bytes) / kMiB;
    char timeText[32];
    std::snprintf(timeText, sizeof timeText, "%.3f s%s", m.cpuSeconds, runs > 1 ? "*" : "");
    char memoryText[64];
    std::snprintf(memoryText, sizeof memoryText, "%.1f MiB (%.2fx corpus)",
                  m.PeakGrowthBytes() / kMiB,
                  m.PeakGrowthBytes() / static_cast<double>(stats.bytes));
    std::printf("   %-22s %10s %7.3f s %8.1f %30s %12s\n", kind.label, timeText, m.seconds,
                mib / m.cpuSeconds, memoryText, Grouped(m.entries).c_str());
    std::printf("   %-22s   %s\n", "", m.note.c_str());
    std::fflush(stdout);
}

// Space the files need on disk, with room for small-file block rounding.
std::uint64_t DiskNeed(std::uint64_t bytes) { return bytes + bytes / 2 + 64 * 1024 * 1024; }

// How long a load may run before it is stopped: the first one gets the --time-limit, a larger
// corpus four times what linear growth from the last load of the same reader would give (and at
// least two minutes), so a reader that grows much worse than linearly cannot hold the run up.
class TimeLimits {
public:
    explicit TimeLimits(double firstLimit) : firstLimit_(firstLimit) {}

    double For(const std::string& reader, int scale) const {
        auto last = last_.find(reader);
        if (last == last_.end()) return firstLimit_;
        const double linear = last->second.seconds * scale / last->second.scale;
        return std::max(120.0, 4.0 * linear);
    }

    void Record(const std::string& reader, int scale, const Measurement& m) {
        if (m.ok) last_[reader] = {scale, m.seconds};
    }

private:
    struct Last {
        int scale;
        double seconds;
    };
    double firstLimit_;
    std::map<std::string, Last> last_;
};

struct Results {
    std::map<int, std::map<std::string, Measurement>> byScale;
    std::map<int, std::uint64_t> corpusBytes;

    const Measurement* Find(int scale, const std::string& reader) const {
        auto s = byScale.find(scale);
        if (s == byScale.end()) return nullptr;
        auto r = s->second.find(reader);
        return r == s->second.end() || !r->second.ok ? nullptr : &r->second;
    }
};

// A ratio of two loads: by CPU time, which the goal is judged on, and by wall-clock time.
struct Ratio {
    double cpu;
    double wall;
};

Ratio TimeRatio(const Measurement& a, const Measurement& b) {
    return {a.cpuSeconds / b.cpuSeconds, a.seconds / b.seconds};
}

void PrintGoal(const std::string& what, double value, const char* relation, double goal,
               const std::string& aside) {
    const bool lessOrEqual = std::strcmp(relation, "<=") == 0;
    const bool met = lessOrEqual ? value <= goal : value >= goal;
    std::printf("   %-50s %7.2f   goal %s %-4g %-7s %s\n", what.c_str(), value, relation, goal,
                met ? "met" : "MISSED", aside.c_str());
}

std::string WallAside(const Ratio& ratio) {
    char text[48];
    std::snprintf(text, sizeof text, "(wall-clock ratio %.2f)", ratio.wall);
    return text;
}

// The goals for one way of running the store ("store" or "store-sized").
void PrintStoreGoals(const Results& results, const std::vector<int>& scales,
                     const std::string& reader, const char* title) {
    const Measurement* store1 = results.Find(1, reader);
    if (store1 == nullptr) return;
    std::printf("   %s\n", title);
    const Measurement* inih1 = results.Find(1, "inih");
    if (inih1 != nullptr) {
        const Ratio ratio = TimeRatio(*store1, *inih1);
        PrintGoal("store time / inih time (1x)", ratio.cpu, "<=", kMaxStoreOverInih,
                  WallAside(ratio));
    }
    if (const Measurement* kept = results.Find(1, "kept-bytes"); kept && inih1) {
        // Where the goal above stands against the floor: reading and keeping the bytes alone.
        const Ratio floor = TimeRatio(*kept, *inih1);
        std::printf("   %-50s %7.2f   (the least any reader that keeps its bytes pays)  %s\n",
                    "  floor: bytes read and kept / inih (1x)", floor.cpu,
                    WallAside(floor).c_str());
        const Ratio above = TimeRatio(*store1, *kept);
        std::printf("   %-50s %7.2f   %s\n", "  store time / that floor (1x)", above.cpu,
                    WallAside(above).c_str());
    }
    if (const Measurement* qt = results.Find(1, "qsettings")) {
        const Ratio ratio = TimeRatio(*qt, *store1);
        PrintGoal("QSettings time / store time (1x)", ratio.cpu, ">=", kMinQSettingsOverStore,
                  WallAside(ratio));
    }
    for (int scale : scales) {
        const Measurement* store = results.Find(scale, reader);
        if (scale == 1 || store == nullptr) continue;
        const Ratio ratio = TimeRatio(*store, *store1);
        char what[80];
        std::snprintf(what, sizeof what, "store time %dx / 1x (%.2f s / %.2f s)", scale,
                      store->cpuSeconds, store1->cpuSeconds);
        std::printf("   %-50s %7.2f   linear would be %d  %s\n", what, ratio.cpu, scale,
                    WallAside(ratio).c_str());
        const Measurement* inih = results.Find(scale, "inih");
        if (inih1 == nullptr || inih == nullptr) continue;
        const Ratio inihRatio = TimeRatio(*inih, *inih1);
        std::snprintf(what, sizeof what, "  that / inih's own %dx / 1x (%.2f)", scale,
                      inihRatio.cpu);
        PrintGoal(what, ratio.cpu / inihRatio.cpu, "<=", kMaxGrowthOverInih, "");
    }
    for (int scale : scales) {
        const Measurement* store = results.Find(scale, reader);
        if (store == nullptr) continue;
        const double corpus = static_cast<double>(results.corpusBytes.at(scale));
        char what[80];
        std::snprintf(what, sizeof what, "store peak memory / corpus (%dx: %.0f / %.0f MiB)",
                      scale, store->PeakGrowthBytes() / kMiB, corpus / kMiB);
        PrintGoal(what, store->PeakGrowthBytes() / corpus, "<=", kMaxPeakOverCorpus, "");
    }
}

void PrintGoals(const Results& results, const std::vector<int>& scales) {
    std::printf("\n== goals (time ratios by CPU time)\n");
    if (results.Find(1, "store") == nullptr) {
        std::printf("   no store measurement at 1x: nothing to compare\n");
        return;
    }
    if (const Measurement* inih1 = results.Find(1, "inih")) {
        for (int scale : scales) {
            const Measurement* inih = results.Find(scale, "inih");
            if (scale == 1 || inih == nullptr) continue;
            char what[80];
            std::snprintf(what, sizeof what, "reference: inih time %dx / 1x", scale);
            const Ratio ratio = TimeRatio(*inih, *inih1);
            std::printf("   %-50s %7.2f   (how this machine itself scales)  %s\n", what, ratio.cpu,
                        WallAside(ratio).c_str());
        }
    }
    PrintStoreGoals(results, scales, "store",
                    "store with the default index (a first run: the index grows as needed)");
    if (const Measurement* stats = results.Find(1, "zamini-stats")) {
        const Ratio ratio = TimeRatio(*stats, *results.Find(1, "store"));
        PrintGoal("zamini stats time / store load time (1x)", ratio.cpu, "<=", kMaxStatsOverLoad,
                  WallAside(ratio));
    }
    PrintStoreGoals(results, scales, "store-sized",
                    "store with the index presized to 4x the lines (every later run)");
}

int Generate(const Options& options) {
    GrowingCorpus corpus(options.generateFolder, options.megabytes * 1024 * 1024, options.seed);
    corpus.GrowTo(options.copies);
    const std::string listFile = (fs::path(options.generateFolder) / "files.txt").string();
    WriteFileList(listFile, corpus.Stats().paths);
    PrintCorpus(options.copies, corpus.Stats(), corpus.GenerateSeconds());
    std::printf("file list: %s (for --child READER %s)\n", listFile.c_str(), listFile.c_str());
    return 0;
}

int RunBenchmark(const Options& options) {
    const std::vector<LoaderKind>& loaders = AvailableLoaders();
    if (loaders.empty()) {
        std::printf("no INI readers built in: nothing to measure\n");
        return 0;
    }
    std::printf("INI load benchmark: each scale adds installations of about %llu MiB (seed %llu)\n"
                "every reader reads each file from the file system (warm page cache); each load "
                "runs in its own child process\n"
                "times are the CPU time (user + system) of the load; wall-clock time is shown "
                "beside it\n"
                "* = best of %d runs at 1x; larger corpora are loaded once\n",
                static_cast<unsigned long long>(options.megabytes),
                static_cast<unsigned long long>(options.seed), options.repeat);
    if (FindLoader("store") == nullptr) std::printf("the store is not built yet: skipping it\n");
    std::fflush(stdout);

    TempFolder temp(options.keep);
    const std::uint64_t bytesPerCopy = options.megabytes * 1024 * 1024;
    std::vector<int> scales;
    for (int scale : options.scales) {
        const std::uint64_t need = DiskNeed(bytesPerCopy * static_cast<std::uint64_t>(scale));
        const std::uint64_t available = fs::space(temp.Path()).available;
        if (need > available) {
            std::printf("skipping %dx and larger: needs about %.0f MiB of free disk in %s, "
                        "%.0f MiB free\n",
                        scale, static_cast<double>(need) / kMiB, temp.Path().c_str(),
                        static_cast<double>(available) / kMiB);
            break;
        }
        scales.push_back(scale);
    }

    GrowingCorpus corpus(temp.Path(), bytesPerCopy, options.seed);
    Results results;
    TimeLimits limits(options.timeLimit);
    for (int scale : scales) {
        corpus.GrowTo(scale);
        if (gInterrupted) break;
        const std::string listFile =
            (temp.Path() / ("files-" + std::to_string(scale) + "x.txt")).string();
        WriteFileList(listFile, corpus.Stats().paths);
        results.corpusBytes[scale] = corpus.Stats().bytes;
        PrintCorpus(scale, corpus.Stats(), corpus.GenerateSeconds());
        LoaderHints hints;
        hints.indexSize = static_cast<std::int32_t>(
            std::min<std::uint64_t>(4 * corpus.Stats().lines, 0x7FFFFFFE));
        for (const LoaderKind& kind : loaders) {
            // QSettings is the slow reference, and the statistics are held to the load at the
            // benchmark's own size: one scale is enough for their ratios.
            if (scale > 1 && !kind.everyScale) continue;
            const int runs = scale == 1 ? options.repeat : 1;
            const Measurement m =
                MeasureBest(kind, listFile, hints, runs, limits.For(kind.name, scale));
            if (gInterrupted) break;
            PrintRow(kind, m, corpus.Stats(), runs);
            results.byScale[scale][kind.name] = m;
            limits.Record(kind.name, scale, m);
        }
        if (gInterrupted) break;
    }
    if (gInterrupted) {
        std::printf("\ninterrupted: removing the corpus\n");
        return 130;
    }
    PrintGoals(results, scales);
    std::printf("\nremoving the corpus\n");
    std::fflush(stdout);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        if ((argc == 4 || argc == 5) && std::strcmp(argv[1], kChildFlag) == 0) {
            LoaderHints hints;
            if (argc == 5) hints.indexSize = std::atoi(argv[4]);
            return RunChildLoad(argv[2], argv[3], hints);
        }
        std::signal(SIGINT, OnInterrupt);
        std::signal(SIGTERM, OnInterrupt);
        const Options options = ParseOptions(argc, argv);
        if (!options.generateFolder.empty()) return Generate(options);
        return RunBenchmark(options);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_ini_load: %s\n", e.what());
        return 1;
    }
}
