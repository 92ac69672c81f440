#include "zam/frontend/WindowGeometry.h"

#include <cmath>
#include <limits>

namespace zam {

ScreenFit FitScreenWidth(int widthPixels) {
    if (widthPixels < kMinScreenWidthPixels) return ScreenFit::kTooNarrow;
    if (widthPixels == kMinScreenWidthPixels) return ScreenFit::kMaximise;
    return ScreenFit::kFits;
}

const char* ScreenTooNarrowAtStartMessage() {
    return "Sorry.  ZAM+ simply doesn't have enough screen space below 800 x 600.";
}

const char* ScreenTooNarrowMessage() { return "ZAM+ can't work at less than 800 x 600"; }

int StoredTwips(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > std::numeric_limits<int>::max()) value = std::numeric_limits<int>::max();
    }
    return static_cast<int>(negative ? -value : value);
}

WindowTwips RestoreGeometry(std::string_view left, std::string_view top, std::string_view width,
                            std::string_view height, std::string_view windowState) {
    WindowTwips g;
    g.left = std::max(StoredTwips(left), 0);
    g.top = std::max(StoredTwips(top), 0);
    g.width = std::max(StoredTwips(width), kMinWindowWidthTwips);
    g.height = std::max(StoredTwips(height), kMinWindowHeightTwips);
    g.maximised = StoredTwips(windowState) == kWindowMaximised;
    return g;
}

int TwipsToPixels(int twips, double dotsPerInch) {
    return static_cast<int>(std::lround(twips * dotsPerInch / kTwipsPerInch));
}

int PixelsToTwips(int pixels, double dotsPerInch) {
    if (dotsPerInch <= 0) return 0;
    return static_cast<int>(std::lround(pixels * kTwipsPerInch / dotsPerInch));
}

}  // namespace zam
