#include "zam/platform/System.h"

namespace zam::platform {

namespace {
SystemServices* current = nullptr;
}  // namespace

SystemServices& System() { return current != nullptr ? *current : NativeSystem(); }

ScopedSystemServices::ScopedSystemServices(SystemServices& replacement) : previous_(current) {
    current = &replacement;
}

ScopedSystemServices::~ScopedSystemServices() { current = previous_; }

}  // namespace zam::platform
