// Reading the program's folder out of a command line, and the command-interpreter rule.
#include <gtest/gtest.h>

#include "zam/loader/CommandLineRules.h"

namespace zam::loader {
namespace {

TEST(FolderOfCommandLine, IsTheFolderBeforeTheFirstExe) {
    struct Case {
        const char* line;
        const char* folder;
    };
    const Case cases[] = {
        {"C:\\Sierra\\GPL\\GPL.EXE ", "C:\\Sierra\\GPL"},
        {"C:\\Sierra\\GPL\\gpl.exe -ko\"0:SERVER:launch:1\"", "C:\\Sierra\\GPL"},
        {"/home/racer/.wine/drive_c/GPL/GPL.EXE ", "/home/racer/.wine/drive_c/GPL"},
        {"C:\\GPL\\Tools/mixed.Exe", "C:\\GPL\\Tools"},
        {"\"C:\\Program Files\\GPL\\GPL.EXE\" -x", "C:\\Program Files\\GPL"},
        {"C:\\GPL.EXE", "C:\\"},
        {"/GPL.EXE", "/"},
        {"\\GPL.EXE", "\\"},
        // The first ".EXE" decides, even inside a folder name.
        {"C:\\old.exe.d\\GPL.EXE", "C:\\"},
        {"D:\\a b\\Tool.exe C:\\GPL\\GPL.EXE", "D:\\a b"},
    };
    for (const Case& c : cases) {
        auto folder = FolderOfCommandLine(c.line);
        ASSERT_TRUE(folder.has_value()) << c.line;
        EXPECT_EQ(*folder, c.folder) << c.line;
    }
}

TEST(FolderOfCommandLine, IsNothingWithoutExeOrSeparatorBeforeIt) {
    for (const char* line : {"C:\\GPL\\race.bat", "C:\\GPL\\tool.com /x", "", ".EXE",
                             ".exe C:\\GPL\\x", "GPL.EXE", "C:GPL.EXE", "C:\\GPL\\ -x GPL.EX"})
        EXPECT_FALSE(FolderOfCommandLine(line).has_value()) << line;
}

TEST(CommandInterpreterRule, AppliesToAitwInAnyCase) {
    EXPECT_TRUE(NeedsCommandInterpreter("C:\\GPL\\aitw\\go.exe"));
    EXPECT_TRUE(NeedsCommandInterpreter("C:\\GPL\\AiTw.bat"));
    EXPECT_TRUE(NeedsCommandInterpreter("C:\\GPL\\GPL.EXE -trainAITW"));
    EXPECT_FALSE(NeedsCommandInterpreter("C:\\GPL\\AIT W.bat"));
    EXPECT_FALSE(NeedsCommandInterpreter("C:\\Sierra\\GPL\\GPL.EXE "));
}

TEST(CommandInterpreterRule, PutsTheInterpreterWithSlashCInFront) {
    EXPECT_EQ(WithCommandInterpreter("C:\\GPL\\aitw.bat x", "C:\\WINDOWS\\system32\\cmd.exe"),
              "C:\\WINDOWS\\system32\\cmd.exe /c C:\\GPL\\aitw.bat x");
    EXPECT_EQ(WithCommandInterpreter("aitw.bat", ""), "C:\\Windows\\System32\\cmd.exe /c aitw.bat");
    EXPECT_EQ(WithCommandInterpreter("aitw.bat", "C:\\Program Files\\Shell\\cmd.exe"),
              "\"C:\\Program Files\\Shell\\cmd.exe\" /c aitw.bat");
    EXPECT_EQ(WithCommandInterpreter("aitw.bat", "\"C:\\My Shell\\cmd.exe\""),
              "\"C:\\My Shell\\cmd.exe\" /c aitw.bat");
}

}  // namespace
}  // namespace zam::loader
