#pragma once
// How numeric settings turn into text and back. The INI files hold numbers the way the simulator
// and earlier versions of this program wrote them: "." as decimal point and no zero in front of it
// (".5", "-.25"); the text box shows the friendlier "0.5" after a reset.
#include <string>
#include <string_view>

#include "zam/platform/Text.h"

namespace zam::controls {

// Rounded to 15 significant digits, shortest decimal notation, no zero before the point.
std::string CompactNumber(double value);
// As CompactNumber, but with a zero before the point when the magnitude is below 1.
std::string PlainNumber(double value);
// CompactNumber preceded by a blank when the number is not negative (used in messages).
std::string SignedNumber(double value);
// The leading number of a text, "." as the only decimal point (see platform/Text.h).
using platform::LeadingNumber;
// Rounds to the nearest integer, halves to even.
long long RoundHalfEven(double value);
// "<caption> must be between <min> and <max>" with the signed forms of the bounds.
std::string RangeMessage(std::string_view caption, double minimum, double maximum);

}  // namespace zam::controls
