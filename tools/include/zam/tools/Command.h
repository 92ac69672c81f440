#pragma once
// zamini's sub-commands. Each group of commands lives in its own source file and hands its table
// to the dispatcher in zamini.cpp.
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace zam::tools {

// Exit statuses of every sub-command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // an I/O failure or an inconsistency, with a message
inline constexpr int kExitUsage = 2;    // wrong arguments, with a usage text

struct Command {
    std::string name;
    std::string usage;  // the argument part of the usage line, e.g. "FILE SECTION ENTRY"
    // Arguments after the command name; output goes to `out`, messages to `err`.
    std::function<int(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)>
        run;
};

// get, set, delete, normalize, dump, hash, stats
std::vector<Command> IniCommands();
// engines
std::vector<Command> EngineCommands();
// setups
std::vector<Command> SetupCommands();
// restore
std::vector<Command> RestoreCommands();
// make-demo
std::vector<Command> DemoCommands();

}  // namespace zam::tools
