#pragma once
// The in-memory INI store: every INI file the front end touches is read once into it, every named
// entry is registered in an open-addressing hash index, all reads and writes of settings go
// through it, and changed files are written back (with ".bak" and ".prv" beside them) when the
// owner is destroyed.
//
// Numbering: files, sections and entries are numbered from 1 in order of first appearance; index
// 0 of each array is an empty placeholder. Records are only ever appended, so an IniPosition stays
// valid for the whole run.
//
// Texts are Windows-1252 bytes. Names compare without regard to case; values compare exactly.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "zam/platform/Status.h"
#include "zam/store/UserInterface.h"

namespace zam {

struct IniPosition {
    std::int32_t file = 0;
    std::int32_t section = 0;
    std::int32_t entry = 0;

    bool found() const { return file > 0 && section > 0 && entry > 0; }
    friend bool operator==(const IniPosition&, const IniPosition&) = default;
};

// One line of a section as the store holds it (a copy, for tools and tests).
struct IniEntryView {
    std::string name;
    std::string value;
    std::string comment;
    bool deleted = false;
};

struct HashSlotView {
    std::string key;  // empty when the slot is free
    IniPosition position;
};

inline constexpr std::int32_t kDefaultIndexSize = 10000;

class IniStore {
public:
    explicit IniStore(UserInterface& ui, std::int32_t indexSize = kDefaultIndexSize);
    virtual ~IniStore();
    IniStore(const IniStore&) = delete;
    IniStore& operator=(const IniStore&) = delete;

    UserInterface& Ui() const { return ui_; }

    // ---- Reading files --------------------------------------------------------------------
    // Reads an INI file into the store under `fileName` (which is also its store key). A missing
    // file adds nothing. Lines end at CR, CR LF or LF.
    void ReadIniFile(std::string_view fileName);
    // The single way a value enters the store; private in spirit, public for the model's loaders.
    void AddIniEntry(std::string_view file, std::string_view section, std::string_view entry,
                     std::string_view value, std::string_view comment);

    // ---- Hash index -----------------------------------------------------------------------
    static std::string BuildIniKey(std::string_view file, std::string_view section,
                                   std::string_view entry);
    // Position-weighted sum of the key's bytes (upper-cased), from which its home slot comes.
    static double HashSum(std::string_view key);
    // Home slot of a key for a table of `indexSize` (no probing, no statistics).
    static std::int32_t HomeSlot(std::string_view key, std::int32_t indexSize);
    // Slot holding `key`, or the free slot where it would go (probing, counting statistics).
    std::int32_t HashIndex(std::string_view key);
    IniPosition LocateIniEntry(std::string_view file, std::string_view section,
                               std::string_view entry, bool search);
    IniPosition FindIniEntry(std::string_view file, std::string_view section,
                             std::string_view entry);
    // Writes "HashTable.csv" in the current directory.
    platform::Status ListHashTable();

    // Empties the store and re-creates the hash index with slots 0 to `indexSize`.
    void ResetStore(std::int32_t indexSize);
    // Start-up sizing: reset to 10000 slots, read `frontEndIni` ("ZAM.Ini"), and when its
    // [ZAM] IndexSize is larger, reset to that size and read the file again.
    void SizeIndexFrom(std::string_view frontEndIni);
    // End of run: stores 4 x the occupied slots as [ZAM] IndexSize of `frontEndIni`.
    void RecordIndexSize(std::string_view frontEndIni);

    std::int32_t IndexSize() const;
    std::int32_t OccupiedSlots() const;
    std::int32_t Hits() const;
    std::int32_t Mishits() const;
    std::int32_t FirstTimeHits() const;
    HashSlotView Slot(std::int32_t slot) const;
    // The probe steps a search for the key in `slot` takes from its home slot to `slot`, taken
    // from the index without building the key; -1 for a free slot or a slot out of range.
    std::int32_t ProbeDistance(std::int32_t slot) const;

    // ---- Value access ---------------------------------------------------------------------
    const std::string& Directory() const;
    void SetDirectory(std::string directory);

    std::string IniValue(std::string_view file, std::string_view section, std::string_view entry);
    std::string FullPathIniValue(std::string_view file, std::string_view section,
                                 std::string_view entry);
    void SetIniValue(std::string_view file, std::string_view section, std::string_view entry,
                     std::string_view value);
    void SetFullPathIniValue(std::string_view file, std::string_view section,
                             std::string_view entry, std::string_view value);
    void SetDefaultValue(std::string_view file, std::string_view section, std::string_view entry,
                         std::string_view value);
    void DeleteIniValue(std::string_view file, std::string_view section, std::string_view entry);
    void DeleteIniEntry(std::string_view file, std::string_view section, std::string_view entry);
    std::string PositionalIniValue(IniPosition position) const;
    void ReadTrackDirectory(std::string_view file);
    void UnloadWithoutSaving();
    bool SkipSave() const;

    // ---- Write-back -----------------------------------------------------------------------
    // Writes every changed file back, in file-number order (files added meanwhile are not
    // written). A file that `alternateWriter` takes (returns true for) is not written as INI.
    void WriteIniFiles();
    // Writes one store file back; false when it was not written (reported to the user).
    bool WriteIniFile(std::int32_t fileNo);

    // Another writer may take a changed file (the binary setup index does).
    std::function<bool(std::int32_t fileNo)> alternateWriter;
    // Runs after a file was written by WriteIniFile (the player-folder rename hangs here).
    std::function<void(std::int32_t fileNo)> afterFileWritten;
    // Where a file is written, when it must go elsewhere than its store key (a renamed folder).
    void SetWritePath(std::int32_t fileNo, std::string logicalPath);
    std::string WritePath(std::int32_t fileNo) const;

    // ---- Introspection --------------------------------------------------------------------
    std::int32_t FileCount() const;
    std::string FileName(std::int32_t fileNo) const;
    bool FileChanged(std::int32_t fileNo) const;
    std::int32_t FileNumber(std::string_view file) const;  // 0 when not in the store
    std::int32_t SectionCount(std::int32_t fileNo) const;
    std::string SectionName(std::int32_t fileNo, std::int32_t sectionNo) const;
    std::int32_t EntryCount(std::int32_t fileNo, std::int32_t sectionNo) const;
    IniEntryView Entry(IniPosition position) const;

private:
    struct Impl;
    UserInterface& ui_;
    Impl* impl_;
};

}  // namespace zam
