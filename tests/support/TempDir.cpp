#include "TempDir.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <system_error>

namespace zam::test {

namespace fs = std::filesystem;

// A new folder of a name nobody else has: creating it fails when it exists, so two tests (or two
// test processes) never share one.
TempDir::TempDir() {
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = fs::temp_directory_path() / ("zamtest-" + std::to_string(random() % 1000000000000ULL));
        std::error_code ec;
        if (fs::create_directory(candidate, ec)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ec;
    // Make everything writable again first: tests clear write permissions on purpose.
    for (auto it = fs::recursive_directory_iterator(path_, ec); !ec && it != fs::end(it);
         it.increment(ec)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

std::string TempDir::logical() const { return path_.string() + "/"; }

fs::path TempDir::file(std::string_view relative) const {
    std::string rel(relative);
    for (char& c : rel)
        if (c == '\\') c = '/';
    return path_ / rel;
}

fs::path TempDir::write(std::string_view relative, std::string_view bytes) const {
    fs::path p = file(relative);
    fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + p.string());
    return p;
}

std::string TempDir::read(std::string_view relative) const { return ReadNative(file(relative)); }

bool TempDir::exists(std::string_view relative) const { return fs::exists(file(relative)); }

ScopedCurrentDir::ScopedCurrentDir(const fs::path& dir) : previous_(fs::current_path()) {
    fs::current_path(dir);
}

ScopedCurrentDir::~ScopedCurrentDir() {
    std::error_code ec;
    fs::current_path(previous_, ec);
}

std::string ReadNative(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + p.string());
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

Corpus CorpusDir() {
    const char* named = std::getenv("ZAM_CORPUS_DIR");
    if (named != nullptr && *named != '\0') return {fs::path(named), true};
    return {fs::path(ZAM_CORPUS_DIR), false};
}

}  // namespace zam::test
