#include "zam/store/Common.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "zam/platform/CommandFile.h"
#include "zam/platform/FileSystem.h"
#include "zam/platform/Paths.h"
#include "zam/platform/Process.h"
#include "zam/platform/Text.h"

namespace zam {

namespace {

constexpr std::size_t kSearchChunk = 1 << 16;

}  // namespace

bool StartProgram(UserInterface& ui, std::string_view commandLine, platform::ProcessId& id) {
    platform::Status started = platform::Processes().Start(commandLine, id);
    if (started.ok()) return true;
    // A missing folder of the program (Windows says "path not found") is as much "not found".
    const bool missing =
        started.code == platform::kFileNotFound || started.code == platform::kPathNotFound;
    const std::string headline = missing ? "Utility Not Found" : "The utility could not be started.";
    const platform::RunFailure failure{"", std::string(commandLine), platform::CurrentDirectory(),
                                       started.description};
    ui.ShowMessage(headline + "\r\n\r\n" + platform::RunFailureDetails(failure),
                   std::string(kAppTitle) + " Error");
    return false;
}

void RunAndWait(UserInterface& ui, std::string_view commandLine) {
    platform::ProcessId id;
    if (!StartProgram(ui, commandLine, id) || id.value == 0) return;
    // A process that cannot be waited for is not waited for.
    ui.WaitUntil([id] {
        bool ended = false;
        platform::ProcessExit exit;
        return !platform::Processes().Poll(id, ended, exit) || ended;
    });
}

void ShowMessage(UserInterface& ui, const std::string& text, bool endProgram) {
    ui.ShowMessage(text, kAppTitle);
    if (endProgram) ui.EndProgram();
}

bool FileExists(std::string_view path) { return platform::Fs().FileExists(path); }

void CopyFiles(UserInterface& ui, std::string_view sourceFolder, std::string_view targetFolder,
               std::string_view simulatorFolder) {
    auto& fs = platform::Fs();
    const std::string source(sourceFolder);
    std::vector<std::string> names;
    platform::Status status = fs.List(source + "*.*", platform::kListFiles, names);
    for (std::size_t i = 0; status.ok() && i < names.size(); ++i) {
        const std::string& name = names[i];
        if (platform::TrimSpaces(name).substr(0, 1) == ".") continue;
        std::string_view folder =
            platform::UpperCase(name) == "HCOPY.PBF" ? simulatorFolder : targetFolder;
        status = fs.Copy(source + name, std::string(folder) + name);
    }
    if (!status.ok()) ui.ShowMessage(status.description + " in CopyFiles", kAppTitle);
}

// The file is read in large chunks; each chunk after the first starts with the last n-1 bytes
// of the one before, so a match across a chunk border is found.
std::int64_t FindString(UserInterface& ui, std::string_view path, std::int64_t start,
                        std::string_view text) {
    if (text.empty()) return 0;
    auto& fs = platform::Fs();
    auto fail = [&](const platform::Status& status) {
        ui.ShowMessage(status.description + " in FindString", kAppTitle);
        return std::int64_t{0};
    };
    std::uint64_t size = 0;
    platform::Status status = fs.Size(path, size);
    if (!status.ok()) return fail(status);
    std::uint64_t offset = static_cast<std::uint64_t>(std::max<std::int64_t>(start, 1) - 1);
    std::string chunk;
    while (offset < size) {
        status = fs.ReadAt(path, offset, kSearchChunk + text.size() - 1, chunk);
        if (!status.ok()) return fail(status);
        if (chunk.size() < text.size()) break;
        std::size_t at = chunk.find(text);
        if (at != std::string::npos) return static_cast<std::int64_t>(offset + at);
        offset += chunk.size() - (text.size() - 1);
        if (chunk.size() < kSearchChunk + text.size() - 1) break;  // that was the end
    }
    return 0;
}

std::string ProperCase(std::string_view text) {
    std::string result(platform::TrimSpaces(text));
    for (std::size_t i = 0; i < result.size(); ++i)
        if (i == 0 || result[i - 1] == ' ') result[i] = platform::UpperChar(result[i]);
    return result;
}

std::string StripTabs(std::string_view text) {
    std::string result(text);
    result.erase(std::remove(result.begin(), result.end(), '\t'), result.end());
    return result;
}

std::string StripSpaces(std::string_view text) {
    std::string result(text);
    result.erase(std::remove(result.begin(), result.end(), ' '), result.end());
    return result;
}

// The time is rounded to ten-thousandths first, so a fraction that rounds up carries into the
// seconds and minutes (59.99999 s gives 1:00.0000, not 0:59 followed by 1.0000). The decimal
// separator is always ".": the simulator and every file of the program write times that way,
// whatever the locale says.
std::string FormatLapTime(double seconds) {
    if (!std::isfinite(seconds)) seconds = 0;
    std::string sign = seconds < 0 ? "-" : "";
    auto ticks = static_cast<long long>(std::llround(std::fabs(seconds) * 10000.0));
    long long minutes = ticks / 600000;
    long long rest = ticks % 600000;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s%lld:%02lld.%04lld", sign.c_str(), minutes,
                  rest / 10000, rest % 10000);
    return buffer;
}

std::string UntrappedErrorText(int number, const std::string& description,
                               const std::string& routine) {
    std::string text = "Untrapped error ";
    if (number >= 0) text += ' ';  // a number is printed with a leading blank or its minus sign
    text += std::to_string(number);
    text += ' ';
    text += description;
    text += "\r in ";
    text += routine;
    return text;
}

}  // namespace zam
