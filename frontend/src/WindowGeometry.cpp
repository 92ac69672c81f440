#include "zam/frontend/WindowGeometry.h"

#include <algorithm>
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

namespace {

bool HoldsSomething(std::string_view text) {
    return text.find_first_not_of(" \t") != std::string_view::npos;
}

}  // namespace

WindowTwips RestoreGeometry(std::string_view left, std::string_view top, std::string_view width,
                            std::string_view height, std::string_view windowState) {
    WindowTwips g;
    g.positionStored = HoldsSomething(left) || HoldsSomething(top);
    g.widthStored = HoldsSomething(width);
    g.heightStored = HoldsSomething(height);
    g.left = std::max(StoredTwips(left), 0);
    g.top = std::max(StoredTwips(top), 0);
    g.width = std::max(StoredTwips(width), kMinWindowWidthTwips);
    g.height = std::max(StoredTwips(height), kMinWindowHeightTwips);
    g.maximised = StoredTwips(windowState) == kWindowMaximised;
    return g;
}

PixelSize FirstWindowSize(PixelSize needed, PixelSize minimum, const PixelRect& available,
                          PixelSize frame) {
    auto fit = [](int need, int least, int room) {
        return std::max(least, std::min(std::max(need, least), room));
    };
    return {fit(needed.width, minimum.width, available.width - frame.width),
            fit(needed.height, minimum.height, available.height - frame.height)};
}

PixelRect CentredIn(const PixelRect& available, PixelSize size, PixelSize frame) {
    const int outerWidth = size.width + frame.width;
    const int outerHeight = size.height + frame.height;
    return {available.left + std::max(0, (available.width - outerWidth) / 2),
            available.top + std::max(0, (available.height - outerHeight) / 2), size.width,
            size.height};
}

int TwipsToPixels(int twips, double dotsPerInch) {
    return static_cast<int>(std::lround(twips * dotsPerInch / kTwipsPerInch));
}

int PixelsToTwips(int pixels, double dotsPerInch) {
    if (dotsPerInch <= 0) return 0;
    return static_cast<int>(std::lround(pixels * kTwipsPerInch / dotsPerInch));
}

}  // namespace zam
