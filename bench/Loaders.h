#pragma once
// The INI readers the load benchmark compares. Each one loads a list of files from disk the way
// its library does it (the store through ReadIniFile, inih through ini_parse, QSettings through
// its IniFormat reader) and can afterwards say what it found.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zam::bench {

struct LoadSummary {
    std::uint64_t entries = 0;  // what the reader counts as entries (its own notion)
    std::string note;           // one line of detail: errors, index size, ...
};

class Loader {
public:
    virtual ~Loader() = default;
    virtual void Load(const std::vector<std::string>& files) = 0;
    virtual LoadSummary Summary() = 0;
};

struct LoaderKind {
    const char* name;   // command-line name: "store", "inih", "qsettings"
    const char* label;  // table label
    std::unique_ptr<Loader> (*make)();
};

// The readers this build has, the store first.
const std::vector<LoaderKind>& AvailableLoaders();
const LoaderKind* FindLoader(std::string_view name);

std::unique_ptr<Loader> MakeStoreLoader();
std::unique_ptr<Loader> MakeInihLoader();
std::unique_ptr<Loader> MakeQSettingsLoader();

}  // namespace zam::bench
