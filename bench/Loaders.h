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

// What the parent tells a reader before it loads.
struct LoaderHints {
    // Hash index size for "store-sized": what the front end itself would use after a first run
    // over the same files (four times the keys it held). 0 when unknown.
    std::int32_t indexSize = 0;
};

struct LoaderKind {
    const char* name;   // command-line name: "store", "store-sized", "inih", "qsettings", ...
    const char* label;  // table label
    std::unique_ptr<Loader> (*make)(const LoaderHints& hints);
    bool everyScale;  // measured at every scale, not only at 1x
};

// The readers this build has, the store first.
const std::vector<LoaderKind>& AvailableLoaders();
const LoaderKind* FindLoader(std::string_view name);

// The store with the default index of 10000 slots, which grows as the files come in.
std::unique_ptr<Loader> MakeStoreLoader(const LoaderHints& hints);
// The store with its index sized from the hints, as on every run after the first.
std::unique_ptr<Loader> MakeSizedStoreLoader(const LoaderHints& hints);
// `zamini stats` over the files: the tool's own command, its load and then its statistics.
std::unique_ptr<Loader> MakeStatsLoader(const LoaderHints& hints);
std::unique_ptr<Loader> MakeInihLoader(const LoaderHints& hints);
// Every file read and kept, nothing parsed: what keeping the bytes alone costs.
std::unique_ptr<Loader> MakeKeptBytesLoader(const LoaderHints& hints);
std::unique_ptr<Loader> MakeQSettingsLoader(const LoaderHints& hints);

}  // namespace zam::bench
