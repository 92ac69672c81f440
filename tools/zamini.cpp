// zamini: scriptable access to the settings store, the engine tables and the setup index.
#include <iostream>
#include <string>
#include <vector>

#include "zam/Version.h"
#include "zam/tools/Command.h"

namespace {

std::vector<zam::tools::Command> AllCommands() {
    std::vector<zam::tools::Command> all;
    for (auto group : {zam::tools::IniCommands, zam::tools::EngineCommands,
                       zam::tools::SetupCommands, zam::tools::RestoreCommands,
                       zam::tools::DemoCommands}) {
        for (auto& c : group()) all.push_back(std::move(c));
    }
    return all;
}

int Usage(const std::vector<zam::tools::Command>& commands) {
    std::cerr << "usage:\n";
    for (const auto& c : commands) std::cerr << "  zamini " << c.name << ' ' << c.usage << '\n';
    std::cerr << "  zamini --version\n";
    return zam::tools::kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    const auto commands = AllCommands();
    if (argc < 2) return Usage(commands);
    const std::string name = argv[1];
    if (name == "--version") {
        std::cout << "zamini " << zam::kVersionText << '\n';
        return zam::tools::kExitOk;
    }
    for (const auto& c : commands) {
        if (c.name != name) continue;
        std::vector<std::string> args(argv + 2, argv + argc);
        return c.run(args, std::cout, std::cerr);
    }
    std::cerr << "zamini: unknown command \"" << name << "\"\n";
    return Usage(commands);
}
