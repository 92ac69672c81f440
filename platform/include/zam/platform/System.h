#pragma once
// The few calls into the operating system that are neither files nor processes.
#include <string>
#include <string_view>

#include "zam/platform/Status.h"

namespace zam::platform {

enum class PowerAction { kShutdown, kRestart };

class SystemServices {
public:
    virtual ~SystemServices() = default;
    // Asks the system to shut down or restart (ExitWindowsEx on Windows, logind on Linux).
    virtual Status RequestPowerAction(PowerAction action) = 0;
    // Plays a sound file asynchronously; an empty name or a missing player does nothing.
    virtual void PlaySoundAsync(std::string_view path) = 0;
    // Reads a value below HKEY_LOCAL_MACHINE. False (and an empty text) where there is no
    // registry or no such value.
    virtual bool GetKeyValue(std::string_view subKey, std::string_view valueName,
                             std::string& value) = 0;
};

SystemServices& System();
SystemServices& NativeSystem();

class ScopedSystemServices {
public:
    explicit ScopedSystemServices(SystemServices& replacement);
    ~ScopedSystemServices();
    ScopedSystemServices(const ScopedSystemServices&) = delete;
    ScopedSystemServices& operator=(const ScopedSystemServices&) = delete;

private:
    SystemServices* previous_;
};

}  // namespace zam::platform
