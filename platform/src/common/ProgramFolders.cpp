#include "zam/platform/FileSystem.h"
#include "zam/platform/Paths.h"
#include "zam/platform/Text.h"

namespace zam::platform {

ProgramFolders FoldersOfProgram(std::string_view programFolder) {
    const ProgramFolders portable{std::string(programFolder), std::string(programFolder), false};
    if (programFolder.empty() || !IsSeparator(programFolder.back())) return portable;
    const std::string_view folder = programFolder.substr(0, programFolder.size() - 1);
    if (UpperCase(NameOf(folder)) != "BIN") return portable;
    const char separator = programFolder.back();
    const std::string shipped = FolderOf(folder) + "share" + separator + "zamdeck" + separator;
    if (!Fs().FolderExists(shipped)) return portable;
    const std::string settings = UserSettingsFolder();
    // Without a home of any kind there is nowhere else to write: stay beside the programs.
    if (settings.empty()) return portable;
    return {shipped, settings, true};
}

}  // namespace zam::platform
