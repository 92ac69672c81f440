#include "zam/model/SetupsDef.h"

#include "zam/model/Catalogues.h"
#include "zam/platform/FileSystem.h"
#include "zam/platform/Text.h"

namespace zam {

namespace {

constexpr std::array<std::string_view, 2> kSections = {"Race", "Current"};
// Classes of the three named slots of each car, in file order (class numbers 1 to 3).
constexpr std::array<std::string_view, 3> kSlotClasses = {"F3", "F2", "F1"};
// Each car has its three named slots and one zero slot.
constexpr std::size_t kSlotsPerCar = kSlotClasses.size() + 1;
constexpr std::size_t kSlotsPerSection = kCarFolders.size() * kSlotsPerCar;

// File slot (0-based, after the header) of named slot `index`.
std::size_t FileSlotOf(std::size_t index) {
    const std::size_t perSection = kCarFolders.size() * kSlotClasses.size();
    const std::size_t section = index / perSection;
    const std::size_t car = (index % perSection) / kSlotClasses.size();
    const std::size_t cls = index % kSlotClasses.size();
    return section * kSlotsPerSection + car * kSlotsPerCar + cls;
}

std::array<SetupSlot, kSetupsNamedSlots> MakeSlots() {
    std::array<SetupSlot, kSetupsNamedSlots> slots;
    std::size_t i = 0;
    for (auto section : kSections)
        for (auto car : kCarFolders)
            for (auto cls : kSlotClasses)
                slots[i++] = {std::string(section), std::string(cls) + std::string(car)};
    return slots;
}

// The name in one slot: the bytes up to the first 00. A slot that the end of the file cuts off
// before any 00 may hold half a name, so it counts as empty.
std::string SlotName(std::string_view bytes, std::size_t offset) {
    if (offset >= bytes.size()) return {};
    const std::string_view slot = bytes.substr(offset, kSetupsSlotSize);
    const std::size_t end = slot.find('\0');
    if (end == std::string_view::npos && slot.size() < kSetupsSlotSize) return {};
    return std::string(platform::TrimSpaces(slot.substr(0, end)));
}

std::string Header() {
    std::string header = "PLSD";
    header += std::string("\x01\x00\x00\x00", 4);
    header += "88";
    header.resize(kSetupsHeaderSize, '\0');
    return header;
}

}  // namespace

const std::array<SetupSlot, kSetupsNamedSlots>& SetupSlots() {
    static const auto slots = MakeSlots();
    return slots;
}

int SetupSlotIndex(std::string_view section, std::string_view entry) {
    const auto& slots = SetupSlots();
    for (std::size_t i = 0; i < slots.size(); ++i)
        if (platform::EqualNoCase(slots[i].section, section) &&
            platform::EqualNoCase(slots[i].entry, entry))
            return static_cast<int>(i);
    return -1;
}

SetupNames ParseSetupsDef(std::string_view bytes) {
    SetupNames names;
    for (std::size_t i = 0; i < names.size(); ++i)
        names[i] = SlotName(bytes, kSetupsHeaderSize + FileSlotOf(i) * kSetupsSlotSize);
    return names;
}

std::string BuildSetupsDef(const SetupNames& names) {
    std::string bytes = Header();
    bytes.resize(kSetupsFileSize, '\0');
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string_view name = std::string_view(names[i]).substr(0, kSetupsMaxNameLength);
        bytes.replace(kSetupsHeaderSize + FileSlotOf(i) * kSetupsSlotSize, name.size(), name);
    }
    return bytes;
}

platform::Status ReadSetupsDefFile(std::string_view path, SetupNames& names) {
    names = {};
    auto& fs = platform::Fs();
    if (!fs.FileExists(path) && !fs.FolderExists(path))
        return platform::Status::Error(platform::kFileNotFound);
    std::string bytes;
    platform::Status status = fs.ReadAll(path, bytes);
    if (status) names = ParseSetupsDef(bytes);
    return status;
}

platform::Status WriteSetupsDefFile(std::string_view path, const SetupNames& names) {
    return platform::ReplaceFile(path, BuildSetupsDef(names), ".tmp");
}

}  // namespace zam
