// Windows wildcard matching: pattern and name separated by the first newline.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "zam/platform/Text.h"
#include "zam/platform/Wildcard.h"

using zam::platform::UpperCase;
using zam::platform::WildcardMatch;

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::size_t newline = input.find('\n');
    std::string_view pattern = input.substr(0, newline);
    std::string_view name = newline == std::string_view::npos ? input : input.substr(newline + 1);

    bool match = WildcardMatch(pattern, name);
    // Letter case never matters, on either side.
    Check(WildcardMatch(UpperCase(pattern), name) == match);
    Check(WildcardMatch(pattern, UpperCase(name)) == match);
    // "*" and "*.*" match every name; "*." exactly those without an extension.
    Check(WildcardMatch("*", name));
    Check(WildcardMatch("*.*", name));
    Check(WildcardMatch("*.", name) ==
          (name.find('.') == std::string_view::npos || name.back() == '.'));
    // A name without wildcards matches itself.
    if (name.find_first_of("*?") == std::string_view::npos) Check(WildcardMatch(name, name));
    return 0;
}
