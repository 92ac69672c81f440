#pragma once
// Running this benchmark program again as a child process and watching it from outside.
#include <string>
#include <vector>

namespace zam::bench {

// One run of this program as a child process, seen from outside: what it printed on its standard
// output, how it ended, and its whole life's wall-clock and CPU time (user + system, from wait4),
// from before it was forked until it was reaped.
struct ChildProcess {
    std::string output;
    int status = 0;  // as waitpid gives it
    bool timedOut = false;
    double wallSeconds = 0;
    double cpuSeconds = 0;

    // Empty when the child ended normally with status 0; otherwise why not.
    std::string Failure(double timeoutSeconds) const;
};

// Runs this program again (/proc/self/exe) with `args` (args[0] is its name) and waits for it. A
// child still running after `timeoutSeconds` is killed.
ChildProcess RunSelf(const std::vector<std::string>& args, double timeoutSeconds);

}  // namespace zam::bench
