#include "zam/controls/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace zam::controls {

namespace {

// Shortest fixed-point text of the value after rounding it to 15 significant digits. No step
// depends on the locale: a desktop with a decimal comma must not change what a file holds.
std::string FifteenDigits(double value) {
    if (value == 0 || !std::isfinite(value)) {
        if (std::isnan(value)) return "0";
        if (std::isinf(value)) return value > 0 ? "1E+308" : "-1E+308";
        return "0";
    }
    char rounded[40];
    auto [roundedEnd, roundedError] = std::to_chars(rounded, rounded + sizeof rounded, value,
                                                    std::chars_format::scientific, 14);
    if (roundedError != std::errc()) return "0";
    double fifteen = value;
    std::from_chars(rounded, roundedEnd, fifteen);
    char text[400];
    auto [end, ec] = std::to_chars(text, text + sizeof text, fifteen, std::chars_format::fixed);
    if (ec != std::errc()) return rounded;
    return std::string(text, end);
}

}  // namespace

std::string PlainNumber(double value) { return FifteenDigits(value); }

std::string CompactNumber(double value) {
    std::string text = FifteenDigits(value);
    const std::size_t digits = (!text.empty() && text[0] == '-') ? 1 : 0;
    if (text.size() > digits + 1 && text[digits] == '0' && text[digits + 1] == '.')
        text.erase(digits, 1);
    return text;
}

std::string SignedNumber(double value) {
    std::string text = CompactNumber(value);
    return text[0] == '-' ? text : " " + text;
}

long long RoundHalfEven(double value) {
    if (!std::isfinite(value)) return 0;
    if (value > 9.2e18) return std::numeric_limits<long long>::max();
    if (value < -9.2e18) return std::numeric_limits<long long>::min();
    return static_cast<long long>(std::nearbyint(value));  // default rounding mode: to even
}

std::string RangeMessage(std::string_view caption, double minimum, double maximum) {
    return std::string(caption) + " must be between" + SignedNumber(minimum) + " and" +
           SignedNumber(maximum);
}

}  // namespace zam::controls
