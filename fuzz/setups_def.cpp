// Arbitrary bytes as a Setups.def: reading must never fail or read beyond the input, and what is
// read must survive a write and a second read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "zam/model/SetupsDef.h"
#include "zam/platform/Text.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const zam::SetupNames names = zam::ParseSetupsDef(bytes);
    for (const auto& name : names) {
        Check(name.size() <= zam::kSetupsSlotSize);
        Check(name.find('\0') == std::string::npos);
        Check(zam::platform::TrimSpaces(name).size() == name.size());
    }

    const std::string written = zam::BuildSetupsDef(names);
    Check(written.size() == zam::kSetupsFileSize);
    const zam::SetupNames reread = zam::ParseSetupsDef(written);
    for (std::size_t i = 0; i < names.size(); ++i) {
        // Writing keeps at most 256 bytes of a name so that its 00 follows.
        const std::string_view kept =
            std::string_view(names[i]).substr(0, zam::kSetupsMaxNameLength);
        Check(reread[i] == zam::platform::TrimSpaces(kept));
    }
    Check(zam::BuildSetupsDef(zam::ParseSetupsDef(zam::BuildSetupsDef(reread))) ==
          zam::BuildSetupsDef(reread));
    return 0;
}
