// Reading INI files into the store.
#include <new>

#include "IniLineParser.h"
#include "IniStoreImpl.h"
#include "zam/platform/FileSystem.h"
#include "zam/store/Common.h"
#include "zam/store/Globals.h"

namespace zam {

using store_detail::LineKind;

namespace {

constexpr int kOutOfMemory = 7;

}  // namespace

void IniStore::Impl::Load(std::string_view fileKey, std::unique_ptr<std::string> bytes) {
    char* data = bytes->data();
    const std::size_t size = bytes->size();
    const std::size_t lines = store_detail::CountLineEnds(*bytes);

    // The file and section are resolved when their first entry arrives: a file or section that
    // adds no entry gets no record.
    std::int32_t file = 0;
    std::int32_t section = 0;
    std::string_view sectionName;
    std::int32_t commentCount = 0;
    std::string generatedName;

    auto add = [&](std::string_view name, std::string_view value, std::string_view comment) {
        if (file == 0) {
            file = EnsureFile(fileKey);
            auto& record = files[file];
            if (!record.loaded) record.loaded = std::move(bytes);
            record.entries.reserve(record.entries.size() + lines);
        }
        if (section == 0) section = EnsureSection(file, sectionName);
        Update(FindOrCreate(file, section, name), value, comment);
    };

    store_detail::ForEachLine(data, size, [&](char* line, std::size_t length) {
        store_detail::ParsedLine parsed = store_detail::ParseLine(line, length);
        switch (parsed.kind) {
            case LineKind::kComment:
                ++commentCount;
                generatedName.assign("; *** ").append(std::to_string(commentCount)).append(" ***");
                add(generatedName, {}, parsed.comment);
                break;
            case LineKind::kSection:
                sectionName = parsed.section;
                section = 0;
                break;
            case LineKind::kEntry:
                add(parsed.name, parsed.value, parsed.comment);
                break;
        }
    });
}

void IniStore::ReadIniFile(std::string_view fileName) {
    InitialisingScope loading(true);
    auto bytes = std::make_unique<std::string>();
    bool exists = false;
    platform::Status status = platform::Fs().ReadAllIfExists(fileName, *bytes, exists);
    if (!exists) return;
    ui_.SetStatus("Reading \r\r" + std::string(fileName));
    if (status.code == platform::kFileNotFound) return;  // gone between finding and reading it
    if (status.code == platform::kPathNotFound)
        ShowMessage(ui_, "Path Error :\r" + std::string(fileName), true);
    if (!status.ok())
        ShowMessage(ui_, UntrappedErrorText(status.code, status.description, "ReadIniFile"), true);

    if (fileName.find('?') != std::string_view::npos) return;  // such a key holds nothing
    try {
        impl_->Load(fileName, std::move(bytes));
    } catch (const std::bad_alloc&) {
        ShowMessage(ui_, UntrappedErrorText(kOutOfMemory, "Out of memory", "ReadIniFile"), true);
    }
}

}  // namespace zam
