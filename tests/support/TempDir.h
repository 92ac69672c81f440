#pragma once
// A temporary folder for one test, removed with everything in it when the test ends. Tests never
// write anywhere else.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

namespace zam::test {

inline std::string ReadNative(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + p.string());
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class TempDir {
public:
    // A new folder of a name nobody else has: creating it fails when it exists, so two tests (or
    // two test processes) never share one.
    TempDir() {
        std::random_device seed;
        std::mt19937_64 random(seed());
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::filesystem::path candidate =
                std::filesystem::temp_directory_path() /
                ("zamtest-" + std::to_string(random() % 1000000000000ULL));
            std::error_code ec;
            if (std::filesystem::create_directory(candidate, ec)) {
                path_ = candidate;
                return;
            }
        }
        throw std::runtime_error("cannot create a temporary folder");
    }
    ~TempDir() {
        namespace fs = std::filesystem;
        std::error_code ec;
        // Make everything writable again first: tests clear write permissions on purpose.
        for (auto it = fs::recursive_directory_iterator(path_, ec); !ec && it != fs::end(it);
             it.increment(ec)) {
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        }
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The folder as a logical path ending in a separator, for building store keys.
    std::string logical() const { return path_.string() + "/"; }
    // Native path of a file below the folder; `relative` may use backslashes.
    std::filesystem::path file(std::string_view relative) const {
        std::string rel(relative);
        for (char& c : rel)
            if (c == '\\') c = '/';
        return path_ / rel;
    }
    // Writes bytes exactly (creating folders on the way) and returns the native path.
    std::filesystem::path write(std::string_view relative, std::string_view bytes) const {
        std::filesystem::path p = file(relative);
        std::filesystem::create_directories(p.parent_path());
        std::ofstream out(p, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) throw std::runtime_error("cannot write " + p.string());
        return p;
    }
    std::string read(std::string_view relative) const { return ReadNative(file(relative)); }
    bool exists(std::string_view relative) const { return std::filesystem::exists(file(relative)); }

private:
    std::filesystem::path path_;
};

// Makes the folder the current directory for the scope and restores the previous one after.
class ScopedCurrentDir {
public:
    explicit ScopedCurrentDir(const std::filesystem::path& dir)
        : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(dir);
    }
    ~ScopedCurrentDir() {
        std::error_code ec;
        std::filesystem::current_path(previous_, ec);
    }
    ScopedCurrentDir(const ScopedCurrentDir&) = delete;
    ScopedCurrentDir& operator=(const ScopedCurrentDir&) = delete;

private:
    std::filesystem::path previous_;
};

// The shared corpus of INI files nobody on this project wrote: the folder $ZAM_CORPUS_DIR names,
// else the shared folder beside the source tree (which a clone elsewhere does not have).
// `required` is true when the variable named it: a run that sets it must not skip those tests.
struct Corpus {
    std::filesystem::path folder;
    bool required = false;
};
inline Corpus CorpusDir() {
    const char* named = std::getenv("ZAM_CORPUS_DIR");
    if (named != nullptr && *named != '\0') return {std::filesystem::path(named), true};
    return {std::filesystem::path(ZAM_CORPUS_DIR), false};
}

}  // namespace zam::test
