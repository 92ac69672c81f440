#include "zam/controls/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace zam::controls {

namespace {

// Shortest fixed-point text of the value after rounding it to 15 significant digits.
std::string FifteenDigits(double value) {
    if (value == 0 || !std::isfinite(value)) {
        if (std::isnan(value)) return "0";
        if (std::isinf(value)) return value > 0 ? "1E+308" : "-1E+308";
        return "0";
    }
    char rounded[40];
    std::snprintf(rounded, sizeof rounded, "%.14e", value);
    const double fifteen = std::strtod(rounded, nullptr);
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

double LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const std::size_t start = i;
    auto isDigit = [&](std::size_t k) { return k < text.size() && text[k] >= '0' && text[k] <= '9'; };
    std::size_t mantissaDigits = 0;
    while (isDigit(i)) ++i, ++mantissaDigits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (isDigit(i)) ++i, ++mantissaDigits;
    }
    if (mantissaDigits == 0) return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t k = i + 1;
        if (k < text.size() && (text[k] == '+' || text[k] == '-')) ++k;
        if (isDigit(k)) {
            while (isDigit(k)) ++k;
            i = k;
        }
    }
    std::string number(text.substr(start, i - start));
    if (number[0] == '.') number.insert(0, "0");
    double value = 0;
    auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        // Too large is infinite; too small (denormal underflow) is as good as zero.
        const bool huge = number.find_first_of("eE") != std::string::npos &&
                          number.find("e-") == std::string::npos &&
                          number.find("E-") == std::string::npos;
        value = huge ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (ec != std::errc()) {
        value = 0;
    }
    return negative ? -value : value;
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
