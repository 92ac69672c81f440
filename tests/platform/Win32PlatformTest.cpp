// What only the Windows side of the platform layer does: identity paths, the current
// folder, the read-only attribute, locked files, CreateProcess and the registry.
#ifdef _WIN32
#include <windows.h>
// After windows.h, which they need.
#include <aclapi.h>
#include <knownfolders.h>
#include <sddl.h>
#include <shlobj.h>
// windows.h names its own ReplaceFile after the code page; here it is the platform's.
#undef ReplaceFile

#include <gtest/gtest.h>

#include <cstdio>
#include <cwctype>
#include <filesystem>
#include <string>

#include "FailingFileSystem.h"
#include "ProtectedFolders.h"
#include "RecordingLauncher.h"
#include "TempDir.h"
#include "Win32Io.h"
#include "Win32ProcessLauncher.h"
#include "zam/platform/FileSystem.h"
#include "zam/platform/Paths.h"
#include "zam/platform/Process.h"
#include "zam/platform/System.h"

namespace {

namespace fs = std::filesystem;
using namespace zam::platform;
using zam::test::TempDir;

constexpr auto Logical = &LogicalFromNative;

// Names one folder? Windows names compare without case; a trailing separator changes nothing.
// (std::filesystem::equivalent opens both, which not every Windows file system allows for folders.)
std::wstring FolderKey(const fs::path& p) {
    std::wstring text = fs::absolute(p).lexically_normal().wstring();
    for (wchar_t& c : text) c = c == L'/' ? L'\\' : static_cast<wchar_t>(::towlower(c));
    while (!text.empty() && text.back() == L'\\') text.pop_back();
    return text;
}

TEST(Win32Paths, DriveLetterPathsAreTheirOwnNativePathAndNamesOutsideTheCodePageAreNeverGuessed) {
    EXPECT_EQ(NativePath("C:\\Sierra\\GPL\\GPL.EXE").wstring(), L"C:\\Sierra\\GPL\\GPL.EXE");
    EXPECT_EQ(NativePath("Players\\Ann\\").wstring(), L"Players\\Ann\\");
    EXPECT_EQ(NativePath("C:\\GPL\\\xE9t\xE9.ini").wstring(), L"C:\\GPL\\\u00E9t\u00E9.ini");
    EXPECT_EQ(NativePath("\x80.ini").wstring(), L"\u20AC.ini");
    EXPECT_EQ(LogicalFromNative(fs::path(L"C:\\GPL\\\u00E9t\u00E9\u20AC.ini")),
              "C:\\GPL\\\xE9t\xE9\x80.ini");
    // A character the code page cannot hold is never replaced by a guess ("?" or a look-alike,
    // both other files): a file without a short name then has no name here at all.
    EXPECT_EQ(LogicalFromNative(fs::path(L"\u4E2D.ini")), "");

    // Names are converted exactly or not at all: Windows' best fit would turn "Łódź" into "Lodz"
    // (another folder) and a fullwidth "＼" into a real "\\" (another place). In the code page
    // of a system that holds them, the same names are found.
    std::string name;
    const std::wstring lodz = L"C:\\Users\\\u0141\u00F3d\u017A";
    const std::wstring ivan = L"\u0418\u0432\u0430\u043D.ini";
    EXPECT_FALSE(win32::NarrowName(lodz, name, 1252));
    EXPECT_EQ(name, "");
    EXPECT_FALSE(win32::NarrowName(ivan, name, 1252));
    for (const wchar_t c : {L'\uFF3C', L'\uFF0F', L'\uFF0E', L'\uFF1F'})
        EXPECT_FALSE(win32::NarrowName(std::wstring(L"Tracks") + c + L"x", name, 1252)) << int(c);
    ASSERT_TRUE(win32::NarrowName(lodz, name, 1250));
    EXPECT_EQ(name, "C:\\Users\\\xA3\xF3\x64\x9F");
    std::wstring back;
    ASSERT_TRUE(win32::WideName(name, back, 1250));
    EXPECT_EQ(back, lodz);
    ASSERT_TRUE(win32::NarrowName(ivan, name, 1251));
    EXPECT_EQ(name, "\xC8\xE2\xE0\xED.ini");
}

TEST(Win32Paths, CurrentFolderAlsoForAUserNamedOutsideTheCodePage) {
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

    // A user whose name the code page cannot hold ("C:\\Users\\Łódź\\") still has a current
    // folder the program can name (by its short form), go back to, and write in.
    const fs::path user = dir.path() / L"\u0141\u00F3d\u017A \u0418\u0432\u0430\u043D";
    fs::create_directories(user);
    zam::test::ScopedCurrentDir inUser(user);
    here = CurrentDirectory();
    ASSERT_FALSE(here.empty());
    wchar_t longForm[4 * MAX_PATH] = {};
    ASSERT_GT(::GetLongPathNameW(NativePath(here).c_str(), longForm, 4 * MAX_PATH), 0u);
    EXPECT_EQ(FolderKey(longForm), FolderKey(user));
    ASSERT_TRUE(ChangeDirectory(here));
    ASSERT_TRUE(ReplaceFile(here + "Core.ini", "[Sound]\r\n", ".zamtmp").ok());
    std::string bytes;
    ASSERT_TRUE(Fs().ReadAll(here + "CORE.INI", bytes).ok());
    EXPECT_EQ(bytes, "[Sound]\r\n");
    EXPECT_TRUE(fs::exists(user / "Core.ini"));
}

TEST(Win32FileSystem, ReadOnlyIsTheWindowsAttributeACopyKeepsAndAFileHeldElsewhereIsWaitedOut) {
    TempDir dir;
    std::string exe = Logical(dir.write("GPL.EXE", "0123"));
    ASSERT_TRUE(::SetFileAttributesW(NativePath(exe).c_str(), FILE_ATTRIBUTE_READONLY));
    bool readOnly = false;
    ASSERT_TRUE(Fs().IsReadOnly(exe, readOnly).ok());
    EXPECT_TRUE(readOnly);
    EXPECT_EQ(Fs().WriteAt(exe, 0, "x").code, kPermissionDenied);
    // A copy keeps the read-only attribute of its source.
    const std::string copy = Logical(dir.file("copy.exe"));
    ASSERT_TRUE(Fs().Copy(exe, copy).ok());
    EXPECT_EQ(dir.read("copy.exe"), "0123");
    readOnly = false;
    ASSERT_TRUE(Fs().IsReadOnly(copy, readOnly).ok());
    EXPECT_TRUE(readOnly);
    ASSERT_TRUE(Fs().ClearReadOnly(copy).ok());
    ASSERT_TRUE(Fs().ClearReadOnly(exe).ok());
    DWORD attributes = ::GetFileAttributesW(NativePath(exe).c_str());
    EXPECT_EQ(attributes & FILE_ATTRIBUTE_READONLY, 0u);
    ASSERT_TRUE(Fs().WriteAt(exe, 0, "x").ok());
    EXPECT_EQ(dir.read("GPL.EXE"), "x123");

    // A file open elsewhere is an access error.
    dir.write("GPL.EXE", "0123");
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

    // Another program's hold on a file (a scanner, an indexer) that ends is waited out: the real
    // sharing violation of Windows, retried through the test's file system, which does not sleep.
    const std::string core = Logical(dir.write("Core.ini", "old"));
    held = ::CreateFileW(NativePath(core).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    zam::test::FailingFileSystem files;
    files.Before(zam::test::FsOp::kRename, 3, [&] { ::CloseHandle(held); });
    ScopedFileSystem use(files);
    EXPECT_TRUE(ReplaceFile(core, "new", ".zamtmp").ok());
    EXPECT_EQ(dir.read("Core.ini"), "new");
    EXPECT_EQ(files.Calls(zam::test::FsOp::kRename), 3);
    EXPECT_GT(files.Paused().count(), 0);
    EXPECT_FALSE(dir.exists("Core.ini.zamtmp"));
}

// Windows' own hidden and system files are no files of the user's: a listing (and so a copy of
// a folder's files) leaves them out.
TEST(Win32FileSystem, ListingLeavesOutHiddenAndSystemFilesAndGivesSortedLongNamesOnly) {
    TempDir dir;
    dir.write("car/car.ini", "");
    const std::string desktop = Logical(dir.write("car/desktop.ini", ""));
    const std::string thumbs = Logical(dir.write("car/Thumbs.db", ""));
    ASSERT_TRUE(::SetFileAttributesW(NativePath(desktop).c_str(),
                                     FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(::SetFileAttributesW(NativePath(thumbs).c_str(), FILE_ATTRIBUTE_HIDDEN));
    std::vector<std::string> names;
    ASSERT_TRUE(Fs().List(Logical(dir.file("car")) + "\\*.*", kListFiles, names).ok());
    EXPECT_EQ(names, std::vector<std::string>{"car.ini"});

    // Patterns match long names only.
    dir.write("Setups/a.ini", "");
    dir.write("Setups/abcdefghij.inix", "");  // its 8.3 short name ends in ".INI"
    ASSERT_TRUE(Fs().List(Logical(dir.file("Setups")) + "\\*.ini", kListFiles, names).ok());
    EXPECT_EQ(names, std::vector<std::string>{"a.ini"});

    // Names are Windows-1252, sorted without regard to case.
    dir.write("t/b.trk", "");
    dir.write("t/A.trk", "");
    {
        std::FILE* f = ::_wfopen((dir.path() / L"t" / L"\u00E9t\u00E9.trk").c_str(), L"wb");
        ASSERT_NE(f, nullptr);
        std::fputs("x", f);
        std::fclose(f);
    }
    ASSERT_TRUE(Fs().List(Logical(dir.file("T")) + "\\*.TRK", kListFiles, names).ok());
    EXPECT_EQ(names, (std::vector<std::string>{"A.trk", "b.trk", "\xE9t\xE9.trk"}));
    std::string bytes;
    ASSERT_TRUE(Fs().ReadAll(Logical(dir.file("t")) + "\\" + names[2], bytes).ok());
    EXPECT_EQ(bytes, "x");
}

// A file replaced or written anew keeps what the user or Windows set on it: a hidden file stays
// hidden, its name keeps its case, and another name of it (its short name, a trailing dot)
// is the same file.
// The file's own access list in SDDL, or "" where the file system keeps none.
std::wstring AccessList(const std::wstring& native) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (::GetNamedSecurityInfoW(native.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                nullptr, nullptr, nullptr, &descriptor) != ERROR_SUCCESS)
        return {};
    LPWSTR text = nullptr;
    std::wstring sddl;
    if (::ConvertSecurityDescriptorToStringSecurityDescriptorW(
            descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, nullptr)) {
        sddl = text;
        ::LocalFree(text);
    }
    ::LocalFree(descriptor);
    return sddl;
}

// Gives the file a protected access list of its own (everyone may read, nobody else anything).
bool RestrictAccess(const std::wstring& native) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;FA;;;WD)", SDDL_REVISION_1,
                                                                &descriptor, nullptr))
        return false;
    BOOL present = FALSE, defaulted = FALSE;
    PACL dacl = nullptr;
    ::GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted);
    const DWORD set =
        ::SetNamedSecurityInfoW(const_cast<wchar_t*>(native.c_str()), SE_FILE_OBJECT,
                                DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                                nullptr, nullptr, dacl, nullptr);
    ::LocalFree(descriptor);
    return set == ERROR_SUCCESS;
}

TEST(Win32FileSystem, ReplacedFilesKeepTheirAttributesNameAndIdentity) {
    TempDir dir;
    const std::string season = Logical(dir.write("67Season.Ini", "old"));
    const std::wstring native = NativePath(season).wstring();
    ASSERT_TRUE(::SetFileAttributesW(native.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(ReplaceFile(Logical(dir.file("67SEASON.INI")), "new", ".zamtmp").ok());
    EXPECT_EQ(dir.read("67Season.Ini"), "new");
    EXPECT_NE(::GetFileAttributesW(native.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    // An access list the user gave the file stays with the name across a replacement.
    if (RestrictAccess(native) && !AccessList(native).empty()) {
        const std::wstring restricted = AccessList(native);
        ASSERT_TRUE(ReplaceFile(season, "restricted", ".zamtmp").ok());
        EXPECT_EQ(AccessList(native), restricted);
    }
    ASSERT_TRUE(Fs().WriteNew(season, "newer").ok());
    EXPECT_EQ(dir.read("67Season.Ini"), "newer");
    EXPECT_NE(::GetFileAttributesW(native.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    WIN32_FIND_DATAW entry{};
    HANDLE found = ::FindFirstFileW(native.c_str(), &entry);
    ASSERT_NE(found, INVALID_HANDLE_VALUE);
    ::FindClose(found);
    EXPECT_EQ(std::wstring(entry.cFileName), L"67Season.Ini");

    EXPECT_TRUE(SameFile(season, Logical(dir.file("67SEASON.INI"))));
    EXPECT_FALSE(SameFile(season, Logical(dir.file("GP.INI"))));
    wchar_t shortName[MAX_PATH] = {};
    const DWORD n = ::GetShortPathNameW(native.c_str(), shortName, MAX_PATH);
    if (n > 0 && n < MAX_PATH && std::wstring(shortName) != native) {
        const std::string alias = LogicalFromNative(fs::path(shortName));
        EXPECT_TRUE(SameFile(season, alias)) << alias;
    }
    // Names Windows would store as another file, or as no file, are refused before anything is
    // written.
    for (const char* alias :
         {"67Season.Ini ", "67Season.Ini.", "67Season.Ini:x", "NUL", "com1.ini"}) {
        EXPECT_EQ(ReplaceFile(Logical(dir.file(alias)), "lost", ".zamtmp").code, kBadFileName)
            << alias;
        EXPECT_EQ(Fs().WriteNew(Logical(dir.file(alias)), "lost").code, kBadFileName) << alias;
    }
    EXPECT_EQ(dir.read("67Season.Ini"), "newer");
}

// Past the 260 characters of the plain form the "\\\\?\\" form is used: the write-back's steps
// work there as anywhere else instead of failing as "path not found".
TEST(Win32FileSystem, PathsPastTheOldLimitWork) {
    TempDir dir;
    std::string folder = Logical(dir.path());
    while (folder.size() < MAX_PATH + 40) {
        folder += "\\" + std::string(40, 'f');
        ASSERT_TRUE(Fs().CreateFolder(folder).ok()) << folder.size();
    }
    const std::string core = folder + "\\Core.ini";
    ASSERT_TRUE(ReplaceFile(core, "old", ".zamtmp").ok());
    ASSERT_TRUE(Fs().Copy(core, core + ".bak").ok());
    ASSERT_TRUE(ReplaceFile(core, "new", ".zamtmp").ok());
    std::string bytes;
    ASSERT_TRUE(Fs().ReadAll(core, bytes).ok());
    EXPECT_EQ(bytes, "new");
    ASSERT_TRUE(Fs().ReadAll(core + ".bak", bytes).ok());
    EXPECT_EQ(bytes, "old");
    std::vector<std::string> names;
    ASSERT_TRUE(Fs().List(folder + "\\*.*", kListFiles, names).ok());
    EXPECT_EQ(names, (std::vector<std::string>{"Core.ini", "Core.ini.bak"}));
}

// "Access denied" below a folder Windows guards says which guard and what to do about it.
TEST(Win32FileSystem, RefusalsInGuardedFoldersSayWhy) {
    const auto below = [](const KNOWNFOLDERID& id, const wchar_t* file) {
        wchar_t* folder = nullptr;
        std::wstring path;
        if (SUCCEEDED(::SHGetKnownFolderPath(id, 0, nullptr, &folder)))
            path = folder + std::wstring(file);
        ::CoTaskMemFree(folder);
        return path;
    };
    const std::string virtualised =
        win32::ProtectedFolderReason(below(FOLDERID_ProgramFilesX86, L"\\Sierra\\GPL\\Core.ini"));
    EXPECT_NE(virtualised.find("VirtualStore"), std::string::npos) << virtualised;
    const std::string guarded =
        win32::ProtectedFolderReason(below(FOLDERID_Documents, L"\\GPL\\Core.ini"));
    EXPECT_NE(guarded.find("Controlled folder access"), std::string::npos) << guarded;
    TempDir dir;
    EXPECT_EQ(win32::ProtectedFolderReason(dir.file("Core.ini").wstring()), "");
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
};

TEST(Win32Process, StartsTheWholeCommandLineAndWaitsForTheProgramButNeverRunsShellText) {
    Child child("Program Files\\My Tool\\tool.exe");
    fs::create_directories(child.dir.path() / "work");
    zam::test::ScopedCurrentDir cwd(child.dir.path() / "work");
    // Unquoted with blanks in its folder, as CreateProcess finds it; the wait ends only after the
    // program wrote its record.
    ASSERT_TRUE(
        zam::test::RunNatively(child.exe + " " + child.record + " first \"second arg\"").ok());
    std::string text = child.dir.read("record.txt");
    EXPECT_EQ(text.rfind("first\nsecond arg\n", 0), 0u) << text;
    EXPECT_NE(text.find("work\n"), std::string::npos) << text;

    // Shell text is never run.
    ASSERT_TRUE(zam::test::RunNatively("\"" + child.exe + "\" " + child.record +
                                       " \"a & echo x > pwned1\" x|echo>pwned2")
                    .ok());
    text = child.dir.read("record.txt");
    EXPECT_EQ(text.rfind("a & echo x > pwned1\nx|echo>pwned2\n", 0), 0u) << text;
    for (const char* pwned : {"pwned1", "pwned2", "work/pwned1", "work/pwned2"})
        EXPECT_FALSE(child.dir.exists(pwned)) << pwned;
}

TEST(Win32Process, AProgramThatEndedIsWaitedForAtOnceAndAMissingOneIsFileNotFound) {
    Child child("child.exe");
    ProcessId id;
    ASSERT_TRUE(NativeProcesses().Start("\"" + child.exe + "\" " + child.record, id).ok());
    ::Sleep(200);  // let it end before the wait begins
    ProcessExit exit;
    EXPECT_TRUE(NativeProcesses().Wait(id, exit).ok());
    EXPECT_TRUE(child.dir.exists("record.txt"));
    EXPECT_EQ(exit.code, 3u);  // the child's own exit code, read from its process
    EXPECT_FALSE(exit.Clean());
    // Asked without waiting, as the window does between repaints, until it has ended.
    ASSERT_TRUE(NativeProcesses().Start("\"" + child.exe + "\" " + child.record, id).ok());
    bool ended = false;
    while (NativeProcesses().Poll(id, ended, exit).ok() && !ended) ::Sleep(10);
    EXPECT_TRUE(ended);
    EXPECT_EQ(exit.code, 3u);
    EXPECT_TRUE(NativeProcesses().CheckStartable("\"" + child.exe + "\" x").ok());

    // A missing program is "file not found".
    const std::string nothing = Logical(child.dir.file("nothing.exe"));
    Status missing = NativeProcesses().Start(nothing + " -x", id);
    EXPECT_EQ(missing.code, kFileNotFound);
    // The system's own words, not the program's short name for the error.
    EXPECT_NE(missing.description, ErrorDescription(kFileNotFound));
    EXPECT_FALSE(missing.description.empty());
    EXPECT_EQ(missing.description.find_first_of("\r\n"), std::string::npos);
    EXPECT_NE(missing.description.find("(Windows error 2)"), std::string::npos)
        << missing.description;
    EXPECT_EQ(id.value, 0);
    EXPECT_EQ(NativeProcesses().CheckStartable(nothing + " -x").code, kFileNotFound);
    // Windows says "path not found" for a missing folder; some versions and Wine say "file not
    // found". Either way nothing starts.
    const int missingFolder =
        NativeProcesses().Start(Logical(child.dir.file("nofolder\\nothing.exe")), id).code;
    EXPECT_TRUE(missingFolder == kPathNotFound || missingFolder == kFileNotFound) << missingFolder;
    EXPECT_EQ(id.value, 0);
    EXPECT_EQ(NativeProcesses().Start("  ", id).code, kFileNotFound);
    EXPECT_FALSE(NativeProcesses().Wait(ProcessId{}).ok());
}

// What wine never does, through the launcher's start calls: a program marked to run as
// administrator makes CreateProcess fail with 740; it is then started by the shell ("runas", the
// user agrees) and waited for as any other. A refusal there keeps the system's code and words.
struct ElevationSeam {
    static inline std::wstring verb, file, parameters;
    static inline DWORD shellError = 0;
    static BOOL WINAPI NeedsElevation(LPCWSTR, LPWSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES,
                                      BOOL, DWORD, LPVOID, LPCWSTR, LPSTARTUPINFOW,
                                      LPPROCESS_INFORMATION) {
        ::SetLastError(ERROR_ELEVATION_REQUIRED);
        return FALSE;
    }
    // Starts the program as the shell would once the user agreed.
    static BOOL WINAPI Shell(SHELLEXECUTEINFOW* info) {
        verb = info->lpVerb ? info->lpVerb : L"";
        file = info->lpFile ? info->lpFile : L"";
        parameters = info->lpParameters ? info->lpParameters : L"";
        if (shellError != 0) {
            ::SetLastError(shellError);
            return FALSE;
        }
        std::wstring line = L"\"" + file + L"\" " + parameters;
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION started{};
        if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &startup, &started))
            return FALSE;
        ::CloseHandle(started.hThread);
        info->hProcess = started.hProcess;
        return TRUE;
    }
};

TEST(Win32Process, AProgramThatNeedsElevationIsStartedThroughTheShell) {
    Child child("Sierra\\GPL\\GPL.EXE");
    const auto launcher =
        win32::MakeProcessLauncher({&ElevationSeam::NeedsElevation, &ElevationSeam::Shell});
    const std::string line = child.exe + " " + child.record + " -w \"two words\"";
    ProcessId id;
    ASSERT_TRUE(launcher->Start(line, id).ok());
    EXPECT_EQ(ElevationSeam::verb, L"runas");
    EXPECT_EQ(ElevationSeam::file, NativePath(child.exe).wstring());
    EXPECT_EQ(ElevationSeam::parameters, NativePath(child.record).wstring() + L" -w \"two words\"");
    ProcessExit exit;
    ASSERT_TRUE(launcher->Wait(id, exit).ok());
    EXPECT_EQ(exit.code, 3u);
    EXPECT_EQ(child.dir.read("record.txt").rfind("-w\ntwo words\n", 0), 0u);

    // The user says No to the elevation prompt.
    ElevationSeam::shellError = ERROR_CANCELLED;
    const Status refused = launcher->Start(line, id);
    ElevationSeam::shellError = 0;
    EXPECT_EQ(refused.code, kPermissionDenied);
    EXPECT_NE(refused.description.find("(Windows error 1223)"), std::string::npos)
        << refused.description;
    EXPECT_GT(refused.description.find("(Windows error"), 0u) << "the system's words come first";
}

// A batch file runs through cmd, which would run an "&" or "|" of an argument as a command of its
// own: such arguments are refused before anything starts, and the others reach the batch file.
TEST(Win32Process, BatchFilesGetCheckedArgumentsThroughAnExplicitInterpreter) {
    TempDir dir;
    const std::string bat =
        Logical(dir.write("My Tools\\run.bat", "@echo off\r\necho %~1>\"%~dp0out.txt\"\r\n"));
    ProcessId id;
    for (const char* hostile : {"\"a&echo x>pwned\"", "a|b", "%PATH%", "\"x^y\""}) {
        const Status refused = NativeProcesses().Start("\"" + bat + "\" " + hostile, id);
        EXPECT_EQ(refused.code, kBadFileName) << hostile;
        EXPECT_EQ(id.value, 0) << hostile;
    }
    EXPECT_FALSE(dir.exists("My Tools\\out.txt"));
    EXPECT_FALSE(dir.exists("pwned"));
    ASSERT_TRUE(NativeProcesses().Start("\"" + bat + "\" \"two words\"", id).ok());
    ASSERT_TRUE(NativeProcesses().Wait(id).ok());
    EXPECT_EQ(dir.read("My Tools/out.txt"), "two words\r\n");
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
