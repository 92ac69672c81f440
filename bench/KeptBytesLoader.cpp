// The floor under any reader that keeps what it reads: every file read through the platform
// layer, as the store reads it, into a buffer of its own that is kept to the end, and nothing
// else (no parsing, no index). On a machine where fresh memory is dear, this alone can cost more
// than a parser that keeps nothing.
#include "Loaders.h"
#include "zam/platform/FileSystem.h"

namespace zam::bench {

namespace {

class KeptBytesLoader final : public Loader {
public:
    void Load(const std::vector<std::string>& files) override {
        kept_.reserve(files.size());
        for (const std::string& file : files) {
            std::string bytes;
            bool exists = false;
            if (!platform::Fs().ReadAllIfExists(file, bytes, exists) || !exists) ++unreadable_;
            bytes_ += bytes.size();
            kept_.push_back(std::move(bytes));
        }
    }

    LoadSummary Summary() override {
        return {0, std::to_string(kept_.size() - unreadable_) + " files kept, " +
                       std::to_string(bytes_) + " bytes, " + std::to_string(unreadable_) +
                       " unreadable"};
    }

private:
    std::vector<std::string> kept_;
    std::uint64_t bytes_ = 0;
    std::size_t unreadable_ = 0;
};

}  // namespace

std::unique_ptr<Loader> MakeKeptBytesLoader(const LoaderHints&) {
    return std::make_unique<KeptBytesLoader>();
}

}  // namespace zam::bench
