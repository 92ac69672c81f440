#pragma once
// The cached store position of a bound entry. Positions never change during a run, so a control
// that shows its entry on every refresh looks it up by name only once; a missing entry is looked
// for again at every read until it exists.
#include <string>

#include "zam/store/IniStore.h"

namespace zam::controls {

class EntryPosition {
public:
    // Marks the cache stale; call when the binding changes.
    void Invalidate() { stale_ = true; }
    bool Stale() const { return stale_; }

    // The stored text of the entry at `fullPath`, `section`, `entry` (empty when missing).
    // A binding part that is empty or still unfilled ("?") finds nothing and is never looked up,
    // so no placeholder section or entry is ever created in a user's file.
    std::string Read(IniStore& store, const std::string& fullPath, const std::string& file,
                     const std::string& section, const std::string& entry);

private:
    bool stale_ = true;
    IniPosition position_;
};

}  // namespace zam::controls
