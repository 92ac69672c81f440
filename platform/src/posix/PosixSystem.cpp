#include <sys/stat.h>

#include "Spawn.h"
#include "zam/platform/Paths.h"
#include "zam/platform/Process.h"
#include "zam/platform/System.h"

namespace zam::platform {

namespace fs = std::filesystem;

namespace {

class PosixSystem final : public SystemServices {
public:
    // Through the launcher, so that a test can see the request without the machine going down.
    Status RequestPowerAction(PowerAction action) override {
        ProcessId id;
        Status started = Processes().Start(
            action == PowerAction::kShutdown ? "systemctl poweroff" : "systemctl reboot", id);
        if (!started) return started;
        return Processes().Wait(id);
    }

    void PlaySoundAsync(std::string_view path) override {
        if (path.empty()) return;
        fs::path player = posix::FindInPath("aplay");
        std::error_code ec;
        fs::path sound = fs::absolute(NativePath(path), ec);
        struct stat st {};
        if (player.empty() || ::stat(sound.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return;
        pid_t pid = 0;
        posix::Spawn(player, {player.string(), "-q", sound.string()}, {}, pid);
    }

    bool GetKeyValue(std::string_view, std::string_view, std::string& value) override {
        value.clear();
        return false;
    }
};

}  // namespace

SystemServices& NativeSystem() {
    static PosixSystem instance;
    return instance;
}

}  // namespace zam::platform
