// Reading the program's folder out of a command line, and the command-interpreter rule: which
// programs run under it and how a line is handed to it so that nothing in the arguments runs.
#include <gtest/gtest.h>

#include "zam/loader/CommandLineRules.h"

namespace zam::loader {
namespace {

TEST(FolderOfCommandLine, IsTheFolderBeforeTheFirstExeAndNothingWithoutExeOrSeparator) {
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
    // Without ".EXE", or without a separator before it, there is none.
    for (const char* line : {"C:\\GPL\\race.bat", "C:\\GPL\\tool.com /x", "", ".EXE",
                             ".exe C:\\GPL\\x", "GPL.EXE", "C:GPL.EXE", "C:\\GPL\\ -x GPL.EX"})
        EXPECT_FALSE(FolderOfCommandLine(line).has_value()) << line;
}

TEST(CommandInterpreterRule, IsDecidedByTheProgramWhichIsQuotedWithWhatCmdReadsEscapedOrRefused) {
    EXPECT_TRUE(NeedsCommandInterpreter("C:\\GPL\\aitw\\go.exe"));
    EXPECT_TRUE(NeedsCommandInterpreter("C:\\GPL\\AiTw.bat"));
    EXPECT_TRUE(NeedsCommandInterpreter("\"C:\\My AITW\\go.exe\" -x"));
    EXPECT_TRUE(NeedsCommandInterpreter("C:\\Program Files\\aitw\\run.com x"));
    EXPECT_FALSE(NeedsCommandInterpreter("C:\\GPL\\AIT W.bat"));
    EXPECT_FALSE(NeedsCommandInterpreter("C:\\Sierra\\GPL\\GPL.EXE "));
    // Arguments are typed text (an address, a password) and decide nothing.
    EXPECT_FALSE(NeedsCommandInterpreter("C:\\GPL\\GPL.EXE -trainAITW"));
    EXPECT_FALSE(NeedsCommandInterpreter(
        "C:\\GPL\\GPL.EXE -ko\"0:SERVER:password:x\\\"&echo pwned>pwned.txt&\\\"aitw\""));
    EXPECT_FALSE(NeedsCommandInterpreter("\"C:\\GPL\\GPL.EXE\" aitw"));
    EXPECT_FALSE(NeedsCommandInterpreter("C:\\old.exe.d\\GPL.EXE x.com aitw"));

    EXPECT_EQ(ProgramPartLength("C:\\Program Files\\GPL\\GPL.EXE -x"), 28u);
    EXPECT_EQ(ProgramPartLength("  \"C:\\a b\\t.exe\"x"), 16u);
    EXPECT_EQ(ProgramPartLength("C:\\tools.com\\aitw.bat x"), 21u);
    EXPECT_EQ(ProgramPartLength("setup -x"), 5u);
    EXPECT_EQ(ProgramPartLength("\"C:\\unclosed -x"), 15u);
    // The program is quoted and what cmd reads is escaped.
    EXPECT_EQ(WithCommandInterpreter("C:\\GPL\\aitw.bat x", "C:\\WINDOWS\\system32\\cmd.exe"),
              "C:\\WINDOWS\\system32\\cmd.exe /s /v:off /c \"\"C:\\GPL\\aitw.bat\" x\"");
    EXPECT_EQ(WithCommandInterpreter("\"C:\\A&B\\aitw.exe\"", "C:\\Program Files\\Shell\\cmd.exe"),
              "\"C:\\Program Files\\Shell\\cmd.exe\" /s /v:off /c \"\"C:\\A&B\\aitw.exe\"\"");
    EXPECT_EQ(WithCommandInterpreter("aitw.exe -ko\"a\\\"&b|c<d>e^f(g)!i!\"", "cmd"),
              "cmd /s /v:off /c \"\"aitw.exe\" -ko^\"a\\^\"^&b^|c^<d^>e^^f^(g^)^!i^!^\"\"");
    // What no escaping carries through cmd is refused.
    for (std::string_view line :
         {std::string_view("C:\\aitw.exe -x\r\ncalc"), std::string_view("C:\\aitw.exe a\nb"),
          std::string_view("C:\\aitw.exe a\0b", 15), std::string_view("C:\\%PATH%\\aitw.exe"),
          std::string_view("C:\\!x!\\aitw.exe"), std::string_view("C:\\a\"b\\aitw.exe"),
          std::string_view("\"C:\\aitw.exe -x"), std::string_view("\"\" aitw"),
          std::string_view("C:\\aitw.exe -ko\"0:SERVER:password:%COMSPEC%\"")})
        EXPECT_FALSE(WithCommandInterpreter(line, "cmd").has_value()) << line;
}

}  // namespace
}  // namespace zam::loader
