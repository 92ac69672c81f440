#include "IniCorpus.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <set>
#include <stdexcept>

#include "zam/platform/Text.h"

namespace zam::bench {

namespace {

const char* const kSections[] = {
    "Sound",       "Graphics",  "Driving",    "Communications", "Options",   "Race",
    "Joystick",    "Force Feedback", "Replay", "Rendering",     "Multiplayer", "Paths",
    "Setup",       "Track",     "Weather",    "Camera",         "Pit",       "AI",
    "Keyboard",    "Mirrors",   "Cockpit",    "Engine",         "Gearbox",   "Suspension",
    "Tyres",       "Brakes",    "Aero",       "Timing",         "Server",    "Client",
    "Video",       "Textures",  "Sky",        "Horizon",        "Lighting",  "Shadows",
    "Damage",      "Flags",     "Marshals",   "Spectators",     "Objects",   "Scenery"};

const char* const kKeyPrefixes[] = {"enable", "max",  "min",   "use",    "show",  "num",
                                    "default", "allow", "draw", "detail", "scale", "init",
                                    "last",    "auto",  "swap",  "car",    "track", "player"};

const char* const kKeyNouns[] = {
    "volume", "fuel",     "laps",    "grid",    "texture", "mirror",  "damage",   "speed",
    "brake",  "steer",    "throttle", "clutch", "gear",    "tyre",    "wheel",    "engine",
    "sky",    "horizon",  "shadow",  "smoke",   "dust",    "sparks",  "cockpit",  "gauge",
    "rpm",    "boost",    "latency", "packet",  "port",    "rate",    "range",    "deadzone",
    "force",  "friction", "spring",  "damper",  "camber",  "toe",     "ride",     "height",
    "bump",   "rebound",  "ratio",   "wing",    "drag",    "weather", "cloud",    "light"};

const char* const kWords[] = {
    "the",     "car",    "is",     "set",     "to",     "when",   "value",   "of",     "in",
    "for",     "track",  "default", "use",    "a",      "this",   "only",    "if",     "enabled",
    "player",  "race",   "sound",  "screen",  "frames", "per",    "second",  "mode",   "off",
    "on",      "higher", "lower",  "faster",  "slower", "more",   "detail",  "degrees", "meters",
    "percent", "see",    "manual", "between", "and",    "zero",   "disables", "joystick", "axis",
    "button",  "server", "client", "network", "packet", "texture", "memory", "cache",   "file"};

// Windows-1252 words (é, ü, –, °, ö, ç) that real files carry in names and comments.
const char* const kAccentWords[] = {"Pr\xE9" "f\xE9r\xE9" "e", "M\xFCnchen", "Zandvoort \x96 NL",
                                    "30\xB0", "N\xFC" "rburgring", "Fran\xE7" "ais",
                                    "Gr\xF6\xDF" "e"};

const char* const kTrackNames[] = {"monza", "spa", "nurburgring", "monaco", "zandvoort",
                                   "watglen", "mosport", "silverstone", "kyalami", "rouen",
                                   "mexico", "hockenheim", "brands", "reims", "clermont"};

const char* const kPlayerNames[] = {"Jim Clark", "Dan Gurney", "Jack Brabham", "Denny Hulme",
                                    "John Surtees", "Graham Hill", "Jackie Stewart",
                                    "Pedro Rodriguez", "Jochen Rindt", "Chris Amon",
                                    "Lorenzo Bandini", "Bruce McLaren"};

const char* EndingBytes(LineEnding ending) {
    switch (ending) {
        case LineEnding::kCr: return "\r";
        case LineEnding::kLf: return "\n";
        case LineEnding::kCrLf: break;
    }
    return "\r\n";
}

// Builds the lines of one file; the line ending is added as each line is appended.
class IniTextBuilder {
public:
    IniTextBuilder(Rng& rng, LineEnding ending)
        : rng_(rng),
          eol_(EndingBytes(ending)),
          spacedHeaders_(rng.Chance(0.5)),
          spacedEquals_(rng.Chance(0.7)),
          commentColumn_(rng.Chance(0.5) ? 40 : 32) {}

    std::string Build(std::size_t targetBytes) {
        text_.reserve(targetBytes + 1024);
        CommentBlock(rng_.Range(1, 6));
        Line("");
        while (text_.size() < targetBytes) Section();
        return std::move(text_);
    }

    std::uint64_t Lines() const { return lines_; }

private:
    void Line(const std::string& line) {
        text_ += line;
        text_ += eol_;
        ++lines_;
    }

    std::string Words(int count) {
        std::string out;
        for (int i = 0; i < count; ++i) {
            if (i > 0) out += ' ';
            out += rng_.Chance(0.03) ? rng_.Pick(kAccentWords) : rng_.Pick(kWords);
        }
        return out;
    }

    void CommentBlock(int count) {
        const bool ruled = rng_.Chance(0.4);
        if (ruled) Line("; " + std::string(static_cast<std::size_t>(rng_.Range(20, 70)), '-'));
        for (int i = 0; i < count; ++i) {
            if (rng_.Chance(0.1)) {
                Line(";");
            } else {
                Line(std::string(rng_.Chance(0.8) ? "; " : ";   ") + Words(rng_.Range(3, 14)));
            }
        }
        if (ruled) Line("; " + std::string(static_cast<std::size_t>(rng_.Range(20, 70)), '-'));
    }

    std::string SectionName() {
        // Now and then a header repeats an earlier one in another case: the reader must merge.
        if (!sectionNames_.empty() && rng_.Chance(0.02)) {
            auto it = sectionNames_.begin();
            std::advance(it, rng_.Below(static_cast<std::uint32_t>(sectionNames_.size())));
            return platform::UpperCase(*it);
        }
        std::string name = rng_.Pick(kSections);
        if (rng_.Chance(0.5)) name += std::to_string(rng_.Range(0, 40));
        sectionNames_.insert(name);
        return name;
    }

    std::string KeyName(std::set<std::string>& used) {
        for (;;) {
            std::string key = std::string(rng_.Pick(kKeyPrefixes)) + "_" + rng_.Pick(kKeyNouns);
            if (rng_.Chance(0.3)) key += std::to_string(rng_.Range(0, 19));
            if (rng_.Chance(0.1)) key[0] = static_cast<char>(key[0] - 'a' + 'A');
            if (used.insert(platform::UpperCase(key)).second || rng_.Chance(0.01)) return key;
        }
    }

    std::string LongValue() {
        std::string value;
        if (rng_.Chance(0.5)) {
            const int count = rng_.Range(20, 90);
            for (int i = 0; i < count; ++i) {
                if (i > 0) value += ',';
                value += std::to_string(rng_.Range(-5000, 99999));
            }
        } else {
            value = '"';
            value += Words(rng_.Range(20, 60));
            value += '"';
        }
        return value;
    }

    std::string Value() {
        const std::uint32_t kind = rng_.Below(100);
        if (kind < 2) return LongValue();
        if (kind < 40) return std::to_string(rng_.Range(0, 1));
        if (kind < 65) return std::to_string(rng_.Range(-100, 65535));
        if (kind < 80) {
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, "%.6f", rng_.Unit() * 200.0 - 100.0);
            return buffer;
        }
        if (kind < 88) {
            return std::string("tracks\\") + rng_.Pick(kTrackNames) + "\\" +
                   rng_.Pick(kTrackNames) + ".trk";
        }
        if (kind < 94) return rng_.Pick(kPlayerNames);
        if (kind < 97) return "";
        return Words(rng_.Range(2, 6));
    }

    // Tabs that bring `text` to the comment column (eight-column tab stops), at least one.
    std::string PadToColumn(const std::string& text) const {
        std::size_t column = text.size();
        std::string pad = "\t";
        column = (column / 8 + 1) * 8;
        while (column < commentColumn_) {
            pad += '\t';
            column += 8;
        }
        return pad;
    }

    void Entry(std::set<std::string>& used) {
        std::string line = KeyName(used) + (spacedEquals_ ? " = " : "=") + Value();
        if (rng_.Chance(0.6)) line += PadToColumn(line) + "; " + Words(rng_.Range(2, 12));
        Line(line);
    }

    void Section() {
        const std::string name = SectionName();
        std::string header = spacedHeaders_ ? "[ " + name + " ]" : "[" + name + "]";
        if (rng_.Chance(0.05)) header += PadToColumn(header) + "; " + Words(rng_.Range(2, 8));
        Line(header);
        if (rng_.Chance(0.3)) CommentBlock(rng_.Range(1, 5));
        std::set<std::string> used;
        const int entries = rng_.Range(4, 40);
        for (int i = 0; i < entries; ++i) {
            if (rng_.Chance(0.04)) Line("");
            if (rng_.Chance(0.05)) Line("; " + Words(rng_.Range(2, 10)));
            Entry(used);
        }
        Line("");
        if (rng_.Chance(0.2)) Line("");
    }

    Rng& rng_;
    const char* eol_;
    bool spacedHeaders_;
    bool spacedEquals_;
    std::size_t commentColumn_;
    std::set<std::string> sectionNames_;
    std::string text_;
    std::uint64_t lines_ = 0;
};

LineEnding PickEnding(Rng& rng) {
    const std::uint32_t roll = rng.Below(100);
    if (roll < 80) return LineEnding::kCrLf;
    return roll < 90 ? LineEnding::kCr : LineEnding::kLf;
}

// Log-uniform between 2 KB and 50 KB: many small files, a few large ones.
std::size_t PickSize(Rng& rng) {
    const double low = std::log(2.0 * 1024), high = std::log(50.0 * 1024);
    return static_cast<std::size_t>(std::exp(low + rng.Unit() * (high - low)));
}

// Where the n-th file of an installation lives, relative to its root.
std::filesystem::path FilePlace(Rng& rng, std::uint64_t n) {
    if (n == 0) return "core.ini";
    if (n == 1) return "app.ini";
    const std::string number = std::to_string(n);
    switch (n % 10) {
        case 0:
        case 1:
        case 2:
        case 3:
        case 4:
            return std::filesystem::path("tracks") / (rng.Pick(kTrackNames) + number) /
                   (rng.Chance(0.8) ? "track.ini" : "TZAM.Ini");
        case 5:
        case 6:
        case 7:
            return std::filesystem::path("Players") / (rng.Pick(kPlayerNames) + (" " + number)) /
                   (rng.Chance(0.7) ? "player.ini" : "PZAM.Ini");
        case 8:
            return std::filesystem::path("Seasons") / (number + "Season.ini");
        default:
            return std::filesystem::path("Options") / ("options" + number + ".ini");
    }
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

void CorpusStats::Add(const CorpusStats& other) {
    bytes += other.bytes;
    lines += other.lines;
    crLfFiles += other.crLfFiles;
    crFiles += other.crFiles;
    lfFiles += other.lfFiles;
    paths.insert(paths.end(), other.paths.begin(), other.paths.end());
}

std::uint64_t Rng::Next() {
    // splitmix64
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::uint32_t Rng::Below(std::uint32_t n) {
    return static_cast<std::uint32_t>((Next() >> 32) * n >> 32);
}

int Rng::Range(int lo, int hi) {
    return lo + static_cast<int>(Below(static_cast<std::uint32_t>(hi - lo + 1)));
}

double Rng::Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }

std::string MakeIniText(Rng& rng, std::size_t targetBytes, LineEnding ending,
                        std::uint64_t* lineCount) {
    IniTextBuilder builder(rng, ending);
    std::string text = builder.Build(targetBytes);
    if (lineCount != nullptr) *lineCount = builder.Lines();
    return text;
}

CorpusStats WriteInstallation(const std::filesystem::path& root, std::uint64_t targetBytes,
                              std::uint64_t seed) {
    Rng rng(seed);
    CorpusStats stats;
    for (std::uint64_t n = 0; stats.bytes < targetBytes; ++n) {
        const std::filesystem::path path = root / FilePlace(rng, n);
        const LineEnding ending = PickEnding(rng);
        std::uint64_t lines = 0;
        const std::string text = MakeIniText(rng, PickSize(rng), ending, &lines);
        WriteFile(path, text);
        stats.bytes += text.size();
        stats.lines += lines;
        (ending == LineEnding::kCrLf ? stats.crLfFiles
         : ending == LineEnding::kCr ? stats.crFiles
                                     : stats.lfFiles)++;
        stats.paths.push_back(path.string());
    }
    return stats;
}

}  // namespace zam::bench
