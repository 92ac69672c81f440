#pragma once
// The system services of the tests: shut-down and restart requests and sounds are recorded and
// never carried out, and registry values come from a table the test fills.
//
//   zam::test::RecordingSystem system;
//   system.registry["SOFTWARE\\Microsoft\\Shared Tools\\MSINFO|PATH"] = "C:\\msinfo32.exe";
//   zam::platform::ScopedSystemServices use(system);
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "zam/platform/System.h"

namespace zam::test {

class RecordingSystem : public platform::SystemServices {
public:
    platform::Status RequestPowerAction(platform::PowerAction action) override {
        powerActions.push_back(action);
        return platform::Status::Ok();
    }
    void PlaySoundAsync(std::string_view path) override { sounds.emplace_back(path); }
    bool GetKeyValue(std::string_view subKey, std::string_view valueName,
                     std::string& value) override {
        const auto found = registry.find(std::string(subKey) + "|" + std::string(valueName));
        value = found == registry.end() ? std::string() : found->second;
        return found != registry.end();
    }

    std::vector<platform::PowerAction> powerActions;
    std::vector<std::string> sounds;
    std::map<std::string, std::string> registry;  // "SUBKEY|VALUENAME" -> value
};

}  // namespace zam::test
