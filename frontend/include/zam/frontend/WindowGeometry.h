#pragma once
// The main window's size rules. Sizes and positions are kept in ZAM.Ini in twips (1/1440 inch)
// and converted with the screen's logical resolution.
#include <string_view>

namespace zam {

inline constexpr int kMinWindowWidthTwips = 11000;
inline constexpr int kMinWindowHeightTwips = 9120;
inline constexpr int kMinScreenWidthPixels = 800;
inline constexpr int kTwipsPerInch = 1440;
// Room the window system takes around a window (borders, title bar), which is not known before
// the window is first shown: enough for the usual desktops.
inline constexpr int kWindowFrameWidthTwips = 240;
inline constexpr int kWindowFrameHeightTwips = 600;

inline constexpr int kWindowNormal = 0;
inline constexpr int kWindowMinimised = 1;
inline constexpr int kWindowMaximised = 2;

enum class ScreenFit {
    kTooNarrow,  // below 800 pixels: the program cannot work
    kMaximise,   // exactly 800: the window fills the screen
    kFits,
};

ScreenFit FitScreenWidth(int widthPixels);

// "Sorry.  ZAM+ simply doesn't have enough screen space below 800 x 600." (at start-up)
const char* ScreenTooNarrowAtStartMessage();
// "ZAM+ can't work at less than 800 x 600" (on a resize or display change)
const char* ScreenTooNarrowMessage();

// A stored [Window] number: the leading decimal number of the text, 0 when there is none.
int StoredTwips(std::string_view text);

// The stored geometry after the restore rules: no negative position, no size below the minimum.
// The flags tell which entries hold anything at all: a missing or blank entry stores nothing.
struct WindowTwips {
    int left = 0;
    int top = 0;
    int width = kMinWindowWidthTwips;
    int height = kMinWindowHeightTwips;
    bool maximised = false;
    bool positionStored = false;
    bool widthStored = false;
    bool heightStored = false;
};

WindowTwips RestoreGeometry(std::string_view left, std::string_view top, std::string_view width,
                            std::string_view height, std::string_view windowState);

struct PixelSize {
    int width = 0;
    int height = 0;
};

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The window's first size, when none is stored: what its layout needs, but no more than the
// available area holds once the window system's frame is added, and never below the minimum.
PixelSize FirstWindowSize(PixelSize needed, PixelSize minimum, const PixelRect& available,
                          PixelSize frame);
// The position that centres a window of `size` (plus its frame) in the available area.
PixelRect CentredIn(const PixelRect& available, PixelSize size, PixelSize frame);

int TwipsToPixels(int twips, double dotsPerInch);
int PixelsToTwips(int pixels, double dotsPerInch);

}  // namespace zam
