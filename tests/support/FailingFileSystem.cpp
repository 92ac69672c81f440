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

Status FailingFileSystem::WriteAt(std::string_view path, std::uint64_t offset,
                                  std::string_view bytes) {
    Status s = Enter(FsOp::kWriteAt, path);
    if (!s && writePartly_) (void)inner_.WriteAt(path, offset, bytes.substr(0, bytes.size() / 2));
    return s.ok() ? inner_.WriteAt(path, offset, bytes) : s;
}

Status FailingFileSystem::WriteNew(std::string_view path, std::string_view bytes) {
    Status s = Enter(FsOp::kWriteNew, path);
    if (!s && writePartly_) (void)inner_.WriteNew(path, bytes.substr(0, bytes.size() / 2));
    return s.ok() ? inner_.WriteNew(path, bytes) : s;
}

bool FailingFileSystem::Pause(std::chrono::milliseconds delay) {
    log_.push_back("Pause " + std::to_string(delay.count()));
    paused_ += delay;
    return true;
}

}  // namespace zam::test
