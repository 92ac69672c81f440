// zamini setups: shows and sets the chosen setups in a Setups.def, writing it as the front end's
// write-back does.
#include <filesystem>
#include <string>
#include <vector>

#include "zam/model/SetupsDef.h"
#include "zam/platform/Paths.h"
#include "zam/tools/Command.h"

namespace zam::tools {

namespace {

constexpr const char* kUsage = "DEF [SECTION ENTRY=NAME...]";

int UsageError(std::ostream& err, const std::string& problem) {
    err << "zamini setups: " << problem << "\nusage: zamini setups " << kUsage << '\n';
    return kExitUsage;
}

int PrintSetups(const std::string& def, std::ostream& out, std::ostream& err) {
    SetupNames names;
    const platform::Status status =
        ReadSetupsDefFile(platform::LogicalFromNative(std::filesystem::path(def)), names);
    if (!status) {
        err << "zamini setups: cannot read " << def << ": " << status.description << '\n';
        return kExitFailure;
    }
    const auto& slots = SetupSlots();
    for (std::size_t i = 0; i < slots.size(); ++i)
        out << slots[i].section << '\t' << slots[i].entry << '\t' << names[i] << '\n';
    return kExitOk;
}

int SetSetups(const std::vector<std::string>& args, std::ostream& err) {
    const std::string& def = args[0];
    const std::string& section = args[1];
    struct Assignment {
        int slot;
        std::string name;
    };
    std::vector<Assignment> assignments;
    for (std::size_t i = 2; i < args.size(); ++i) {
        const std::size_t eq = args[i].find('=');
        if (eq == std::string::npos) return UsageError(err, "expected ENTRY=NAME: " + args[i]);
        const std::string entry = args[i].substr(0, eq);
        const int slot = SetupSlotIndex(section, entry);
        if (slot < 0) return UsageError(err, "no slot " + section + " " + entry);
        assignments.push_back({slot, args[i].substr(eq + 1)});
    }

    const std::string path = platform::LogicalFromNative(std::filesystem::path(def));
    SetupNames names;
    platform::Status status = ReadSetupsDefFile(path, names);
    if (!status && status.code != platform::kFileNotFound) {
        err << "zamini setups: cannot read " << def << ": " << status.description << '\n';
        return kExitFailure;
    }
    for (const auto& a : assignments) names[static_cast<std::size_t>(a.slot)] = a.name;
    status = WriteSetupsDefFile(path, names);
    if (!status) {
        err << "zamini setups: cannot write " << def << ": " << status.description << '\n';
        return kExitFailure;
    }
    return kExitOk;
}

int RunSetups(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) return UsageError(err, "missing DEF");
    if (args.size() == 1) return PrintSetups(args[0], out, err);
    if (args.size() == 2) return UsageError(err, "missing ENTRY=NAME");
    return SetSetups(args, err);
}

}  // namespace

std::vector<Command> SetupCommands() { return {{"setups", kUsage, RunSetups}}; }

}  // namespace zam::tools
