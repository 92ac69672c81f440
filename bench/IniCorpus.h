#pragma once
// A deterministic generator of installation-like folders full of INI files, for the load
// benchmarks. The text looks like the simulator's own files: "[ Name ]" and "[Name]" headers,
// "key = value" lines with trailing "; comments" aligned by tabs, comment blocks, blank lines,
// now and then a long value or a Windows-1252 accent; mostly CR LF files, some CR-only and some
// LF-only ones. The same seed always gives the same bytes.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zam::bench {

enum class LineEnding { kCrLf, kCr, kLf };

struct CorpusStats {
    std::uint64_t bytes = 0;
    std::uint64_t lines = 0;
    std::uint64_t crLfFiles = 0;
    std::uint64_t crFiles = 0;
    std::uint64_t lfFiles = 0;
    std::vector<std::string> paths;  // native paths of the files, in the order they were written

    std::uint64_t Files() const { return paths.size(); }
    void Add(const CorpusStats& other);
};

// Small, fast and the same on every platform (the standard distributions are not).
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next();
    // Uniform in [0, n); n > 0.
    std::uint32_t Below(std::uint32_t n);
    // Uniform in [lo, hi].
    int Range(int lo, int hi);
    double Unit();  // [0, 1)
    bool Chance(double p) { return Unit() < p; }
    template <class T, std::size_t N>
    const T& Pick(const T (&items)[N]) {
        return items[Below(static_cast<std::uint32_t>(N))];
    }

private:
    std::uint64_t state_;
};

// The bytes of one INI file of about `targetBytes` (never much more than 1 KB over).
std::string MakeIniText(Rng& rng, std::size_t targetBytes, LineEnding ending,
                        std::uint64_t* lineCount = nullptr);

// Writes one installation below `root` (created when missing): INI files of 2 to 50 KB in track,
// player, season and option folders, until about `targetBytes` are written.
CorpusStats WriteInstallation(const std::filesystem::path& root, std::uint64_t targetBytes,
                              std::uint64_t seed);

}  // namespace zam::bench
