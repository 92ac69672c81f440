#include "ChildRun.h"

#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
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

Usage CurrentUsage() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return {usage.ru_maxrss, seconds(usage.ru_utime) + seconds(usage.ru_stime)};
}

// Runs argv with its standard output on a pipe; returns what it printed and its wait status. A
// child still running after `timeoutSeconds` is killed and `timedOut` set.
std::string RunCaptured(const std::vector<std::string>& args, double timeoutSeconds, int& status,
                        bool& timedOut) {
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        dup2(fds[1], STDOUT_FILENO);
        close(fds[0]);
        close(fds[1]);
        std::vector<char*> argv;
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv("/proc/self/exe", argv.data());
        std::_Exit(127);
    }
    close(fds[1]);
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                              std::chrono::duration<double>(timeoutSeconds));
    timedOut = false;
    std::string output;
    char buffer[4096];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            kill(pid, SIGKILL);
            timedOut = true;
            break;
        }
        pollfd watch{fds[0], POLLIN, 0};
        if (poll(&watch, 1, static_cast<int>(std::min<long long>(left.count(), 1000))) <= 0) {
            continue;
        }
        const ssize_t got = read(fds[0], buffer, sizeof buffer);
        if (got > 0) {
            output.append(buffer, static_cast<std::size_t>(got));
        } else if (got == 0 || errno != EINTR) {
            break;
        }
    }
    close(fds[0]);
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return output;
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
    int status = 0;
    bool timedOut = false;
    const std::string output =
        RunCaptured({"bench_ini_load", kChildFlag, loaderName, listFile,
                     std::to_string(hints.indexSize)},
                    timeoutSeconds, status, timedOut);
    Measurement m;
    std::istringstream lines(output);
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
    if (timedOut) {
        m.ok = false;
        m.failure = "stopped after " + std::to_string(static_cast<int>(timeoutSeconds)) +
                    " s without finishing";
    } else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        m.ok = false;
        m.failure = WIFSIGNALED(status) ? "killed by signal " + std::to_string(WTERMSIG(status))
                                        : "exit code " + std::to_string(WEXITSTATUS(status));
    } else if (!m.ok) {
        m.failure = "no result printed";
    }
    return m;
}

void WriteFileList(const std::string& listFile, const std::vector<std::string>& paths) {
    std::ofstream out(listFile, std::ios::trunc);
    for (const std::string& path : paths) out << path << '\n';
    if (!out) throw std::runtime_error("cannot write the file list " + listFile);
}

}  // namespace zam::bench
