// Records of the store, value access and introspection.
#include "zam/store/IniStore.h"

#include <limits>

#include "IniLineParser.h"
#include "IniStoreImpl.h"
#include "zam/platform/Text.h"
#include "zam/store/Globals.h"

namespace zam {

using store_detail::EntryRecord;
using store_detail::FileRecord;
using store_detail::SectionRecord;

// ---- Impl: records ---------------------------------------------------------------------------

void IniStore::Impl::Reset(std::int32_t size) {
    files.clear();
    files.emplace_back();
    files[0].sections.emplace_back();
    fileIndex.clear();
    registered.clear();
    registered.shrink_to_fit();
    seeds.clear();
    seeds.shrink_to_fit();
    indexSize = size < 1 ? 1 : size;
    table.Reset(indexSize);
    // A recorded index size is four times the keys of the last run (RecordIndexSize): room for
    // that many keys is taken at once, so that a load like the last never copies its keys on the
    // way. Pages of it that no key reaches are never touched.
    registered.reserve(static_cast<std::size_t>(indexSize / 4));
    seeds.reserve(static_cast<std::size_t>(indexSize / 4));
    laidOut = true;
}

std::int32_t IniStore::Impl::FileNo(std::string_view name) const {
    auto it = fileIndex.find(platform::UpperCase(name));
    return it == fileIndex.end() ? 0 : it->second;
}

std::int32_t IniStore::Impl::SectionNo(std::int32_t file, std::string_view name) const {
    const auto& index = files[file].sectionIndex;
    auto it = index.find(platform::UpperCase(name));
    return it == index.end() ? 0 : it->second;
}

std::int32_t IniStore::Impl::EnsureFile(std::string_view name) {
    auto [it, added] =
        fileIndex.try_emplace(platform::UpperCase(name), static_cast<std::int32_t>(files.size()));
    if (added) {
        FileRecord record;
        record.name = std::string(name);
        record.sections.emplace_back();
        files.push_back(std::move(record));
    }
    return it->second;
}

std::int32_t IniStore::Impl::EnsureSection(std::int32_t file, std::string_view name) {
    auto& record = files[file];
    auto [it, added] = record.sectionIndex.try_emplace(
        platform::UpperCase(name), static_cast<std::int32_t>(record.sections.size()));
    if (added) {
        SectionRecord section;
        section.name = std::string(name);
        section.prefix.AddPart(record.name);
        section.prefix.AddPart(name);
        record.sections.push_back(std::move(section));
    }
    return it->second;
}

std::int32_t IniStore::Impl::AppendEntry(std::int32_t file, std::int32_t section,
                                         std::string_view name) {
    auto& record = files[file];
    EntryRecord entry;
    entry.name = record.Store(name);
    record.entries.push_back(entry);
    auto& list = record.sections[section].entries;
    list.push_back(static_cast<std::uint32_t>(record.entries.size() - 1));
    return static_cast<std::int32_t>(list.size());
}

bool IniStore::Impl::Valid(IniPosition p) const {
    if (p.file < 1 || p.file >= static_cast<std::int32_t>(files.size())) return false;
    const auto& sections = files[p.file].sections;
    if (p.section < 1 || p.section >= static_cast<std::int32_t>(sections.size())) return false;
    return p.entry >= 1 && p.entry <= static_cast<std::int32_t>(sections[p.section].entries.size());
}

std::string_view IniStore::Impl::EntryName(const store_detail::Slot& s) const {
    const auto& file = files[s.file];
    return file.Text(file.At(s.section, s.entry).name);
}

void IniStore::Impl::Update(IniPosition p, std::string_view value, std::string_view comment) {
    auto& file = files[p.file];
    auto& entry = file.At(p.section, p.entry);
    entry.setDeleted(false);
    if (file.Text(entry.value) == value && file.Text(entry.commentRef()) == comment) return;
    entry.value = file.Store(value);
    if (!comment.empty()) entry.setComment(file.Store(comment));
    if (!Initialising) file.changed = true;
}

// ---- construction ----------------------------------------------------------------------------

IniStore::IniStore(UserInterface& ui, std::int32_t indexSize) : ui_(ui), impl_(new Impl) {
    impl_->Reset(indexSize);
}

IniStore::~IniStore() { delete impl_; }

void IniStore::ResetStore(std::int32_t indexSize) { impl_->Reset(indexSize); }

// ---- value access ----------------------------------------------------------------------------

void IniStore::AddIniEntry(std::string_view file, std::string_view section, std::string_view entry,
                           std::string_view value, std::string_view comment) {
    if (file.find('?') != std::string_view::npos) return;
    IniPosition p = LocateIniEntry(file, section, entry, true);
    impl_->Update(p, value, comment);
}

const std::string& IniStore::Directory() const { return impl_->directory; }
void IniStore::SetDirectory(std::string directory) { impl_->directory = std::move(directory); }

std::string IniStore::IniValue(std::string_view file, std::string_view section,
                               std::string_view entry) {
    return FullPathIniValue(impl_->directory + std::string(file), section, entry);
}

std::string IniStore::FullPathIniValue(std::string_view file, std::string_view section,
                                       std::string_view entry) {
    return PositionalIniValue(LocateIniEntry(file, section, entry, false));
}

void IniStore::SetIniValue(std::string_view file, std::string_view section,
                           std::string_view entry, std::string_view value) {
    SetFullPathIniValue(impl_->directory + std::string(file), section, entry, value);
}

// A value that held a line end would write lines and sections of its own into the file; it is
// stored as a line can hold it (see OnOneLine), which is also what reading the file back gives.
void IniStore::SetFullPathIniValue(std::string_view file, std::string_view section,
                                   std::string_view entry, std::string_view value) {
    std::string storage;
    AddIniEntry(file, section, entry, store_detail::OnOneLine(value, storage), {});
}

void IniStore::SetDefaultValue(std::string_view file, std::string_view section,
                               std::string_view entry, std::string_view value) {
    if (FullPathIniValue(file, section, entry).empty())
        SetFullPathIniValue(file, section, entry, value);
}

void IniStore::DeleteIniValue(std::string_view file, std::string_view section,
                              std::string_view entry) {
    DeleteIniEntry(impl_->directory + std::string(file), section, entry);
}

void IniStore::DeleteIniEntry(std::string_view file, std::string_view section,
                              std::string_view entry) {
    if (platform::TrimSpaces(file) == "?") return;
    impl_->Record(LocateIniEntry(file, section, entry, true)).setDeleted(true);
}

std::string IniStore::PositionalIniValue(IniPosition position) const {
    if (!impl_->Valid(position)) return {};
    const auto& file = impl_->files[position.file];
    return std::string(file.Text(file.At(position.section, position.entry).value));
}

void IniStore::ReadTrackDirectory(std::string_view file) {
    ReadIniFile(impl_->directory + std::string(file));
}

void IniStore::UnloadWithoutSaving() { impl_->skipSave = true; }
bool IniStore::SkipSave() const { return impl_->skipSave; }

void IniStore::SetWritePath(std::int32_t fileNo, std::string logicalPath) {
    if (fileNo >= 1 && fileNo <= FileCount()) impl_->files[fileNo].writePath = std::move(logicalPath);
}

std::string IniStore::WritePath(std::int32_t fileNo) const {
    if (fileNo < 1 || fileNo > FileCount()) return {};
    const auto& file = impl_->files[fileNo];
    return file.writePath.empty() ? file.name : file.writePath;
}

// ---- introspection ---------------------------------------------------------------------------

std::int32_t IniStore::FileCount() const {
    return static_cast<std::int32_t>(impl_->files.size()) - 1;
}

std::string IniStore::FileName(std::int32_t fileNo) const {
    return fileNo >= 1 && fileNo <= FileCount() ? impl_->files[fileNo].name : std::string();
}

bool IniStore::FileChanged(std::int32_t fileNo) const {
    return fileNo >= 1 && fileNo <= FileCount() && impl_->files[fileNo].changed;
}

std::int32_t IniStore::FileNumber(std::string_view file) const { return impl_->FileNo(file); }

std::int32_t IniStore::SectionCount(std::int32_t fileNo) const {
    if (fileNo < 1 || fileNo > FileCount()) return 0;
    return static_cast<std::int32_t>(impl_->files[fileNo].sections.size()) - 1;
}

std::string IniStore::SectionName(std::int32_t fileNo, std::int32_t sectionNo) const {
    if (sectionNo < 1 || sectionNo > SectionCount(fileNo)) return {};
    return impl_->files[fileNo].sections[sectionNo].name;
}

std::int32_t IniStore::EntryCount(std::int32_t fileNo, std::int32_t sectionNo) const {
    if (sectionNo < 1 || sectionNo > SectionCount(fileNo)) return 0;
    return static_cast<std::int32_t>(impl_->files[fileNo].sections[sectionNo].entries.size());
}

IniEntryView IniStore::Entry(IniPosition position) const {
    if (!impl_->Valid(position)) return {};
    const auto& file = impl_->files[position.file];
    const auto& entry = file.At(position.section, position.entry);
    return {std::string(file.Text(entry.name)), std::string(file.Text(entry.value)),
            std::string(file.Text(entry.commentRef())), entry.deleted()};
}

}  // namespace zam
