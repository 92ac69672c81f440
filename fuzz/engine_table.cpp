// Arbitrary bytes as the simulator's executable (see Image for how). Checks: reading never crashes; after UnloadWithoutSaving not a byte changes; a write
// that reports success is read back as written.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "zam/model/clsEngines.h"
#include "zam/store/UserInterface.h"

namespace {

class SilentUi : public zam::UserInterface {
public:
    void ShowMessage(const std::string&, const std::string&) override {}
    bool Ask(const std::string&, const std::string&) override { return false; }
    void SetStatus(const std::string&) override {}
    void HideStatus() override {}
    std::optional<zam::FileChoice> SelectFile(const std::string&, const std::string&,
                                              const std::string&, bool) override {
        return std::nullopt;
    }
    [[noreturn]] void EndProgram() override { throw zam::ProgramEnded{}; }
};

// A private folder for the one executable, removed when the fuzzer ends.
class PrivateFolder {
public:
    PrivateFolder() {
        // A memory file system when there is one: every write is flushed to disk.
        std::error_code ec;
        const auto base = std::filesystem::is_directory("/dev/shm", ec)
                              ? std::filesystem::path("/dev/shm")
                              : std::filesystem::temp_directory_path();
        std::string pattern = (base / "zamfuzz-engines-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        folder_ = pattern;
        exe_ = pattern + "/GPL.EXE";
    }
    ~PrivateFolder() {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    const std::string& Exe() const { return exe_; }

private:
    std::string folder_, exe_;
};

const std::string& ExePath() {
    static const PrivateFolder folder;
    return folder.Exe();
}

constexpr std::size_t kFirstRegion = 1'334'919;  // 80 bytes before the "Repco" search start
constexpr std::size_t kSecondRegion = 1'411'920;  // 80 bytes before the "hit_hard" search start
constexpr std::size_t kRegionSize = 200;

std::string HexToBytes(std::string_view hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
    return bytes;
}

// A well-formed executable of either version: native tables, "Repco", team keys, "hit_hard".
std::string ValidImage(bool v122) {
    const std::string_view version = v122 ? zam::kVersion122 : zam::kVersion121;
    std::string image(kSecondRegion + kRegionSize, '\0');
    for (std::size_t c = 0; c < zam::kChassisTable.size(); ++c) {
        const auto& engine = zam::kEngineTable[c];
        const std::size_t slot = kFirstRegion + 4 * static_cast<std::size_t>(zam::kChassisTable[c].slotIndex);
        image.replace(slot, 4, HexToBytes(zam::VersionedValue(engine.firstValue, version)));
        image.replace(slot + 40, 4, HexToBytes(zam::VersionedValue(engine.secondValue, version)));
    }
    image.replace(kFirstRegion + 80, 5, "Repco");
    const std::size_t keys = kSecondRegion + 80 - 36;
    image.replace(keys, 28, std::string("bra\0brm\0cov\0eag\0fer\0mur\0lot\0", 28));
    image.replace(kSecondRegion + 80, 8, "hit_hard");
    return image;
}

// The first input byte picks how the input becomes an executable:
//   0: the input is the whole file;
//   1: the input is placed before both search starts in an otherwise empty file;
//   2, 3: a valid executable (1.2.1, 1.2.2) with the input XORed onto both table regions, so small
//         mutations give almost-valid tables.
std::string Image(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const int mode = size > 0 ? data[0] % 4 : 0;
    if (mode == 0) return input;
    if (mode == 1) {
        std::string image(kFirstRegion, '\0');
        image += input;
        if (image.size() < kSecondRegion) image.resize(kSecondRegion, '\0');
        image += input;
        return image;
    }
    static const std::string kValid121 = ValidImage(false), kValid122 = ValidImage(true);
    std::string image = mode == 3 ? kValid122 : kValid121;
    const std::string tail = size > 3 ? input.substr(3) : std::string();
    for (std::size_t i = 0; i < tail.size() && i < 2 * kRegionSize; ++i) {
        const std::size_t at = (i < kRegionSize ? kFirstRegion : kSecondRegion - kRegionSize) + i;
        image[at] = static_cast<char>(image[at] ^ tail[i]);
    }
    return image;
}

void Write(const std::string& bytes) {
    std::ofstream out(ExePath(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Read() {
    std::ifstream in(ExePath(), std::ios::binary | std::ios::ate);
    std::string bytes(static_cast<std::size_t>(std::max<std::streamoff>(in.tellg(), 0)), '\0');
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string image = Image(data, size);
    Write(image);
    SilentUi ui;
    const int engine = size > 1 ? data[1] % zam::kEngineCount : 4;
    const int chassis = size > 2 ? data[2] % zam::kChassisCount : 0;
    try {
        bool consistent = false;
        {
            zam::clsEngines engines(ui, ExePath());
            consistent = !engines.Status();
            engines.SetAllEngines(engine);
            engines.UnloadWithoutSaving();
        }
        if (Read() != image) std::abort();
        if (!consistent) return 0;

        bool written = false;
        {
            zam::clsEngines engines(ui, ExePath());
            engines.SetCarEngine(chassis, engine);
            written = engines.WriteExeEngines();
            engines.UnloadWithoutSaving();
        }
        if (!written || chassis == zam::kUnusedChassis) return 0;
        zam::clsEngines check(ui, ExePath());
        check.UnloadWithoutSaving();
        if (check.Status() || check.FoundEngine(chassis) != engine) std::abort();
    } catch (const zam::ProgramEnded&) {
    }
    return 0;
}
