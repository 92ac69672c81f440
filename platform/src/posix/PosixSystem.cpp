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
    // systemctl asks logind; where systemd is not the init system, loginctl (elogind) does the
    // same. A refusal (no permission, a policy that wants a password) ends the command with a
    // non-zero status, which is the answer.
    Status RequestPowerAction(PowerAction action) override {
        const bool off = action == PowerAction::kShutdown;
        for (const char* tool : {"systemctl", "loginctl"}) {
            const std::string command = std::string(tool) + (off ? " poweroff" : " reboot");
            ProcessId id;
            Status started = Processes().Start(command, id);
            if (started.code == kFileNotFound) continue;
            if (!started) return started;
            ProcessExit exit;
            Status waited = Processes().Wait(id, exit);
            if (!waited || exit.Clean()) return waited;
            return Status::Error(kPermissionDenied,
                                 "\"" + command + "\" ended with " + DescribeExit(exit));
        }
        return Status::Error(kFileNotFound, "Neither systemctl nor loginctl was found");
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
