#pragma once
// The normalised text of a store file as the write-back writes it.
#include <string>
#include <string_view>

#include "StoreRecords.h"

namespace zam::store_detail {

// `path` is where the file is written; its name decides the separator and header style (season
// files and GLIDE.INI keep the simulator's own tight style). Lines end in CR LF.
std::string RenderIniFile(const FileRecord& file, std::string_view path);

}  // namespace zam::store_detail
