#pragma once
// The program's identity as the about box and the status window show it.
#include <string>

#include "zam/Version.h"

namespace zam {

// "Version 1.4.31": each number in plain decimal, no padding.
inline std::string VersionText() {
    return "Version " + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
           std::to_string(kVersionRevision);
}

}  // namespace zam
