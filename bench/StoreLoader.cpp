// The store as the front end uses it: one IniStore, every file read with ReadIniFile under its own
// path as the store key. On a first run the index starts at its default size and grows; on later
// runs the front end sizes it from the previous run's count.
#include <algorithm>
#include <string>

#include "Loaders.h"
#include "SilentUi.h"
#include "zam/store/IniStore.h"

namespace zam::bench {

namespace {

class StoreLoader final : public Loader {
public:
    explicit StoreLoader(std::int32_t indexSize) : store_(ui_, indexSize) {}

    void Load(const std::vector<std::string>& files) override {
        for (const std::string& file : files) store_.ReadIniFile(file);
    }

    LoadSummary Summary() override {
        LoadSummary summary;
        for (std::int32_t file = 1; file <= store_.FileCount(); ++file) {
            for (std::int32_t section = 1; section <= store_.SectionCount(file); ++section) {
                summary.entries += static_cast<std::uint64_t>(store_.EntryCount(file, section));
            }
        }
        summary.note = std::to_string(store_.FileCount()) + " files, index " +
                       std::to_string(store_.OccupiedSlots()) + " of " +
                       std::to_string(store_.IndexSize() + 1) + " slots used, " +
                       std::to_string(ui_.messages) + " messages";
        if (ui_.messages > 0) summary.note += " (first: " + ui_.firstMessage + ")";
        return summary;
    }

private:
    SilentUi ui_;
    IniStore store_;
};

}  // namespace

std::unique_ptr<Loader> MakeStoreLoader(const LoaderHints&) {
    return std::make_unique<StoreLoader>(kDefaultIndexSize);
}

std::unique_ptr<Loader> MakeSizedStoreLoader(const LoaderHints& hints) {
    return std::make_unique<StoreLoader>(std::max(hints.indexSize, kDefaultIndexSize));
}

}  // namespace zam::bench
