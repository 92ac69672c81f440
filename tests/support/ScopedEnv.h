#pragma once
// Sets an environment variable for one test and puts the old value (or its absence) back.
#include <cstdlib>
#include <optional>
#include <string>

namespace zam::test {

class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        Set(name, value.c_str());
    }
    ~ScopedEnv() {
        Set(name_, old_ ? old_->c_str() : nullptr);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    // A null value removes the variable.
    static void Set(const char* name, const char* value) {
#ifdef _WIN32
        ::_putenv_s(name, value != nullptr ? value : "");
#else
        if (value != nullptr) ::setenv(name, value, 1);
        else ::unsetenv(name);
#endif
    }

    const char* name_;
    std::optional<std::string> old_;
};

}  // namespace zam::test
