#pragma once
// Shared pieces of the installation-model tests: a small installation in a temporary folder, a
// file system that fails chosen operations, and helpers to read what was written.
#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "FakeUi.h"
#include "TempDir.h"
#include "zam/platform/FileSystem.h"
#include "zam/store/Globals.h"
#include "zam/tools/DemoInstallation.h"

namespace zam::test {

// An INI text from lines, each ended by CR LF.
std::string IniText(std::initializer_list<std::string_view> lines);

// A temporary folder holding a program folder "prog\" (the current directory while the test
// runs, with ZAM.Ini) and an empty simulator folder "gpl\" for the demo installation. Start-up
// runs with Initialising set, as the main window does; the test ends with it cleared.
class GplTest : public testing::Test {
protected:
    GplTest();
    ~GplTest() override;

    // Logical simulator folder, ending in a separator.
    std::string Gpl() const { return tmp.logical() + "gpl/"; }
    // The generated demo installation in the simulator folder, and ZAM.Ini leading to it.
    void MakeDemo(const tools::DemoOptions& options = {});
    std::filesystem::path GplFile(std::string_view relative) const {
        return tmp.file("gpl/" + std::string(relative));
    }
    void WriteGpl(std::string_view relative, std::string_view bytes) const {
        tmp.write("gpl/" + std::string(relative), bytes);
    }
    void RemoveGpl(std::string_view relative) const {
        std::filesystem::remove(GplFile(relative));
    }

    TempDir tmp;
    FakeUi ui;

private:
    std::unique_ptr<ScopedCurrentDir> cwd_;
};

// The native file system, except that every operation of the listed kind on a path containing
// `pathPart` fails with `code`.
class FailingFs : public platform::FileSystem {
public:
    enum Op : unsigned { kRead = 1, kWrite = 2, kRename = 4 };
    FailingFs(std::string pathPart, unsigned ops, int code = platform::kPermissionDenied)
        : part_(std::move(pathPart)), ops_(ops), code_(code) {}

    bool FileExists(std::string_view p) override { return base().FileExists(p); }
    bool FolderExists(std::string_view p) override { return base().FolderExists(p); }
    platform::Status ReadAll(std::string_view p, std::string& b) override {
        return Fails(p, kRead) ? Error() : base().ReadAll(p, b);
    }
    platform::Status ReadAt(std::string_view p, std::uint64_t o, std::size_t n,
                            std::string& b) override {
        return Fails(p, kRead) ? Error() : base().ReadAt(p, o, n, b);
    }
    platform::Status WriteAt(std::string_view p, std::uint64_t o, std::string_view b) override {
        return Fails(p, kWrite) ? Error() : base().WriteAt(p, o, b);
    }
    platform::Status CheckWritable(std::string_view p) override {
        return Fails(p, kWrite) ? Error() : base().CheckWritable(p);
    }
    platform::Status Size(std::string_view p, std::uint64_t& s) override {
        return base().Size(p, s);
    }
    platform::Status WriteNew(std::string_view p, std::string_view b) override {
        return Fails(p, kWrite) ? Error() : base().WriteNew(p, b);
    }
    platform::Status Copy(std::string_view f, std::string_view t) override {
        return Fails(t, kWrite) ? Error() : base().Copy(f, t);
    }
    platform::Status Rename(std::string_view f, std::string_view t) override {
        return Fails(f, kRename) || Fails(t, kRename) ? Error() : base().Rename(f, t);
    }
    platform::Status Delete(std::string_view p) override { return base().Delete(p); }
    platform::Status IsReadOnly(std::string_view p, bool& r) override {
        return base().IsReadOnly(p, r);
    }
    platform::Status ClearReadOnly(std::string_view p) override { return base().ClearReadOnly(p); }
    platform::Status CreateFolder(std::string_view p) override { return base().CreateFolder(p); }
    platform::Status List(std::string_view p, unsigned k, std::vector<std::string>& n) override {
        return base().List(p, k, n);
    }

private:
    static platform::FileSystem& base() { return platform::NativeFileSystem(); }
    bool Fails(std::string_view p, Op op) const {
        return (ops_ & op) != 0 && p.find(part_) != std::string_view::npos;
    }
    platform::Status Error() const { return platform::Status::Error(code_); }

    std::string part_;
    unsigned ops_;
    int code_;
};

}  // namespace zam::test
