#include "ChildProcess.h"

#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <stdexcept>

namespace zam::bench {

namespace {

double Seconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

}  // namespace

std::string ChildProcess::Failure(double timeoutSeconds) const {
    if (timedOut)
        return "stopped after " + std::to_string(static_cast<int>(timeoutSeconds)) +
               " s without finishing";
    if (WIFSIGNALED(status)) return "killed by signal " + std::to_string(WTERMSIG(status));
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "exit code " + std::to_string(WEXITSTATUS(status));
    return {};
}

ChildProcess RunSelf(const std::vector<std::string>& args, double timeoutSeconds) {
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        dup2(fds[1], STDOUT_FILENO);
        close(fds[0]);
        close(fds[1]);
        execv("/proc/self/exe", argv.data());
        std::_Exit(127);
    }
    close(fds[1]);
    const auto deadline = start + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                      std::chrono::duration<double>(timeoutSeconds));
    ChildProcess child;
    char buffer[4096];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            kill(pid, SIGKILL);
            child.timedOut = true;
            break;
        }
        pollfd watch{fds[0], POLLIN, 0};
        if (poll(&watch, 1, static_cast<int>(std::min<long long>(left.count(), 1000))) <= 0) {
            continue;
        }
        const ssize_t got = read(fds[0], buffer, sizeof buffer);
        if (got > 0) {
            child.output.append(buffer, static_cast<std::size_t>(got));
        } else if (got == 0 || errno != EINTR) {
            break;
        }
    }
    close(fds[0]);
    rusage usage{};
    while (wait4(pid, &child.status, 0, &usage) < 0 && errno == EINTR) {
    }
    child.wallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    child.cpuSeconds = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
    return child;
}

}  // namespace zam::bench
