#pragma once
// The main window's size rules. Sizes and positions are kept in ZAM.Ini in twips (1/1440 inch)
// and converted with the screen's logical resolution.
#include <string_view>

namespace zam {

inline constexpr int kMinWindowWidthTwips = 11000;
inline constexpr int kMinWindowHeightTwips = 9120;
inline constexpr int kMinScreenWidthPixels = 800;
inline constexpr int kTwipsPerInch = 1440;

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
struct WindowTwips {
    int left = 0;
    int top = 0;
    int width = kMinWindowWidthTwips;
    int height = kMinWindowHeightTwips;
    bool maximised = false;
};

WindowTwips RestoreGeometry(std::string_view left, std::string_view top, std::string_view width,
                            std::string_view height, std::string_view windowState);

int TwipsToPixels(int twips, double dotsPerInch);
int PixelsToTwips(int pixels, double dotsPerInch);

}  // namespace zam
