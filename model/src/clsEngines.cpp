#include "zam/model/clsEngines.h"

#include <exception>
#include <stdexcept>
#include <utility>
#include <vector>

#include "ExeBytes.h"
#include "zam/platform/FileSystem.h"
#include "zam/store/Common.h"

namespace zam {

namespace {

constexpr std::string_view kTeamKeys[] = {"bra", "eag", "lot", "fer", "cov", "mur", "brm"};

std::size_t Index(std::int32_t number) {
    if (number < 0 || number >= kChassisCount)
        throw std::out_of_range("chassis or engine number " + std::to_string(number));
    return static_cast<std::size_t>(number);
}

}  // namespace

// One planned change of the executable: the bytes to write and the bytes the place held when the
// tables were read (checked before writing).
struct clsEngines::Patch {
    std::uint64_t offset;
    std::string bytes;
    std::string expected;
};

clsEngines::clsEngines(UserInterface& ui, std::string exePath)
    : ui_(ui), exePath_(std::move(exePath)) {
    status_ = false;
    keyTableValid_ = LocateKeyTable();
    if (!LocateEngineTable()) return;
    BuildEngineTables();
    ReadExeEngines();
}

clsEngines::~clsEngines() {
    try {
        if (!noSave_) WriteExeEngines();
    } catch (...) {
        // A destructor must not throw; WriteExeEngines reports its own failures.
    }
}

bool clsEngines::LocateKeyTable() {
    const std::int64_t h = FindString(ui_, exePath_, kKeyMarkerSearchStart, kKeyMarker);
    if (h < kKeyTableBeforeMarker) return false;
    keyTable_ = static_cast<std::uint64_t>(h - kKeyTableBeforeMarker);
    const auto key = exe::ReadBytes(exePath_, keyTable_, kKeyBytes);
    if (!key) return false;
    for (std::string_view known : kTeamKeys)
        if (*key == known) return true;
    return false;
}

bool clsEngines::LocateEngineTable() {
    const std::int64_t r = FindString(ui_, exePath_, kEngineMarkerSearchStart, kEngineMarker);
    if (r < kFirstTableBeforeMarker) {
        ReportExeError("Can't find Engine Table");
        return false;
    }
    firstTable_ = static_cast<std::uint64_t>(r - kFirstTableBeforeMarker);
    const auto first = exe::ReadHexDword(exePath_, firstTable_);
    exeVersion_ = std::string(first && (*first)[2] == '8' ? kVersion121 : kVersion122);
    return true;
}

void clsEngines::BuildEngineTables() {
    for (std::size_t c = 0; c < chassis_.size(); ++c) {
        auto& chassis = chassis_[c];
        chassis.firstSlot =
            firstTable_ + static_cast<std::uint64_t>(kChassisTable[c].slotIndex * kSlotBytes);
        chassis.secondSlot = chassis.firstSlot + kSecondTableAfterFirst;
    }
    for (std::size_t e = 0; e < engines_.size(); ++e) {
        engines_[e].firstValue = VersionedValue(kEngineTable[e].firstValue, exeVersion_);
        engines_[e].secondValue = VersionedValue(kEngineTable[e].secondValue, exeVersion_);
    }
}

void clsEngines::ReadExeEngines() {
    try {
        for (std::size_t c = 0; c < chassis_.size(); ++c) {
            const auto hex = exe::ReadHexDword(exePath_, chassis_[c].firstSlot);
            if (!hex) throw std::runtime_error("engine table unreadable");
            std::size_t e = 0;
            while (e < engines_.size() && engines_[e].firstValue != *hex) ++e;
            if (e == engines_.size()) {
                ReportExeError("Non-Standard Engine Found For " +
                               std::string(kChassisTable[c].name));
                return;
            }
            chassis_[c].chosen = chassis_[c].found = static_cast<std::int32_t>(e);
        }
        TakeSnapshot();
    } catch (const std::exception&) {
        ReportExeError("Unknown Error");
    }
}

// Remembers what every slot that may be written holds now, so that the write can tell whether
// another program changed the executable in the meantime.
void clsEngines::TakeSnapshot() {
    auto read = [this](std::uint64_t offset, std::size_t count) {
        auto bytes = exe::ReadBytes(exePath_, offset, count);
        if (!bytes) throw std::runtime_error("engine table unreadable");
        return *bytes;
    };
    for (std::size_t c = 0; c < chassis_.size(); ++c) {
        auto& chassis = chassis_[c];
        chassis.firstBytes = read(chassis.firstSlot, kSlotBytes);
        chassis.secondBytes = read(chassis.secondSlot, kSlotBytes);
        if (keyTableValid_ && kChassisTable[c].keySlot >= 0)
            chassis.keyBytes =
                read(keyTable_ + static_cast<std::uint64_t>(kChassisTable[c].keySlot), kKeyBytes);
    }
}

void clsEngines::ReportExeError(const std::string& detail) {
    ui_.ShowMessage(
        "ZAM Has Found an Inconsistency in your GPL.EXE which it cannot handle.\r" + detail,
        kExeErrorTitle);
    status_ = true;
}

void clsEngines::ReportWriteFailure(const std::string& reason) {
    ui_.ShowMessage("ZAM could not save the engine choices into " + exePath_ + ".\r" + reason,
                    kExeErrorTitle);
}

void clsEngines::SetDefaults() {
    for (std::size_t c = 0; c < chassis_.size(); ++c)
        chassis_[c].chosen = static_cast<std::int32_t>(c);
}

void clsEngines::SetAllEngines(std::int32_t engine) {
    Index(engine);
    for (auto& chassis : chassis_) chassis.chosen = engine;
}

std::int32_t clsEngines::CarEngine(std::int32_t chassis) const {
    return chassis_[Index(chassis)].chosen;
}

void clsEngines::SetCarEngine(std::int32_t chassis, std::int32_t engine) {
    Index(engine);
    chassis_[Index(chassis)].chosen = engine;
}

std::string clsEngines::Name(std::int32_t engine) const {
    return std::string(kEngineTable[Index(engine)].name);
}

std::string clsEngines::ExeEngine(std::int32_t chassis) const {
    return Name(FoundEngine(chassis));
}

std::int32_t clsEngines::FoundEngine(std::int32_t chassis) const {
    return chassis_[Index(chassis)].found;
}

bool clsEngines::WriteExeEngines() {
    // A failed object never writes, even when its owner forgets to say so.
    if (noSave_ || status_) return false;

    std::vector<Patch> patches;
    for (std::size_t c = 0; c < chassis_.size(); ++c) {
        const auto& chassis = chassis_[c];
        if (static_cast<int>(c) == kUnusedChassis || chassis.chosen == chassis.found) continue;
        const auto chosen = static_cast<std::size_t>(chassis.chosen);
        patches.push_back({chassis.firstSlot, *exe::BytesFromHex(engines_[chosen].firstValue),
                           chassis.firstBytes});
        patches.push_back({chassis.secondSlot, *exe::BytesFromHex(engines_[chosen].secondValue),
                           chassis.secondBytes});
        if (static_cast<int>(c) <= kLastTeamChassis && keyTableValid_) {
            // The trainer engines have no team key: the chassis keeps its own.
            const std::string_view key = kEngineTable[chosen].key == kTrainerKey
                                             ? kEngineTable[c].key
                                             : kEngineTable[chosen].key;
            patches.push_back(
                {keyTable_ + static_cast<std::uint64_t>(kChassisTable[c].keySlot),
                 exe::FixedText(key, kKeyBytes), chassis.keyBytes});
        }
    }
    if (patches.empty()) return true;

    const platform::Status writable = platform::Fs().CheckWritable(exePath_);
    if (!writable) {
        ReportWriteFailure("GPL.EXE cannot be opened for writing (" + writable.description +
                           "): it may be read-only, or GPL may be running.\r"
                           "GPL.EXE has not been changed; the engines stay as they were.");
        return false;
    }
    for (const auto& patch : patches) {
        const auto now = exe::ReadBytes(exePath_, patch.offset, patch.expected.size());
        if (!now || *now != patch.expected) {
            ReportWriteFailure(
                "GPL.EXE has been changed by another program since ZAM read its engine "
                "tables.\rGPL.EXE has not been changed; the engines stay as they were.");
            return false;
        }
    }
    // The patches go into a copy beside the executable, under a name claimed for it alone (a
    // file of the user's of any name is never touched), which then replaces it in one step: a
    // failure at any point, or the program being killed, leaves GPL.EXE exactly as it was.
    auto& fs = platform::Fs();
    std::string patched;
    platform::Status written = platform::WriteTemporaryBeside(exePath_, ".zamnew", {}, patched);
    if (written) written = fs.Copy(exePath_, patched);
    for (std::size_t i = 0; written && i < patches.size(); ++i)
        written = exe::WriteBytes(patched, patches[i].offset, patches[i].bytes);
    if (written) written = platform::RetryWhileLocked([&] { return fs.Rename(patched, exePath_); });
    if (!written) {
        if (!patched.empty()) (void)fs.Delete(patched);
        ReportWriteFailure("Writing GPL.EXE failed (" + written.description +
                           ").\rGPL.EXE has not been changed; the engines stay as they were.");
        return false;
    }

    for (std::size_t c = 0; c < chassis_.size(); ++c)
        if (static_cast<int>(c) != kUnusedChassis) chassis_[c].found = chassis_[c].chosen;
    try {
        TakeSnapshot();
    } catch (const std::exception&) {
        status_ = true;  // cannot tell any more what the file holds: no further writes
    }
    return true;
}

}  // namespace zam
