#pragma once
// A file system for fault-injection tests: every call goes to the native file system, except the
// calls a test chose to fail (the Nth call of an operation, or every call of it, or every call
// on a path containing a given text). It also records every call, and can run an action just
// before a chosen call (to delete a file between two steps, say).
//
//   zam::test::FailingFileSystem fs;
//   fs.Fail(FsOp::kRename, 1, zam::platform::kIoError);
//   zam::platform::ScopedFileSystem use(fs);
#include <algorithm>
#include <chrono>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "zam/platform/FileSystem.h"

namespace zam::test {

enum class FsOp {
    kFileExists, kFolderExists, kReadAll, kReadAt, kWriteAt, kCheckWritable, kSize, kWriteNew,
    kCopy, kRename, kDelete, kIsReadOnly, kClearReadOnly, kCreateFolder, kList,
};

// In the order of FsOp.
inline const char* FsOpName(FsOp op) {
    static constexpr const char* kNames[] = {
        "FileExists",    "FolderExists", "ReadAll",       "ReadAt",       "WriteAt",
        "CheckWritable", "Size",         "WriteNew",      "Copy",         "Rename",
        "Delete",        "IsReadOnly",   "ClearReadOnly", "CreateFolder", "List"};
    static_assert(std::size(kNames) == static_cast<std::size_t>(FsOp::kList) + 1);
    return kNames[static_cast<std::size_t>(op)];
}

class FailingFileSystem : public platform::FileSystem {
public:
    explicit FailingFileSystem(platform::FileSystem& inner = platform::NativeFileSystem())
        : inner_(inner) {}

    // Fails the `nth` call (1-based, counted from the start) of `op` with `code`; nth 0 fails
    // every call. Failed calls do not reach the native file system. (FileExists and FolderExists
    // answer false when failed.)
    void Fail(FsOp op, int nth, int code = platform::kIoError) { failures_[{op, nth}] = code; }
    // Fails every call of `op` whose (first) path contains `pathPart`.
    void FailPath(FsOp op, std::string pathPart, int code = platform::kIoError) {
        pathRules_.push_back({op, std::move(pathPart), code});
    }
    // Runs `action` just before the `nth` call of `op` is carried out.
    void Before(FsOp op, int nth, std::function<void()> action) {
        actions_[{op, nth}] = std::move(action);
    }

    // Calls that change what is on disk: WriteAt, WriteNew, Copy, Rename, Delete, ClearReadOnly,
    // CreateFolder. Fault-injection sweeps count them in one sequence, whatever their kind.
    static bool Changes(FsOp op) {
        static constexpr FsOp kChanging[] = {
            FsOp::kWriteAt, FsOp::kWriteNew,      FsOp::kCopy,        FsOp::kRename,
            FsOp::kDelete,  FsOp::kClearReadOnly, FsOp::kCreateFolder};
        return std::find(std::begin(kChanging), std::end(kChanging), op) != std::end(kChanging);
    }
    // Fails the `nth` such call (1-based) with `code`; with `andAfter` every later one as well (a
    // disk that stays full, a medium that went away).
    void FailChange(int nth, int code, bool andAfter = false) {
        failChange_ = nth;
        failChangeCode_ = code;
        failChangesAfter_ = andAfter;
    }
    // When an injected failure hits WriteNew or WriteAt, the first half of the bytes reaches the
    // disk before the call fails, as when the disk fills up in the middle of a write.
    void WritePartly(bool partly) { writePartly_ = partly; }
    // Changing calls so far, and how many of them were failed by injection.
    int Changes() const { return changes_; }
    int InjectedFailures() const { return injected_; }

    int Calls(FsOp op) const {
        auto it = calls_.find(op);
        return it == calls_.end() ? 0 : it->second;
    }
    // "Rename <from> -> <to>", "WriteNew <path>", ... in call order.
    const std::vector<std::string>& Log() const { return log_; }

    // Each call goes to the inner file system unless Enter gives an injected failure.
    bool FileExists(std::string_view path) override {
        return Enter(FsOp::kFileExists, path).ok() && inner_.FileExists(path);
    }
    bool FolderExists(std::string_view path) override {
        return Enter(FsOp::kFolderExists, path).ok() && inner_.FolderExists(path);
    }
    platform::Status ReadAll(std::string_view path, std::string& bytes) override {
        return Pass(FsOp::kReadAll, path, [&] { return inner_.ReadAll(path, bytes); });
    }
    platform::Status ReadAt(std::string_view path, std::uint64_t offset, std::size_t count,
                            std::string& bytes) override {
        return Pass(FsOp::kReadAt, path, [&] { return inner_.ReadAt(path, offset, count, bytes); });
    }
    platform::Status WriteAt(std::string_view path, std::uint64_t offset,
                             std::string_view bytes) override {
        platform::Status s = Enter(FsOp::kWriteAt, path);
        if (!s && writePartly_)
            (void)inner_.WriteAt(path, offset, bytes.substr(0, bytes.size() / 2));
        return s.ok() ? inner_.WriteAt(path, offset, bytes) : s;
    }
    platform::Status CheckWritable(std::string_view path) override {
        return Pass(FsOp::kCheckWritable, path, [&] { return inner_.CheckWritable(path); });
    }
    platform::Status Size(std::string_view path, std::uint64_t& size) override {
        return Pass(FsOp::kSize, path, [&] { return inner_.Size(path, size); });
    }
    platform::Status WriteNew(std::string_view path, std::string_view bytes) override {
        platform::Status s = Enter(FsOp::kWriteNew, path);
        if (!s && writePartly_) (void)inner_.WriteNew(path, bytes.substr(0, bytes.size() / 2));
        return s.ok() ? inner_.WriteNew(path, bytes) : s;
    }
    platform::Status Copy(std::string_view from, std::string_view to) override {
        return Pass(
            FsOp::kCopy, from, [&] { return inner_.Copy(from, to); }, to);
    }
    platform::Status Rename(std::string_view from, std::string_view to) override {
        return Pass(
            FsOp::kRename, from, [&] { return inner_.Rename(from, to); }, to);
    }
    platform::Status Delete(std::string_view path) override {
        return Pass(FsOp::kDelete, path, [&] { return inner_.Delete(path); });
    }
    platform::Status IsReadOnly(std::string_view path, bool& readOnly) override {
        return Pass(FsOp::kIsReadOnly, path, [&] { return inner_.IsReadOnly(path, readOnly); });
    }
    platform::Status ClearReadOnly(std::string_view path) override {
        return Pass(FsOp::kClearReadOnly, path, [&] { return inner_.ClearReadOnly(path); });
    }
    platform::Status CreateFolder(std::string_view path) override {
        return Pass(FsOp::kCreateFolder, path, [&] { return inner_.CreateFolder(path); });
    }
    platform::Status List(std::string_view folderAndPattern, unsigned kinds,
                          std::vector<std::string>& names) override {
        return Pass(FsOp::kList, folderAndPattern,
                    [&] { return inner_.List(folderAndPattern, kinds, names); });
    }
    // Waits for nothing; logs "Pause <ms>" and adds the time to Paused().
    bool Pause(std::chrono::milliseconds delay) override {
        log_.push_back("Pause " + std::to_string(delay.count()));
        paused_ += delay;
        return true;
    }
    std::chrono::milliseconds Paused() const { return paused_; }

private:
    // Counts and logs the call, runs a pending action, and gives the injected failure, if any.
    platform::Status Enter(FsOp op, std::string_view path, std::string_view second = {}) {
        int n = ++calls_[op];
        std::string entry = std::string(FsOpName(op)) + " " + std::string(path);
        if (!second.empty()) entry += " -> " + std::string(second);
        log_.push_back(entry);
        if (auto action = actions_.find({op, n}); action != actions_.end()) action->second();
        platform::Status injected = Injected(op, n, path);
        if (!injected) ++injected_;
        return injected;
    }
    platform::Status Injected(FsOp op, int n, std::string_view path) {
        if (Changes(op)) {
            int change = ++changes_;
            if (failChange_ > 0 &&
                (change == failChange_ || (failChangesAfter_ && change > failChange_)))
                return platform::Status::Error(failChangeCode_);
        }
        for (int key : {n, 0})
            if (auto it = failures_.find({op, key}); it != failures_.end())
                return platform::Status::Error(it->second);
        for (const auto& rule : pathRules_)
            if (rule.op == op && path.find(rule.part) != std::string_view::npos)
                return platform::Status::Error(rule.code);
        return platform::Status::Ok();
    }
    // Enter, then `call` (the inner file system's) unless a failure was injected.
    template <class Call>
    platform::Status Pass(FsOp op, std::string_view path, Call call, std::string_view second = {}) {
        platform::Status s = Enter(op, path, second);
        return s.ok() ? call() : s;
    }

    struct PathRule {
        FsOp op;
        std::string part;
        int code;
    };

    platform::FileSystem& inner_;
    std::map<FsOp, int> calls_;
    std::map<std::pair<FsOp, int>, int> failures_;
    std::vector<PathRule> pathRules_;
    std::map<std::pair<FsOp, int>, std::function<void()>> actions_;
    std::vector<std::string> log_;
    int changes_ = 0;
    int injected_ = 0;
    int failChange_ = 0;
    int failChangeCode_ = 0;
    bool failChangesAfter_ = false;
    bool writePartly_ = false;
    std::chrono::milliseconds paused_{0};
};

}  // namespace zam::test
