// Writing changed files back to disk.
//
// Each changed file is rendered from the store and replaced through FileWriteBack, which keeps
// F + ".bak" (made once) and F + ".prv" (the file before this write) beside it.
#include "IniLayout.h"
#include "IniStoreImpl.h"
#include "zam/store/Common.h"
#include "zam/store/FileWriteBack.h"

namespace zam {

bool IniStore::WriteIniFile(std::int32_t fileNo) {
    if (fileNo < 1 || fileNo > FileCount()) return false;
    const std::string path = WritePath(fileNo);
    std::string text = store_detail::RenderIniFile(impl_->files[fileNo], path);
    ui_.SetStatus("Updating " + path);
    FileWriteBack write(path);
    if (!write.Run(text)) {
        ui_.ShowMessage(write.Failure(), kAppTitle);
        return false;
    }
    if (afterFileWritten) afterFileWritten(fileNo);
    return true;
}

void IniStore::WriteIniFiles() {
    if (impl_->skipSave) return;
    const std::int32_t count = FileCount();  // files added meanwhile are not written
    for (std::int32_t f = 1; f <= count; ++f) {
        if (!impl_->files[f].changed) continue;
        if (alternateWriter && alternateWriter(f)) continue;
        WriteIniFile(f);
    }
}

}  // namespace zam
