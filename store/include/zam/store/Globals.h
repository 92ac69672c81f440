#pragma once

namespace zam {

// True while values are being loaded rather than changed by the user: store writes do not mark
// files as changed, hash look-ups are not counted and window resizes are not saved. Start-up sets
// it, the main window's first paint clears it, and every file read saves and restores it.
inline bool Initialising = false;

// Saves Initialising, sets it to `value`, and restores the saved value when it goes out of scope.
class InitialisingScope {
public:
    explicit InitialisingScope(bool value) : saved_(Initialising) { Initialising = value; }
    ~InitialisingScope() { Initialising = saved_; }
    InitialisingScope(const InitialisingScope&) = delete;
    InitialisingScope& operator=(const InitialisingScope&) = delete;

private:
    bool saved_;
};

}  // namespace zam
