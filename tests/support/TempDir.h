#pragma once
// A temporary folder for one test, removed with everything in it when the test ends. Tests never
// write anywhere else.
#include <filesystem>
#include <string>
#include <string_view>

namespace zam::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The folder as a logical path ending in a separator, for building store keys.
    std::string logical() const;
    // Native path of a file below the folder; `relative` may use backslashes.
    std::filesystem::path file(std::string_view relative) const;
    // Writes bytes exactly (creating folders on the way) and returns the native path.
    std::filesystem::path write(std::string_view relative, std::string_view bytes) const;
    std::string read(std::string_view relative) const;
    bool exists(std::string_view relative) const;

private:
    std::filesystem::path path_;
};

// Makes the folder the current directory for the scope and restores the previous one after.
class ScopedCurrentDir {
public:
    explicit ScopedCurrentDir(const std::filesystem::path& dir);
    ~ScopedCurrentDir();
    ScopedCurrentDir(const ScopedCurrentDir&) = delete;
    ScopedCurrentDir& operator=(const ScopedCurrentDir&) = delete;

private:
    std::filesystem::path previous_;
};

std::string ReadNative(const std::filesystem::path& p);
// The shared corpus of INI files nobody on this project wrote: the folder $ZAM_CORPUS_DIR names,
// else the shared folder beside the source tree (which a clone elsewhere does not have).
// `required` is true when the variable named it: a run that sets it must not skip those tests.
struct Corpus {
    std::filesystem::path folder;
    bool required = false;
};
Corpus CorpusDir();

}  // namespace zam::test
