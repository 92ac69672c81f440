#include <gtest/gtest.h>
#include <sys/stat.h>

#include "zam/platform/FileSystem.h"
#include "zam/platform/Paths.h"
#include "zam/platform/Wildcard.h"
#ifndef _WIN32
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "FolderEntries.h"
#include "ScopedEnv.h"
#include "TempDir.h"

#ifndef _WIN32
// A disk that fails in the middle of a file: while `gFaultyInode` is set, reads of that file stop
// short at `gFailFrom` and fail with EIO from there on. Every other read is the C library's own
// (this program's pread stands in front of it for the whole test program).
namespace {
ino_t gFaultyInode = 0;
off_t gFailFrom = 0;
}  // namespace

extern "C" ssize_t pread(int fd, void* into, size_t count, off_t offset) {
    using Pread = ssize_t (*)(int, void*, size_t, off_t);
    static const Pread real = [] {
        void* symbol = ::dlsym(RTLD_NEXT, "pread");
        Pread function = nullptr;
        std::memcpy(&function, &symbol, sizeof function);
        return function;
    }();
    struct stat st {};
    if (gFaultyInode != 0 && ::fstat(fd, &st) == 0 && st.st_ino == gFaultyInode) {
        if (offset >= gFailFrom) {
            errno = EIO;
            return -1;
        }
        count = std::min<size_t>(count, static_cast<size_t>(gFailFrom - offset));
    }
    return real(fd, into, count, offset);
}
#endif

namespace {

namespace fs = std::filesystem;
using namespace zam::platform;
using zam::test::FolderEntries;
using zam::test::ScopedEnv;
using zam::test::TempDir;

class FileSystemTest : public testing::Test {
protected:
    FileSystem& files = NativeFileSystem();
    TempDir dir;
    std::string at(const std::string& relative) const { return dir.logical() + relative; }
};

TEST_F(FileSystemTest, FileExistsOnlyForFilesAndMissingFilesAndFoldersAreDifferentErrors) {
    dir.write("GPL/core.ini", "x");
    EXPECT_TRUE(files.FileExists(at("GPL\\core.ini")));
    EXPECT_TRUE(files.FileExists(at("gpl\\CORE.INI")));
    EXPECT_FALSE(files.FileExists(at("GPL")));
    EXPECT_FALSE(files.FileExists(at("GPL\\")));
    EXPECT_FALSE(files.FileExists(at("GPL\\missing.ini")));
    EXPECT_FALSE(files.FileExists(at("Nowhere\\core.ini")));
    EXPECT_TRUE(files.FolderExists(at("gpl")));
    EXPECT_FALSE(files.FolderExists(at("GPL\\core.ini")));
    // A missing file and a missing folder are different errors.
    std::string bytes;
    EXPECT_EQ(files.ReadAll(at("GPL\\none.ini"), bytes).code, kFileNotFound);
    EXPECT_EQ(files.ReadAll(at("None\\core.ini"), bytes).code, kPathNotFound);
    EXPECT_EQ(files.WriteNew(at("None\\new.ini"), "x").code, kPathNotFound);
    EXPECT_EQ(files.Delete(at("GPL\\none.ini")).code, kFileNotFound);
    EXPECT_EQ(files.Copy(at("GPL\\none.ini"), at("GPL\\b.ini")).code, kFileNotFound);
    EXPECT_EQ(files.Copy(at("GPL\\core.ini"), at("None\\b.ini")).code, kPathNotFound);
    EXPECT_EQ(files.Rename(at("None\\a.ini"), at("GPL\\b.ini")).code, kPathNotFound);
    EXPECT_EQ(files.Rename(at("GPL\\core.ini"), at("None\\b.ini")).code, kPathNotFound);
    EXPECT_EQ(files.WriteAt(at("GPL\\none.exe"), 0, "x").code, kFileNotFound);
    std::uint64_t size = 7;
    EXPECT_EQ(files.Size(at("GPL\\none.exe"), size).code, kFileNotFound);
    std::vector<std::string> names{"stale"};
    EXPECT_EQ(files.List(at("None\\*.*"), kListAll, names).code, kPathNotFound);
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(files.ReadAll(at("GPL"), bytes).code, kPathFileAccessError);
    EXPECT_FALSE(ErrorDescription(kFileNotFound).empty());
}

TEST_F(FileSystemTest, WriteNewReadAllAndSizeAndEmptyAndLargeFilesReadExactlyAndReadAllIfExists) {
    std::string data("a\0b\r\n\xFF", 6);
    ASSERT_TRUE(files.WriteNew(at("f.bin"), data).ok());
    std::string back;
    ASSERT_TRUE(files.ReadAll(at("F.BIN"), back).ok());
    EXPECT_EQ(back, data);
    std::uint64_t size = 0;
    ASSERT_TRUE(files.Size(at("f.bin"), size).ok());
    EXPECT_EQ(size, 6u);
    ASSERT_TRUE(files.WriteNew(at("f.bin"), "z").ok());
    EXPECT_EQ(dir.read("f.bin"), "z");
    // Empty and large files are read exactly.
    std::string large(3 * 65536 + 17, '\0');
    for (std::size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>(i * 7 % 251);
    dir.write("big.bin", large);
    dir.write("empty.ini", "");
    std::string bytes = "stale";
    ASSERT_TRUE(files.ReadAll(at("big.bin"), bytes).ok());
    EXPECT_EQ(bytes, large);
    ASSERT_TRUE(files.ReadAll(at("empty.ini"), bytes).ok());
    EXPECT_TRUE(bytes.empty());

    // ReadAllIfExists reads only what FileExists finds.
    dir.write("GPL/core.ini", "[S]\r\na=1\r\n");
    bytes = "stale";
    bool exists = false;
    ASSERT_TRUE(files.ReadAllIfExists(at("gpl\\CORE.INI"), bytes, exists).ok());
    EXPECT_TRUE(exists);
    EXPECT_EQ(bytes, "[S]\r\na=1\r\n");
    for (const char* other : {"GPL\\none.ini", "None\\core.ini", "GPL"}) {
        bytes = "stale";
        EXPECT_TRUE(files.ReadAllIfExists(at(other), bytes, exists).ok()) << other;
        EXPECT_FALSE(exists) << other;
        EXPECT_TRUE(bytes.empty()) << other;
    }
}

TEST_F(FileSystemTest, FullDiskIsReportedAsSuch) {
    // /dev/full refuses every write with "no space left on device" and keeps nothing.
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    EXPECT_EQ(files.WriteNew("/dev/full", "bytes").code, kDiskFull);
    EXPECT_EQ(files.WriteAt("/dev/full", 0, "bytes").code, kDiskFull);
}

TEST_F(FileSystemTest, ReadAtAndWriteAtWorkInPlaceAndReadOnlyFilesAreNotChanged) {
    dir.write("GPL.EXE", "0123456789");
    std::string bytes;
    ASSERT_TRUE(files.ReadAt(at("gpl.exe"), 3, 4, bytes).ok());
    EXPECT_EQ(bytes, "3456");
    ASSERT_TRUE(files.ReadAt(at("gpl.exe"), 8, 4, bytes).ok());
    EXPECT_EQ(bytes, "89");
    ASSERT_TRUE(files.ReadAt(at("gpl.exe"), 50, 4, bytes).ok());
    EXPECT_EQ(bytes, "");

    ASSERT_TRUE(files.WriteAt(at("GPL.EXE"), 2, "ab").ok());
    EXPECT_EQ(dir.read("GPL.EXE"), "01ab456789");
    ASSERT_TRUE(files.WriteAt(at("GPL.EXE"), 9, "XYZ").ok());
    EXPECT_EQ(dir.read("GPL.EXE"), "01ab45678XYZ");

    // Read-only files are not changed.
    dir.write("GPL.EXE", "0123");
    dir.write("other.ini", "new");
    fs::permissions(dir.file("GPL.EXE"),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    bool readOnly = false;
    ASSERT_TRUE(files.IsReadOnly(at("gpl.exe"), readOnly).ok());
    EXPECT_TRUE(readOnly);
    EXPECT_EQ(files.CheckWritable(at("GPL.EXE")).code, kPermissionDenied);
    EXPECT_EQ(files.WriteAt(at("GPL.EXE"), 0, "x").code, kPermissionDenied);
    EXPECT_EQ(files.WriteNew(at("GPL.EXE"), "x").code, kPermissionDenied);
    EXPECT_EQ(files.Copy(at("other.ini"), at("GPL.EXE")).code, kPermissionDenied);
    EXPECT_EQ(files.Rename(at("other.ini"), at("GPL.EXE")).code, kPermissionDenied);
    EXPECT_EQ(files.Delete(at("GPL.EXE")).code, kPermissionDenied);
    EXPECT_EQ(dir.read("GPL.EXE"), "0123");

    ASSERT_TRUE(files.ClearReadOnly(at("GPL.EXE")).ok());
    ASSERT_TRUE(files.IsReadOnly(at("GPL.EXE"), readOnly).ok());
    EXPECT_FALSE(readOnly);
    EXPECT_TRUE(files.CheckWritable(at("GPL.EXE")).ok());
    ASSERT_TRUE(files.WriteAt(at("GPL.EXE"), 0, "x").ok());
    EXPECT_EQ(dir.read("GPL.EXE"), "x123");
}

TEST_F(FileSystemTest, CopyReplacesTheTargetLeavingNoTemporaryFileAndAFailedOneKeepsIt) {
    dir.write("src/Car.lo1", "new bytes");
    dir.write("dst/car.LO1", "old");
    ASSERT_TRUE(files.Copy(at("src\\Car.lo1"), at("DST\\CAR.LO1")).ok());
    EXPECT_EQ(dir.read("dst/car.LO1"), "new bytes");
    EXPECT_EQ(dir.read("src/Car.lo1"), "new bytes");
    EXPECT_EQ(FolderEntries(dir.file("dst")), std::vector<std::string>{"car.LO1"});
    // Onto itself: nothing happens, nothing is lost.
    ASSERT_TRUE(files.Copy(at("src\\Car.lo1"), at("SRC\\car.lo1")).ok());
    EXPECT_EQ(dir.read("src/Car.lo1"), "new bytes");
    EXPECT_EQ(FolderEntries(dir.file("src")), std::vector<std::string>{"Car.lo1"});
    // A failed copy keeps the old target.
    dir.write("old.ini", "keep me");
    fs::create_directories(dir.path() / "folder");
    EXPECT_FALSE(files.Copy(at("folder"), at("old.ini")).ok());
    EXPECT_EQ(dir.read("old.ini"), "keep me");
    EXPECT_EQ(files.Copy(at("old.ini"), at("folder")).code, kPathFileAccessError);
    EXPECT_TRUE(fs::is_empty(dir.path() / "folder"));
}

TEST_F(FileSystemTest, RenameReplacesAFileInOneStepChangesCaseAndNeverMergesFolders) {
    dir.write("core.ini", "old");
    dir.write("core.ini.zamtmp", "new");
    ASSERT_TRUE(files.Rename(at("core.ini.zamtmp"), at("CORE.INI")).ok());
    EXPECT_EQ(dir.read("core.ini"), "new");
    EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"core.ini"});
    // The case of a name changes.
    ASSERT_TRUE(files.Rename(at("core.ini"), at("Core.ini")).ok());
    EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"Core.ini"});
    EXPECT_EQ(dir.read("Core.ini"), "new");
    // Folders never merge into an existing one.
    dir.write("Setups/a.stp", "a");
    dir.write("Other/b.stp", "b");
    EXPECT_EQ(files.Rename(at("Setups"), at("Other")).code, kFileAlreadyExists);
    ASSERT_TRUE(files.Rename(at("setups"), at("Setups.old")).ok());
    EXPECT_EQ(dir.read("Setups.old/a.stp"), "a");
}

TEST_F(FileSystemTest, DeleteRemovesOnlyFilesCreateFolderMakesOnlyNewOnesAndListFilters) {
    dir.write("a/x.ini", "x");
    ASSERT_TRUE(files.Delete(at("A\\X.INI")).ok());
    EXPECT_FALSE(dir.exists("a/x.ini"));
    EXPECT_EQ(files.Delete(at("a")).code, kPathFileAccessError);
    EXPECT_TRUE(dir.exists("a"));
    // Creating folders.
    ASSERT_TRUE(files.CreateFolder(at("Exports")).ok());
    EXPECT_TRUE(files.FolderExists(at("EXPORTS")));
    EXPECT_EQ(files.CreateFolder(at("exports")).code, kPathFileAccessError);
    EXPECT_EQ(files.CreateFolder(at("no\\such")).code, kPathNotFound);
    ASSERT_TRUE(files.CreateFolder(at("EXPORTS\\Shots\\")).ok());
    EXPECT_TRUE(fs::is_directory(dir.path() / "Exports/Shots"));

    // Listing filters kinds and patterns.
    dir.write("GPL/Players/Ann/Player.ini", "");
    dir.write("GPL/Players/Bob/Player.ini", "");
    dir.write("GPL/Players/notes.txt", "");
    dir.write("GPL/Players/readme", "");
    std::vector<std::string> names;
    ASSERT_TRUE(files.List(at("gpl\\PLAYERS\\*."), kListFolders, names).ok());
    EXPECT_EQ(names, (std::vector<std::string>{"Ann", "Bob"}));
    ASSERT_TRUE(files.List(at("gpl\\PLAYERS\\*."), kListFiles, names).ok());
    EXPECT_EQ(names, (std::vector<std::string>{"readme"}));
    ASSERT_TRUE(files.List(at("GPL\\Players\\*.*"), kListFiles, names).ok());
    EXPECT_EQ(names, (std::vector<std::string>{"notes.txt", "readme"}));
    ASSERT_TRUE(files.List(at("GPL\\Players\\*.*"), kListAll, names).ok());
    EXPECT_EQ(names, (std::vector<std::string>{"Ann", "Bob", "notes.txt", "readme"}));
    ASSERT_TRUE(files.List(at("GPL\\Players\\NOTES.TXT"), kListFiles, names).ok());
    EXPECT_EQ(names, (std::vector<std::string>{"notes.txt"}));
    ASSERT_TRUE(files.List(at("GPL\\Players\\"), kListFolders, names).ok());
    EXPECT_EQ(names, (std::vector<std::string>{"Ann", "Bob"}));
}

// UTF-8 names on disk are the POSIX side's; Win32PlatformTest.cpp lists wide names.
#ifndef _WIN32
TEST_F(FileSystemTest, ListGivesWindowsOneTwoFiveTwoNamesSortedAndReadAllReadsPastTheSize) {
    dir.write("t/b.trk", "");
    dir.write("t/A.trk", "");
    dir.write("t/\xC3\xA9t\xC3\xA9.trk", "");  // UTF-8 on disk
    std::vector<std::string> names;
    ASSERT_TRUE(files.List(at("T\\*.TRK"), kListFiles, names).ok());
    EXPECT_EQ(names, (std::vector<std::string>{"A.trk", "b.trk", "\xE9t\xE9.trk"}));
    std::string bytes;
    EXPECT_TRUE(files.ReadAll(at("t\\" + names[2]), bytes).ok());

    // ReadAll reads past the size the file reports: files of /proc report a size of 0 and still
    // have contents.
    const fs::path source = "/proc/self/cmdline";
    if (!fs::exists(source)) GTEST_SKIP() << "no /proc";
    ASSERT_TRUE(files.ReadAll(source.string(), bytes).ok());
    EXPECT_FALSE(bytes.empty());
    EXPECT_EQ(bytes, zam::test::ReadNative(source));
}

TEST_F(FileSystemTest, AReadThatFailsPartWayOrAtAllGivesNoBytes) {
    const std::string text(200'000, 'x');
    dir.write("big.ini", text);
    struct stat st {};
    ASSERT_EQ(::stat(dir.file("big.ini").c_str(), &st), 0);
    gFaultyInode = st.st_ino;
    gFailFrom = 70'000;
    std::string bytes = "stale";
    bool exists = false;
    const Status all = files.ReadAll(at("big.ini"), bytes);
    const std::size_t afterAll = bytes.size();
    const Status ifExists = files.ReadAllIfExists(at("big.ini"), bytes, exists);
    const std::size_t afterIfExists = bytes.size();
    const Status across = files.ReadAt(at("big.ini"), 60'000, 20'000, bytes);
    gFaultyInode = 0;
    EXPECT_EQ(all.code, kIoError);
    EXPECT_EQ(afterAll, 0u) << "the part read before the failure was handed on";
    EXPECT_EQ(ifExists.code, kIoError);
    EXPECT_TRUE(exists);
    EXPECT_EQ(afterIfExists, 0u);
    EXPECT_EQ(across.code, kIoError);
    EXPECT_TRUE(bytes.empty());
    ASSERT_TRUE(files.ReadAll(at("big.ini"), bytes).ok());
    EXPECT_EQ(bytes, text);

    // A pipe opens like a file but cannot be read at an offset.
    const fs::path pipe = dir.file("pipe.ini");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const int writer = ::open(pipe.c_str(), O_RDWR | O_NONBLOCK);  // so opening to read returns
    ASSERT_GE(writer, 0);
    bytes = "stale";
    EXPECT_FALSE(files.ReadAll(at("pipe.ini"), bytes).ok());
    EXPECT_TRUE(bytes.empty());
    exists = true;  // and it is no file to be read at all
    EXPECT_TRUE(files.ReadAllIfExists(at("pipe.ini"), bytes, exists).ok());
    EXPECT_FALSE(exists);
    ::close(writer);
}
#endif  // _WIN32

// The patterns a listing is filtered by.
struct Case {
    const char* pattern;
    const char* name;
    bool matches;
};

class WildcardTable : public testing::TestWithParam<Case> {};

TEST_P(WildcardTable, MatchesAsWindowsDoes) {
    const Case& c = GetParam();
    EXPECT_EQ(WildcardMatch(c.pattern, c.name), c.matches)
        << "pattern \"" << c.pattern << "\" name \"" << c.name << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Windows, WildcardTable,
    testing::Values(
        // "*." lists folders such as player folders: names without an extension only.
        Case{"*.", "Players", true}, Case{"*.", "a.txt", false}, Case{"*.", "a.b.c", false},
        Case{"*.", "trailing.", true},
        // "*.*" is everything, with or without a dot.
        Case{"*.*", "Players", true}, Case{"*.*", "a.txt", true}, Case{"*.*", ".hidden", true},
        Case{"*.*", "a.b.c", true}, Case{"*", "anything.at.all", true},
        // Extensions are matched whole and without regard to case.
        Case{"*.lo1", "Car.lo1", true}, Case{"*.lo1", "CAR.LO1", true},
        Case{"*.lo1", "car.lo10", false}, Case{"*.lo1", "car.lo", false},
        Case{"*.lo1", "lo1", false}, Case{"*.lo1", "a.b.lo1", true},
        Case{"GPL*.PBF", "gpl_0001.pbf", true}, Case{"GPL*.PBF", "GPL.PBF", true},
        Case{"GPL*.PBF", "xgpl1.pbf", false}, Case{"GPL*.PBF", "gpl1.pbf.bak", false},
        // "?" is one character, but never the dot, and nothing at a dot or at the end.
        Case{"?", "ab", false}, Case{"??.txt", "ab.txt", true}, Case{"??.txt", "a.txt", true},
        Case{"??.txt", "abc.txt", false}, Case{"a?c", "abc", true}, Case{"a?c", "a.c", false},
        // A dot before a wildcard may also match the end of the name.
        Case{"GPL.*", "GPL", true}, Case{"GPL.*", "gpl.exe", true}, Case{"GPL.*", "GPLX", false},
        // No wildcards: the whole name without regard to case, and Windows-1252 letters too.
        Case{"Core.ini", "CORE.INI", true}, Case{"Core.ini", "Core.ini.bak", false},
        Case{"\xE9t\xE9.ini", "\xC9T\xC9.INI", true}, Case{"", "", true}, Case{"", "a", false},
        Case{"a*b*c", "aXXbYYc", true}, Case{"a*b*c", "aXXbYY", false}));

TEST(Wildcard, LongPatternsStayFast) {
    // A backtracking matcher would take exponential time here; this finishes at once.
    std::string pattern(200, '*');
    pattern += 'b';
    std::string name(5000, 'a');
    EXPECT_FALSE(WildcardMatch(pattern, name));
    name += 'b';
    EXPECT_TRUE(WildcardMatch(pattern, name));
}

TEST(LogicalPath, FolderAndNamePartsTheSplitAndWriteTargetsWindowsWouldStoreElsewhere) {
    EXPECT_EQ(FolderOf("C:\\a\\b.ini"), "C:\\a\\");
    EXPECT_EQ(NameOf("C:\\a\\b.ini"), "b.ini");
    EXPECT_EQ(FolderOf("/tmp/x/Players\\y\\Player.ini"), "/tmp/x/Players\\y\\");
    EXPECT_EQ(NameOf("/tmp/x/Players\\y\\Player.ini"), "Player.ini");
    EXPECT_EQ(FolderOf("ZAM.ini"), "");
    EXPECT_EQ(NameOf("ZAM.ini"), "ZAM.ini");
    EXPECT_EQ(NameOf("C:\\GPL\\"), "");

    LogicalPathParts p = SplitLogicalPath("c:\\Sierra\\\\GPL\\");
    EXPECT_EQ(p.drive, 'C');
    EXPECT_TRUE(p.rooted);
    EXPECT_TRUE(p.folder);
    ASSERT_EQ(p.components.size(), 2u);
    EXPECT_EQ(p.components[0], "Sierra");
    EXPECT_EQ(p.components[1], "GPL");

    LogicalPathParts rel = SplitLogicalPath("Seasons\\67Season.Ini");
    EXPECT_EQ(rel.drive, 0);
    EXPECT_FALSE(rel.rooted);
    EXPECT_FALSE(rel.folder);
    EXPECT_EQ(rel.components.size(), 2u);

    // Names Windows would store as another file or as no file are refused as write targets on
    // every system, before anything is written; names that merely look alike are files like any
    // other.
    for (const char* name : {"67Season.ini ", "67Season.ini.", "Core.ini:Zone.Identifier", "NUL",
                             "con.ini", "Com1 .txt", "LPT9", "COM\xB9", "CONOUT$"}) {
        const Status refused = CheckWriteTarget(std::string("C:\\GPL\\Seasons\\") + name);
        EXPECT_EQ(refused.code, kBadFileName) << name;
        EXPECT_NE(refused.description.find(name), std::string::npos) << refused.description;
    }
    for (const char* name : {"67Season.ini", "CONSOLE.ini", "com10.ini", "nul-car.ini", ".bak",
                             "C:\\GPL\\", "NUL\\Core.ini"})
        EXPECT_TRUE(CheckWriteTarget(name).ok()) << name;
    TempDir dir;
    dir.write("Core.ini", "keep");
    EXPECT_EQ(Fs().WriteNew(dir.logical() + "Core.ini.", "lost").code, kBadFileName);
    EXPECT_EQ(ReplaceFile(dir.logical() + "aux.ini", "lost", ".zamtmp").code, kBadFileName);
    EXPECT_EQ(dir.read("Core.ini"), "keep");
    EXPECT_FALSE(dir.exists("aux.ini"));
    EXPECT_FALSE(dir.exists("aux.ini.zamtmp"));
}

// Case matching, Wine drive links and '/' folders are the POSIX side's; the Windows side is
// checked in Win32PlatformTest.cpp.
#ifndef _WIN32
TEST(NativePath, MatchesExistingComponentsWithoutRegardToCaseExactSpellingFirst) {
    TempDir dir;
    dir.write("Sierra/GPL/Players/Ann/Player.ini", "x");
    dir.write("Sierra/GPL/core.ini", "y");
    fs::path native = NativePath(dir.logical() + "SIERRA\\gpl\\players\\ANN\\PLAYER.INI");
    EXPECT_EQ(native, dir.path() / "Sierra/GPL/Players/Ann/Player.ini");
    EXPECT_EQ(NativePath(dir.logical() + "Sierra\\GPL\\CORE.INI"),
              dir.path() / "Sierra/GPL/core.ini");
    // The exact spelling wins over other cases.
    dir.write("a/Core.ini", "1");
    dir.write("a/CORE.INI", "2");
    EXPECT_EQ(NativePath(dir.logical() + "a\\CORE.INI"), dir.path() / "a/CORE.INI");
    EXPECT_EQ(NativePath(dir.logical() + "a\\Core.ini"), dir.path() / "a/Core.ini");
    // Neither spelling: one of them, always the same one.
    EXPECT_EQ(NativePath(dir.logical() + "a\\core.ini"), dir.path() / "a/CORE.INI");
    // A missing folder keeps the rest as given; a trailing separator stays a folder.
    fs::create_directories(dir.path() / "Tracks");
    EXPECT_EQ(NativePath(dir.logical() + "TRACKS\\Monza\\Track.ini"),
              dir.path() / "Tracks/Monza/Track.ini");
    fs::create_directories(dir.path() / "Exports");
    const fs::path folder = NativePath(dir.logical() + "EXPORTS\\");
    EXPECT_EQ(folder, dir.path() / "Exports/");
    EXPECT_FALSE(folder.has_filename());
    // Windows-1252 names match their UTF-8 spelling.
    dir.write("\xC3\xA9t\xC3\xA9.ini", "x");  // "été.ini" on disk in UTF-8
    EXPECT_EQ(NativePath(dir.logical() + "\xC9T\xC9.INI"), dir.path() / "\xC3\xA9t\xC3\xA9.ini");
    EXPECT_EQ(NativePath(dir.logical() + "new\xE9.ini"), dir.path() / "new\xC3\xA9.ini");
}

TEST(NativePath, NewFileGoesBesideTheCaseMatchedFolderAndRelativePathsStartInTheCurrentOne) {
    TempDir dir;
    fs::create_directories(dir.path() / "Sierra/GPL/Seasons");
    std::string logical = dir.logical() + "SIERRA\\GPL\\SEASONS\\New Season.ini";
    EXPECT_EQ(NativePath(logical), dir.path() / "Sierra/GPL/Seasons/New Season.ini");
    ASSERT_TRUE(Fs().WriteNew(logical, "abc").ok());
    EXPECT_EQ(dir.read("Sierra/GPL/Seasons/New Season.ini"), "abc");
    EXPECT_FALSE(fs::exists(dir.path() / "SIERRA"));
    // Writing it again under another case replaces the one copy.
    ASSERT_TRUE(Fs().WriteNew(dir.logical() + "sierra\\gpl\\seasons\\NEW SEASON.INI", "de").ok());
    EXPECT_EQ(dir.read("Sierra/GPL/Seasons/New Season.ini"), "de");
    int count = 0;
    for ([[maybe_unused]] auto& e : fs::directory_iterator(dir.path() / "Sierra/GPL/Seasons"))
        ++count;
    EXPECT_EQ(count, 1);
    // Relative paths resolve in the current directory.
    dir.write("Seasons/67Season.ini", "s");
    zam::test::ScopedCurrentDir cwd(dir.path());
    EXPECT_EQ(NativePath("SEASONS\\67SEASON.INI"), fs::path("Seasons/67Season.ini"));
    EXPECT_TRUE(Fs().FileExists("seasons\\67season.ini"));
    // The current folder is named, and changed, without regard to case.
    fs::create_directories(dir.path() / "Sub Folder");
    EXPECT_EQ(CurrentDirectory(), dir.logical());
    ASSERT_TRUE(ChangeDirectory("SUB FOLDER"));
    EXPECT_EQ(CurrentDirectory(), dir.logical() + "Sub Folder/");
    EXPECT_FALSE(ChangeDirectory("missing"));
    EXPECT_EQ(CurrentDirectory(), dir.logical() + "Sub Folder/");
}

TEST(NativePath, DriveLettersGoThroughTheWinePrefixWhichDefaultsToDotWineInHome) {
    TempDir dir;
    fs::create_directories(dir.path() / "prefix/drive_c/Sierra/GPL");
    fs::create_directories(dir.path() / "prefix/dosdevices");
    fs::create_directory_symlink("../drive_c", dir.path() / "prefix/dosdevices/c:");
    ScopedEnv prefix("WINEPREFIX", (dir.path() / "prefix").string());

    fs::path gpl = NativePath("C:\\SIERRA\\gpl\\GPL.EXE");
    EXPECT_EQ(gpl, dir.path() / "prefix/dosdevices/c:/Sierra/GPL/GPL.EXE");
    dir.write("prefix/drive_c/Sierra/GPL/gpl.exe", "MZ");
    EXPECT_TRUE(Fs().FileExists("c:\\sierra\\GPL\\GPL.EXE"));

    // A drive without a link does not exist (and is not looked for anywhere else)...
    EXPECT_FALSE(Fs().FolderExists("D:\\"));
    EXPECT_FALSE(Fs().FileExists("D:\\Sierra\\GPL\\gpl.exe"));
    // ...except Z:, Wine's view of the whole file system.
    EXPECT_EQ(NativePath("Z:" + dir.logical() + "prefix"), dir.path() / "prefix");

    // Without one the prefix is ~/.wine.
    fs::create_directories(dir.path() / ".wine/drive_c");
    fs::create_directories(dir.path() / ".wine/dosdevices");
    fs::create_directory_symlink("../drive_c", dir.path() / ".wine/dosdevices/c:");
    ScopedEnv home("HOME", dir.path().string());
    ScopedEnv noPrefix("WINEPREFIX", "");
    EXPECT_EQ(NativePath("C:\\x.ini"), dir.path() / ".wine/dosdevices/c:/x.ini");
}

#endif  // _WIN32

// The test program's own folder and name; a folder holding the programs keeps everything beside
// them; programs in bin/ with share/zamdeck/ beside it are installed and write to the user's
// settings folder instead.
TEST(Directories, ProgramFolderAndInstalledProgramsKeepTheirFilesInTheUserSettingsFolder) {
    TempDir dir;
#ifdef _WIN32
    const std::string sep = "\\", exe = ".exe";
    ScopedEnv settings("APPDATA", (dir.path() / "Roaming").string());
    const std::string settingsFolder = dir.path().string() + "\\Roaming\\ZAMDeck\\";
#else
    const std::string sep = "/", exe = "";
    ScopedEnv settings("XDG_CONFIG_HOME", (dir.path() / "config").string());
    const std::string settingsFolder = dir.path().string() + "/config/zamdeck/";
#endif
    const std::string program = ProgramFolder();
    ASSERT_FALSE(program.empty());
    EXPECT_EQ(program.back(), sep[0]);
    EXPECT_EQ(ProgramName(), "platform_tests");
    EXPECT_TRUE(Fs().FileExists(program + ProgramName() + exe));

    const std::string root = dir.path().string() + sep;

    const std::string portable = root + "ZAMDeck" + sep;
    ProgramFolders folders = FoldersOfProgram(portable);
    EXPECT_FALSE(folders.installed);
    EXPECT_EQ(folders.shipped, portable);
    EXPECT_EQ(folders.settings, portable);

    const std::string bin = root + "usr" + sep + "bin" + sep;
    fs::create_directories(dir.path() / "usr" / "bin");
    EXPECT_FALSE(FoldersOfProgram(bin).installed) << "no share/zamdeck/ beside bin/";

    fs::create_directories(dir.path() / "usr" / "share" / "zamdeck");
    folders = FoldersOfProgram(bin);
    EXPECT_TRUE(folders.installed);
    EXPECT_EQ(folders.shipped, root + "usr" + sep + "share" + sep + "zamdeck" + sep);
    EXPECT_EQ(folders.settings, settingsFolder);
    // Made on the first start, with every missing folder above it.
    ASSERT_TRUE(CreateFolders(folders.settings).ok());
    EXPECT_TRUE(Fs().FolderExists(settingsFolder));
    EXPECT_TRUE(CreateFolders(folders.settings).ok()) << "an existing folder is no failure";

#ifndef _WIN32
    // A relative XDG_CONFIG_HOME is no configuration folder: ~/.config is.
    ScopedEnv relative("XDG_CONFIG_HOME", "config");
    ScopedEnv home("HOME", dir.path().string());
    EXPECT_EQ(FoldersOfProgram(bin).settings, root + ".config/zamdeck/");
#endif
}

}  // namespace
