#include "FailingFileSystem.h"

#include <algorithm>
#include <iterator>

namespace zam::test {

using platform::Status;

// In the order of FsOp.
const char* FsOpName(FsOp op) {
    static constexpr const char* kNames[] = {
        "FileExists",    "FolderExists", "ReadAll",       "ReadAt",       "WriteAt",
        "CheckWritable", "Size",         "WriteNew",      "Copy",         "Rename",
        "Delete",        "IsReadOnly",   "ClearReadOnly", "CreateFolder", "List"};
    static_assert(std::size(kNames) == static_cast<std::size_t>(FsOp::kList) + 1);
    return kNames[static_cast<std::size_t>(op)];
}

FailingFileSystem::FailingFileSystem(platform::FileSystem& inner) : inner_(inner) {}

void FailingFileSystem::Fail(FsOp op, int nth, int code) {
    failures_[{op, nth}] = code;
}

void FailingFileSystem::FailPath(FsOp op, std::string pathPart, int code) {
    pathRules_.push_back({op, std::move(pathPart), code});
}

void FailingFileSystem::Before(FsOp op, int nth, std::function<void()> action) {
    actions_[{op, nth}] = std::move(action);
}

bool FailingFileSystem::Changes(FsOp op) {
    static constexpr FsOp kChanging[] = {FsOp::kWriteAt,     FsOp::kWriteNew, FsOp::kCopy,
                                         FsOp::kRename,      FsOp::kDelete,   FsOp::kClearReadOnly,
                                         FsOp::kCreateFolder};
    return std::find(std::begin(kChanging), std::end(kChanging), op) != std::end(kChanging);
}

void FailingFileSystem::FailChange(int nth, int code, bool andAfter) {
    failChange_ = nth;
    failChangeCode_ = code;
    failChangesAfter_ = andAfter;
}

int FailingFileSystem::Calls(FsOp op) const {
    auto it = calls_.find(op);
    return it == calls_.end() ? 0 : it->second;
}

Status FailingFileSystem::Enter(FsOp op, std::string_view path, std::string_view second) {
    int n = ++calls_[op];
    std::string entry = std::string(FsOpName(op)) + " " + std::string(path);
    if (!second.empty()) entry += " -> " + std::string(second);
    log_.push_back(entry);
    if (auto action = actions_.find({op, n}); action != actions_.end()) action->second();
    Status injected = Injected(op, n, path);
    if (!injected) ++injected_;
    return injected;
}

Status FailingFileSystem::Injected(FsOp op, int n, std::string_view path) {
    if (Changes(op)) {
        int change = ++changes_;
        if (failChange_ > 0 &&
            (change == failChange_ || (failChangesAfter_ && change > failChange_)))
            return Status::Error(failChangeCode_);
    }
    for (int key : {n, 0})
        if (auto it = failures_.find({op, key}); it != failures_.end())
            return Status::Error(it->second);
    for (const auto& rule : pathRules_)
        if (rule.op == op && path.find(rule.part) != std::string_view::npos)
            return Status::Error(rule.code);
    return Status::Ok();
}

bool FailingFileSystem::FileExists(std::string_view path) {
    return Enter(FsOp::kFileExists, path).ok() && inner_.FileExists(path);
}

bool FailingFileSystem::FolderExists(std::string_view path) {
    return Enter(FsOp::kFolderExists, path).ok() && inner_.FolderExists(path);
}

Status FailingFileSystem::ReadAll(std::string_view path, std::string& bytes) {
    Status s = Enter(FsOp::kReadAll, path);
    return s.ok() ? inner_.ReadAll(path, bytes) : s;
}

Status FailingFileSystem::ReadAt(std::string_view path, std::uint64_t offset, std::size_t count,
                                 std::string& bytes) {
    Status s = Enter(FsOp::kReadAt, path);
    return s.ok() ? inner_.ReadAt(path, offset, count, bytes) : s;
}

Status FailingFileSystem::WriteAt(std::string_view path, std::uint64_t offset,
                                  std::string_view bytes) {
    Status s = Enter(FsOp::kWriteAt, path);
    if (!s && writePartly_) (void)inner_.WriteAt(path, offset, bytes.substr(0, bytes.size() / 2));
    return s.ok() ? inner_.WriteAt(path, offset, bytes) : s;
}

Status FailingFileSystem::CheckWritable(std::string_view path) {
    Status s = Enter(FsOp::kCheckWritable, path);
    return s.ok() ? inner_.CheckWritable(path) : s;
}

Status FailingFileSystem::Size(std::string_view path, std::uint64_t& size) {
    Status s = Enter(FsOp::kSize, path);
    return s.ok() ? inner_.Size(path, size) : s;
}

Status FailingFileSystem::WriteNew(std::string_view path, std::string_view bytes) {
    Status s = Enter(FsOp::kWriteNew, path);
    if (!s && writePartly_) (void)inner_.WriteNew(path, bytes.substr(0, bytes.size() / 2));
    return s.ok() ? inner_.WriteNew(path, bytes) : s;
}

Status FailingFileSystem::Copy(std::string_view from, std::string_view to) {
    Status s = Enter(FsOp::kCopy, from, to);
    return s.ok() ? inner_.Copy(from, to) : s;
}

Status FailingFileSystem::Rename(std::string_view from, std::string_view to) {
    Status s = Enter(FsOp::kRename, from, to);
    return s.ok() ? inner_.Rename(from, to) : s;
}

Status FailingFileSystem::Delete(std::string_view path) {
    Status s = Enter(FsOp::kDelete, path);
    return s.ok() ? inner_.Delete(path) : s;
}

Status FailingFileSystem::IsReadOnly(std::string_view path, bool& readOnly) {
    Status s = Enter(FsOp::kIsReadOnly, path);
    return s.ok() ? inner_.IsReadOnly(path, readOnly) : s;
}

Status FailingFileSystem::ClearReadOnly(std::string_view path) {
    Status s = Enter(FsOp::kClearReadOnly, path);
    return s.ok() ? inner_.ClearReadOnly(path) : s;
}

Status FailingFileSystem::CreateFolder(std::string_view path) {
    Status s = Enter(FsOp::kCreateFolder, path);
    return s.ok() ? inner_.CreateFolder(path) : s;
}

Status FailingFileSystem::List(std::string_view folderAndPattern, unsigned kinds,
                               std::vector<std::string>& names) {
    Status s = Enter(FsOp::kList, folderAndPattern);
    return s.ok() ? inner_.List(folderAndPattern, kinds, names) : s;
}

bool FailingFileSystem::Pause(std::chrono::milliseconds delay) {
    log_.push_back("Pause " + std::to_string(delay.count()));
    paused_ += delay;
    return true;
}

}  // namespace zam::test
