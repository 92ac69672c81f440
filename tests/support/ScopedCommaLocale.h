#pragma once
// Puts the C library's numeric locale on one with a decimal comma for one test, as Qt does on a
// German or French desktop, and puts the old one back. False where no such locale is installed
// (scripts/zam deps generates de_DE.UTF-8, so CI always has one).
#include <clocale>
#include <string>

namespace zam::test {

inline constexpr const char* kNoCommaLocale =
    "no locale with a decimal comma is installed here (scripts/zam deps generates de_DE.UTF-8)";

class ScopedCommaLocale {
public:
    ScopedCommaLocale() {
        if (const char* old = std::setlocale(LC_NUMERIC, nullptr)) previous_ = old;
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8",
                                 "German_Germany.1252", "de-DE"}) {
            if (std::setlocale(LC_NUMERIC, name) != nullptr &&
                std::localeconv()->decimal_point[0] == ',') {
                active_ = true;
                return;
            }
        }
        std::setlocale(LC_NUMERIC, previous_.c_str());
    }
    ~ScopedCommaLocale() { std::setlocale(LC_NUMERIC, previous_.c_str()); }
    ScopedCommaLocale(const ScopedCommaLocale&) = delete;
    ScopedCommaLocale& operator=(const ScopedCommaLocale&) = delete;

    explicit operator bool() const { return active_; }

private:
    std::string previous_ = "C";
    bool active_ = false;
};

}  // namespace zam::test
