// What only the Windows side of the platform layer does: identity paths, the program's own
// folder, the read-only attribute, locked files, CreateProcess and the registry.
#ifdef _WIN32
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cwctype>
#include <filesystem>
#include <string>

#include "TempDir.h"
#include "zam/platform/FileSystem.h"
#include "zam/platform/Paths.h"
#include "zam/platform/Process.h"
#include "zam/platform/System.h"

namespace {

namespace fs = std::filesystem;
using namespace zam::platform;
using zam::test::TempDir;

std::string Logical(const fs::path& p) { return LogicalFromNative(p); }

// Names one folder? Windows names compare without case; a trailing separator changes nothing.
// (std::filesystem::equivalent opens both, which not every Windows file system allows for folders.)
std::wstring FolderKey(const fs::path& p) {
    std::wstring text = fs::absolute(p).lexically_normal().wstring();
    for (wchar_t& c : text) c = c == L'/' ? L'\\' : static_cast<wchar_t>(::towlower(c));
    while (!text.empty() && text.back() == L'\\') text.pop_back();
    return text;
}

TEST(Win32Paths, DriveLetterPathsAreTheirOwnNativePath) {
    EXPECT_EQ(NativePath("C:\\Sierra\\GPL\\GPL.EXE").wstring(), L"C:\\Sierra\\GPL\\GPL.EXE");
    EXPECT_EQ(NativePath("Players\\Ann\\").wstring(), L"Players\\Ann\\");
    EXPECT_EQ(NativePath("C:\\GPL\\\xE9t\xE9.ini").wstring(), L"C:\\GPL\\\u00E9t\u00E9.ini");
    EXPECT_EQ(NativePath("\x80.ini").wstring(), L"\u20AC.ini");
    EXPECT_EQ(LogicalFromNative(fs::path(L"C:\\GPL\\\u00E9t\u00E9\u20AC.ini")), "C:\\GPL\\\xE9t\xE9\x80.ini");
    // A character the code page cannot hold is never replaced by a guess ("?" or a look-alike,
    // both other files): a file without a short name then has no name here at all.
    EXPECT_EQ(LogicalFromNative(fs::path(L"\u4E2D.ini")), "");
}

TEST(Win32Paths, CurrentAndProgramFolder) {
    TempDir dir;
    fs::create_directories(dir.path() / "Sub Folder");
    zam::test::ScopedCurrentDir cwd(dir.path());
    std::string here = CurrentDirectory();
    ASSERT_FALSE(here.empty());
    EXPECT_EQ(here.back(), '\\');
    EXPECT_EQ(FolderKey(NativePath(here)), FolderKey(dir.path()));
    ASSERT_TRUE(ChangeDirectory("SUB FOLDER"));
    EXPECT_EQ(FolderKey(NativePath(CurrentDirectory())), FolderKey(dir.path() / "Sub Folder"));
    EXPECT_FALSE(ChangeDirectory("missing"));
    EXPECT_FALSE(ChangeDirectory(""));

    std::string program = ProgramFolder();
    ASSERT_FALSE(program.empty());
    EXPECT_EQ(program.back(), '\\');
    EXPECT_EQ(ProgramName(), "platform_tests");
    EXPECT_TRUE(Fs().FileExists(program + ProgramName() + ".exe"));
}

TEST(Win32FileSystem, ReadOnlyAttributeIsTheWindowsOne) {
    TempDir dir;
    std::string exe = Logical(dir.write("GPL.EXE", "0123"));
    ASSERT_TRUE(::SetFileAttributesW(NativePath(exe).c_str(), FILE_ATTRIBUTE_READONLY));
    bool readOnly = false;
    ASSERT_TRUE(Fs().IsReadOnly(exe, readOnly).ok());
    EXPECT_TRUE(readOnly);
    EXPECT_EQ(Fs().WriteAt(exe, 0, "x").code, kPermissionDenied);
    ASSERT_TRUE(Fs().ClearReadOnly(exe).ok());
    DWORD attributes = ::GetFileAttributesW(NativePath(exe).c_str());
    EXPECT_EQ(attributes & FILE_ATTRIBUTE_READONLY, 0u);
    ASSERT_TRUE(Fs().WriteAt(exe, 0, "x").ok());
    EXPECT_EQ(dir.read("GPL.EXE"), "x123");
}

TEST(Win32FileSystem, CopyKeepsTheReadOnlyAttributeOfItsSource) {
    TempDir dir;
    std::string from = Logical(dir.write("a.ini", "data"));
    std::string to = Logical(dir.file("b.ini"));
    ASSERT_TRUE(::SetFileAttributesW(NativePath(from).c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(Fs().Copy(from, to).ok());
    EXPECT_EQ(dir.read("b.ini"), "data");
    bool readOnly = false;
    ASSERT_TRUE(Fs().IsReadOnly(to, readOnly).ok());
    EXPECT_TRUE(readOnly);
    ASSERT_TRUE(Fs().ClearReadOnly(from).ok());
    ASSERT_TRUE(Fs().ClearReadOnly(to).ok());
}

TEST(Win32FileSystem, AFileOpenElsewhereWithoutSharingIsAnAccessError) {
    TempDir dir;
    std::string exe = Logical(dir.write("GPL.EXE", "0123"));
    HANDLE held = ::CreateFileW(NativePath(exe).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Fs().CheckWritable(exe).code, kPathFileAccessError);
    EXPECT_EQ(Fs().WriteAt(exe, 0, "x").code, kPathFileAccessError);
    std::string bytes;
    EXPECT_EQ(Fs().ReadAll(exe, bytes).code, kPathFileAccessError);
    ::CloseHandle(held);
    EXPECT_TRUE(Fs().CheckWritable(exe).ok());
    EXPECT_EQ(dir.read("GPL.EXE"), "0123");
}

TEST(Win32FileSystem, ListingMatchesLongNamesOnly) {
    TempDir dir;
    dir.write("Setups/a.ini", "");
    dir.write("Setups/abcdefghij.inix", "");  // its 8.3 short name ends in ".INI"
    std::vector<std::string> names;
    ASSERT_TRUE(Fs().List(Logical(dir.file("Setups")) + "\\*.ini", kListFiles, names).ok());
    EXPECT_EQ(names, std::vector<std::string>{"a.ini"});
}

TEST(Win32FileSystem, NamesAreWindowsOneTwoFiveTwoSortedWithoutCase) {
    TempDir dir;
    dir.write("t/b.trk", "");
    dir.write("t/A.trk", "");
    {
        std::FILE* f = ::_wfopen((dir.path() / L"t" / L"\u00E9t\u00E9.trk").c_str(), L"wb");
        ASSERT_NE(f, nullptr);
        std::fputs("x", f);
        std::fclose(f);
    }
    std::vector<std::string> names;
    ASSERT_TRUE(Fs().List(Logical(dir.file("T")) + "\\*.TRK", kListFiles, names).ok());
    EXPECT_EQ(names, (std::vector<std::string>{"A.trk", "b.trk", "\xE9t\xE9.trk"}));
    std::string bytes;
    ASSERT_TRUE(Fs().ReadAll(Logical(dir.file("t")) + "\\" + names[2], bytes).ok());
    EXPECT_EQ(bytes, "x");
}

// Copies the helper program next to the test's files and names where it records its arguments.
struct Child {
    TempDir dir;
    std::string exe;
    std::string record;
    explicit Child(const std::string& relative) {
        fs::path target = dir.file(relative);
        fs::create_directories(target.parent_path());
        fs::copy_file(NativePath(ProgramFolder() + "zam_test_child.exe"), target);
        exe = Logical(target);
        record = Logical(dir.file("record.txt"));
    }
    Status RunAndWait(const std::string& commandLine) {
        ProcessId id;
        Status started = NativeProcesses().Start(commandLine, id);
        if (!started) return started;
        EXPECT_GT(id.value, 0);
        return NativeProcesses().Wait(id);
    }
};

TEST(Win32Process, StartsTheWholeCommandLineAndWaitsForTheProgram) {
    Child child("Program Files\\My Tool\\tool.exe");
    fs::create_directories(child.dir.path() / "work");
    zam::test::ScopedCurrentDir cwd(child.dir.path() / "work");
    // Unquoted with blanks in its folder, as CreateProcess finds it; the wait ends only after the
    // program wrote its record.
    ASSERT_TRUE(child.RunAndWait(child.exe + " " + child.record + " first \"second arg\"").ok());
    std::string text = child.dir.read("record.txt");
    EXPECT_EQ(text.rfind("first\nsecond arg\n", 0), 0u) << text;
    EXPECT_NE(text.find("work\n"), std::string::npos) << text;
}

TEST(Win32Process, ShellTextIsNeverRun) {
    Child child("child.exe");
    zam::test::ScopedCurrentDir cwd(child.dir.path());
    ASSERT_TRUE(child.RunAndWait("\"" + child.exe + "\" " + child.record +
                                 " \"a & echo x > pwned1\" x|echo>pwned2")
                    .ok());
    std::string text = child.dir.read("record.txt");
    EXPECT_EQ(text.rfind("a & echo x > pwned1\nx|echo>pwned2\n", 0), 0u) << text;
    EXPECT_FALSE(child.dir.exists("pwned1"));
    EXPECT_FALSE(child.dir.exists("pwned2"));
}

TEST(Win32Process, MissingProgramIsFileNotFound) {
    TempDir dir;
    ProcessId id;
    Status missing = NativeProcesses().Start(Logical(dir.file("nothing.exe")) + " -x", id);
    EXPECT_EQ(missing.code, kFileNotFound);
    // The system's own words, not the program's short name for the error.
    EXPECT_NE(missing.description, ErrorDescription(kFileNotFound));
    EXPECT_FALSE(missing.description.empty());
    EXPECT_EQ(missing.description.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(id.value, 0);
    EXPECT_EQ(NativeProcesses().CheckStartable(Logical(dir.file("nothing.exe")) + " -x").code,
              kFileNotFound);
    // Windows says "path not found" for a missing folder; some versions and Wine say "file not
    // found". Either way nothing starts.
    const int missingFolder =
        NativeProcesses().Start(Logical(dir.file("nofolder\\nothing.exe")), id).code;
    EXPECT_TRUE(missingFolder == kPathNotFound || missingFolder == kFileNotFound) << missingFolder;
    EXPECT_EQ(id.value, 0);
    EXPECT_EQ(NativeProcesses().Start("  ", id).code, kFileNotFound);
    EXPECT_FALSE(NativeProcesses().Wait(ProcessId{}).ok());
}

TEST(Win32Process, AProgramThatEndedIsWaitedForAtOnce) {
    Child child("child.exe");
    ProcessId id;
    ASSERT_TRUE(NativeProcesses().Start("\"" + child.exe + "\" " + child.record, id).ok());
    ::Sleep(200);  // let it end before the wait begins
    ProcessExit exit;
    EXPECT_TRUE(NativeProcesses().Wait(id, exit).ok());
    EXPECT_TRUE(child.dir.exists("record.txt"));
    EXPECT_EQ(exit.code, 3u);  // the child's own exit code, read from its process
    EXPECT_FALSE(exit.Clean());
    EXPECT_TRUE(NativeProcesses().CheckStartable("\"" + child.exe + "\" x").ok());
}

TEST(Win32Registry, ReadsTextAndNumbersBelowLocalMachine) {
    constexpr const char* kKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
    std::string value = "stale";
    ASSERT_TRUE(NativeSystem().GetKeyValue(kKey, "CurrentVersion", value));
    ASSERT_FALSE(value.empty());
    EXPECT_NE(value.back(), '\0');
    EXPECT_NE(value.find('.'), std::string::npos) << value;

    if (NativeSystem().GetKeyValue(kKey, "CurrentMajorVersionNumber", value)) {
        ASSERT_FALSE(value.empty());
        EXPECT_EQ(value.find_first_not_of("0123456789"), std::string::npos) << value;
    }

    EXPECT_FALSE(NativeSystem().GetKeyValue(kKey, "NoSuchValueHere", value));
    EXPECT_TRUE(value.empty());
    value = "stale";
    EXPECT_FALSE(NativeSystem().GetKeyValue("SOFTWARE\\No Such Vendor\\Tool", "PATH", value));
    EXPECT_TRUE(value.empty());
}

}  // namespace
#endif

