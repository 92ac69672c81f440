#include "zam/tools/DemoInstallation.h"

#include <fstream>
#include <stdexcept>
#include <system_error>

#include "DemoParts.h"

namespace zam::tools {

namespace fs = std::filesystem;

namespace demo {

fs::path DemoWriter::Native(std::string_view relative) const {
    return root_ / fs::path(std::string(relative));
}

void DemoWriter::File(std::string_view relative, std::string_view bytes) const {
    const fs::path path = Native(relative);
    fs::create_directories(path.parent_path());
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) throw std::runtime_error("cannot write " + path.string());
}

void DemoWriter::Folder(std::string_view relative) const { fs::create_directories(Native(relative)); }

void DemoWriter::MakeExecutable(std::string_view relative) const {
    fs::permissions(Native(relative),
                    fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec,
                    fs::perm_options::add);
}

IniText& IniText::Section(std::string_view name) {
    if (!text_.empty()) text_ += "\r\n";
    text_ += '[';
    text_ += name;
    text_ += "]\r\n";
    return *this;
}

IniText& IniText::Entry(std::string_view key, std::string_view value) {
    text_ += key;
    text_ += '=';
    text_ += value;
    text_ += "\r\n";
    return *this;
}

IniText& IniText::Entry(std::string_view key, long long value) {
    return Entry(key, std::to_string(value));
}

}  // namespace demo

namespace {

void CheckOptions(const DemoOptions& options) {
    if (options.tracks < 0) throw std::invalid_argument("the number of tracks cannot be negative");
    if (options.players < 0) throw std::invalid_argument("the number of players cannot be negative");
    if (options.simSeconds && *options.simSeconds < 0)
        throw std::invalid_argument("the simulator's run time cannot be negative");
    if (options.version != "1.2.1" && options.version != "1.2.2")
        throw std::invalid_argument("unknown simulator version \"" + options.version +
                                    "\" (1.2.1 or 1.2.2)");
}

// Only a missing or empty folder is ever written into: the generator must never mix its files
// with somebody's real installation.
void CheckTarget(const fs::path& dir) {
    std::error_code ec;
    if (!fs::exists(dir, ec)) return;
    if (!fs::is_directory(dir, ec)) throw std::runtime_error(dir.string() + " is not a folder");
    if (!fs::is_empty(dir, ec) || ec)
        throw std::runtime_error(dir.string() + " is not empty; the demo needs an empty folder");
}

}  // namespace

void MakeDemoInstallation(const fs::path& dir, const DemoOptions& options) {
    CheckOptions(options);
    CheckTarget(dir);
    fs::create_directories(dir);
    const demo::DemoWriter out(dir);
    const auto tracks = demo::DemoTracks(options.tracks);
    const auto players = demo::DemoPlayers(options.players);

    out.File("GPL.EXE", DemoExecutable(options));
    if (options.simSeconds) out.MakeExecutable("GPL.EXE");
    demo::WriteSettings(out, players);
    const std::string holder =
        players.empty() ? std::string("Demo Driver")
                        : players.front().firstName + " " + players.front().lastName;
    demo::WriteSeasonAndTracks(out, tracks, holder);
    demo::WritePlayers(out, players, tracks);
    demo::WriteExtras(out);
}

}  // namespace zam::tools
