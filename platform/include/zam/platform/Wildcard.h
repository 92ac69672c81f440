#pragma once
#include <string_view>

namespace zam::platform {

// Windows wildcard matching, without regard to case: '*' any run, '?' one character. As on
// Windows, "*.*" matches every name and a pattern ending in "." ("*.") matches names without an
// extension.
bool WildcardMatch(std::string_view pattern, std::string_view name);

}  // namespace zam::platform
