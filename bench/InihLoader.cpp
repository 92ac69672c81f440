// inih as packaged by the system: ini_parse opens the file with fopen and reads it line by line
// with fgets, so it splits lines at LF only and cuts lines longer than its compiled limit; both
// show up as parse errors in the note, and neither stops it from reading every byte.
#include <ini.h>

#include <string>

#include "Loaders.h"

namespace zam::bench {

namespace {

class InihLoader final : public Loader {
public:
    void Load(const std::vector<std::string>& files) override {
        for (const std::string& file : files) {
            const int result = ini_parse(file.c_str(), &InihLoader::OnEntry, this);
            if (result < 0) ++unreadable_;
            if (result > 0) ++filesWithErrors_;
        }
    }

    LoadSummary Summary() override {
        return {entries_, std::to_string(filesWithErrors_) + " files with parse errors, " +
                              std::to_string(unreadable_) + " unreadable"};
    }

private:
    // Counts only: the handler copies nothing, so the figure is inih's own parsing cost.
    static int OnEntry(void* user, const char*, const char*, const char*) {
        ++static_cast<InihLoader*>(user)->entries_;
        return 1;
    }

    std::uint64_t entries_ = 0;
    std::uint64_t filesWithErrors_ = 0;
    std::uint64_t unreadable_ = 0;
};

}  // namespace

std::unique_ptr<Loader> MakeInihLoader(const LoaderHints&) { return std::make_unique<InihLoader>(); }

}  // namespace zam::bench
