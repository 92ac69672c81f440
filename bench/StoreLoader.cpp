// The store as the front end uses it: one IniStore, every file read with ReadIniFile under its own
// path as the store key. On a first run the index starts at its default size and grows; on later
// runs the front end sizes it from the previous run's count. The load ends with one counted
// look-up, as when the window first reads a setting after start-up: whatever the index leaves
// for later is paid there, so it belongs to the load.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <sstream>
#include <string>

#include "Loaders.h"
#include "SilentUi.h"
#include "zam/store/Globals.h"
#include "zam/store/IniStore.h"
#include "zam/tools/Command.h"

namespace zam::bench {

namespace {

class StoreLoader final : public Loader {
public:
    explicit StoreLoader(std::int32_t indexSize) : indexSize_(indexSize) {}

    // The store is created here, so that its empty index counts in the load's time and memory.
    void Load(const std::vector<std::string>& files) override {
        store_.emplace(ui_, indexSize_);
        for (const std::string& file : files) store_->ReadIniFile(file);
        if (files.empty()) return;
        const auto start = std::chrono::steady_clock::now();
        InitialisingScope running(false);
        found_ = store_->LocateIniEntry(files.front(), "Sound", "volume", false).found();
        firstLookUpSeconds_ =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }

    LoadSummary Summary() override {
        LoadSummary summary;
        for (std::int32_t file = 1; file <= store_->FileCount(); ++file) {
            for (std::int32_t section = 1; section <= store_->SectionCount(file); ++section) {
                summary.entries += static_cast<std::uint64_t>(store_->EntryCount(file, section));
            }
        }
        summary.note = std::to_string(store_->FileCount()) + " files, index " +
                       std::to_string(store_->OccupiedSlots()) + " of " +
                       std::to_string(store_->IndexSize() + 1) + " slots used, " +
                       std::to_string(ui_.messages) + " messages";
        if (ui_.messages > 0) summary.note += " (first: " + ui_.firstMessage + ")";
        char lookUp[96];
        std::snprintf(lookUp, sizeof lookUp, "; first counted look-up %.3f s (%s)",
                      firstLookUpSeconds_, found_ ? "found" : "not found");
        summary.note += lookUp;
        return summary;
    }

private:
    std::int32_t indexSize_;
    SilentUi ui_;
    std::optional<IniStore> store_;
    double firstLookUpSeconds_ = 0;
    bool found_ = false;
};

// zamini's own "stats" command, its report kept in memory: what a user waits for when they ask
// the tool for the index statistics of these files.
class StatsLoader final : public Loader {
public:
    void Load(const std::vector<std::string>& files) override {
        for (const tools::Command& command : tools::IniCommands())
            if (command.name == "stats") exitCode_ = command.run(files, out_, err_);
    }

    LoadSummary Summary() override {
        LoadSummary summary;
        std::istringstream report(out_.str());
        for (std::string line; std::getline(report, line);) {
            if (line.rfind("Entries: ", 0) == 0) summary.entries = std::stoull(line.substr(9));
            if (line.rfind("Average probe steps", 0) == 0 || line.rfind("Longest probe", 0) == 0)
                summary.note += line + "; ";
        }
        summary.note += "exit code " + std::to_string(exitCode_);
        if (!err_.str().empty()) summary.note += ", " + err_.str().substr(0, err_.str().find('\n'));
        return summary;
    }

private:
    std::ostringstream out_;
    std::ostringstream err_;
    int exitCode_ = -1;
};

}  // namespace

std::unique_ptr<Loader> MakeStatsLoader(const LoaderHints&) {
    return std::make_unique<StatsLoader>();
}

std::unique_ptr<Loader> MakeStoreLoader(const LoaderHints&) {
    return std::make_unique<StoreLoader>(kDefaultIndexSize);
}

std::unique_ptr<Loader> MakeSizedStoreLoader(const LoaderHints& hints) {
    return std::make_unique<StoreLoader>(std::max(hints.indexSize, kDefaultIndexSize));
}

}  // namespace zam::bench
