#pragma once
// Runs one zamini command in the test process, through its command table as the dispatcher runs
// it, and gives its exit code and what it printed. For the suites that link the tools.
//
//   const zam::test::CommandRun run = zam::test::RunCommand(zam::tools::IniCommands(), "get", {...});
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "zam/tools/Command.h"

namespace zam::test {

struct CommandRun {
    int code = -1;
    std::string out, err;
};

inline CommandRun RunCommand(const std::vector<tools::Command>& commands, const std::string& name,
                             const std::vector<std::string>& args) {
    for (const auto& command : commands) {
        if (command.name != name) continue;
        std::ostringstream out, err;
        const int code = command.run(args, out, err);
        return {code, out.str(), err.str()};
    }
    ADD_FAILURE() << "no command " << name;
    return {};
}

}  // namespace zam::test
