#include "ChildRun.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "Loaders.h"

namespace zam::bench {

namespace {

std::vector<std::string> ReadFileList(const std::string& listFile) {
    std::ifstream in(listFile);
    if (!in) throw std::runtime_error("cannot read the file list " + listFile);
    std::vector<std::string> paths;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty()) paths.push_back(line);
    }
    return paths;
}

struct Usage {
    std::int64_t maxRssKb;
    double cpuSeconds;
};

double Seconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

Usage CurrentUsage() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return {usage.ru_maxrss, Seconds(usage.ru_utime) + Seconds(usage.ru_stime)};
}

}  // namespace

int RunChildLoad(const std::string& loaderName, const std::string& listFile,
                 const LoaderHints& hints) {
    const LoaderKind* kind = FindLoader(loaderName);
    if (kind == nullptr) {
        std::fprintf(stderr, "unknown reader %s\n", loaderName.c_str());
        return 2;
    }
    const std::vector<std::string> files = ReadFileList(listFile);
    std::unique_ptr<Loader> loader = kind->make(hints);

    const Usage before = CurrentUsage();
    const auto start = std::chrono::steady_clock::now();
    loader->Load(files);
    const auto stop = std::chrono::steady_clock::now();
    const Usage after = CurrentUsage();

    const LoadSummary summary = loader->Summary();
    std::printf("RESULT %.6f %.6f %lld %lld %llu\n",
                std::chrono::duration<double>(stop - start).count(),
                after.cpuSeconds - before.cpuSeconds, static_cast<long long>(before.maxRssKb),
                static_cast<long long>(after.maxRssKb),
                static_cast<unsigned long long>(summary.entries));
    std::printf("NOTE %s\n", summary.note.c_str());
    std::fflush(stdout);
    // Tearing down a large store is not part of loading it.
    std::_Exit(0);
}

Measurement MeasureInChild(const std::string& loaderName, const std::string& listFile,
                           const LoaderHints& hints, double timeoutSeconds) {
    const ChildProcess child = RunSelf(
        {"bench_ini_load", kChildFlag, loaderName, listFile, std::to_string(hints.indexSize)},
        timeoutSeconds);
    Measurement m;
    std::istringstream lines(child.output);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("RESULT ", 0) == 0) {
            long long base = 0, peak = 0;
            unsigned long long entries = 0;
            m.ok = std::sscanf(line.c_str(), "RESULT %lf %lf %lld %lld %llu", &m.seconds,
                               &m.cpuSeconds, &base, &peak, &entries) == 5;
            m.baseKb = base;
            m.peakKb = peak;
            m.entries = entries;
        } else if (line.rfind("NOTE ", 0) == 0) {
            m.note = line.substr(5);
        }
    }
    m.failure = child.Failure(timeoutSeconds);
    if (!m.failure.empty())
        m.ok = false;
    else if (!m.ok)
        m.failure = "no result printed";
    return m;
}

void WriteFileList(const std::string& listFile, const std::vector<std::string>& paths) {
    std::ofstream out(listFile, std::ios::trunc);
    for (const std::string& path : paths) out << path << '\n';
    if (!out) throw std::runtime_error("cannot write the file list " + listFile);
}

}  // namespace zam::bench
