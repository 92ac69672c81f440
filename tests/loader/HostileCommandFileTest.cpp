// A ZAM.int of binary garbage, short or large, with or without line ends and 00 bytes: the loader
// starts nothing but the front end, changes nothing and asks nothing of the system.
#include <gmock/gmock.h>

#include <random>

#include "FakeLoaderPlatform.h"
#include "zam/loader/Loader.h"

namespace zam::test {
namespace {

std::string Garbage(std::mt19937& random, std::size_t size) {
    std::uniform_int_distribution<int> byte(0, 255);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(byte(random));
    // Line ends now and then, so the parser sees many lines too.
    for (std::size_t i = 7; i < bytes.size(); i += 61) bytes[i] = (i % 2) ? '\n' : '\r';
    return bytes;
}

TEST(HostileCommandFile, BinaryGarbageOnlyBringsTheFrontEndBack) {
    std::mt19937 random(8);
    for (std::size_t size : {1u, 2u, 5u, 64u, 500u, 4096u, 1u << 20}) {
        for (int round = 0; round < 20; ++round) {
            SCOPED_TRACE(std::to_string(size) + " bytes, round " + std::to_string(round));
            FakeLoaderPlatform fake;
            const std::string bytes = Garbage(random, size);
            fake.files[fake.CommandFilePath()] = bytes;

            EXPECT_EQ(loader::Loader(fake).Run(), 0);

            EXPECT_THAT(fake.log, ::testing::ElementsAre("cd C:\\ZAM\\", "cd C:\\ZAM\\",
                                                         "start C:\\ZAM\\ZAMDeck.Exe"));
            EXPECT_EQ(fake.CommandFileBytes(), bytes);
            EXPECT_TRUE(fake.powerActions.empty());
            EXPECT_TRUE(fake.messages.empty());
            if (::testing::Test::HasFailure()) return;
        }
    }
}

TEST(HostileCommandFile, GarbageAfterAKnownWordIsNeverAShutDown) {
    // A command word must stand alone on its line: bytes glued to it make it no command.
    for (const char* word : {"Shutdown", "Restart", "Exit", "Run"}) {
        FakeLoaderPlatform fake;
        fake.files[fake.CommandFilePath()] = std::string(word) + std::string("\0\xff\r\nX\r\n", 6);
        EXPECT_EQ(loader::Loader(fake).Run(), 0);
        EXPECT_TRUE(fake.powerActions.empty()) << word;
        EXPECT_THAT(fake.log, ::testing::ElementsAre("cd C:\\ZAM\\", "cd C:\\ZAM\\",
                                                     "start C:\\ZAM\\ZAMDeck.Exe"))
            << word;
    }
}

}  // namespace
}  // namespace zam::test
