#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "ScopedEnv.h"
#include "TempDir.h"
#include "zam/platform/FileSystem.h"
#include "zam/platform/Paths.h"

namespace {

namespace fs = std::filesystem;
using namespace zam::platform;
using zam::test::ScopedEnv;
using zam::test::TempDir;

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

TEST(Directories, ProgramFolder) {
    std::string program = ProgramFolder();
    ASSERT_FALSE(program.empty());
    EXPECT_EQ(program.back(), '/');
    EXPECT_EQ(ProgramName(), "platform_tests");
    EXPECT_TRUE(Fs().FileExists(program + ProgramName()));
}

#endif  // _WIN32

// A folder holding the programs keeps everything beside them; programs in bin/ with
// share/zamdeck/ beside it are installed and write to the user's settings folder instead.
TEST(Directories, InstalledProgramsKeepTheirFilesInTheUserSettingsFolder) {
    TempDir dir;
#ifdef _WIN32
    const std::string sep = "\\";
    ScopedEnv settings("APPDATA", (dir.path() / "Roaming").string());
    const std::string settingsFolder = dir.path().string() + "\\Roaming\\ZAMDeck\\";
#else
    const std::string sep = "/";
    ScopedEnv settings("XDG_CONFIG_HOME", (dir.path() / "config").string());
    const std::string settingsFolder = dir.path().string() + "/config/zamdeck/";
#endif
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
