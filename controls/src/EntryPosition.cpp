#include "zam/controls/EntryPosition.h"

#include "zam/controls/BoundStore.h"

namespace zam::controls {

std::string EntryPosition::Read(IniStore& store, const std::string& fullPath,
                                const std::string& file, const std::string& section,
                                const std::string& entry) {
    if (stale_) {
        position_ = IniPosition{};
        const bool unfilled = file.empty() || section.empty() || entry.empty() ||
                              IsUnfilled(file) || IsUnfilled(section) || IsUnfilled(entry);
        if (!unfilled) {
            position_ = store.LocateIniEntry(fullPath, section, entry, true);
            if (position_.found()) stale_ = false;
        }
    }
    return store.PositionalIniValue(position_);
}

}  // namespace zam::controls
