// Every changing step of writing ZAM.int failed in turn, for both of its writers: the file is the
// whole previous record or the whole new one, no temporary file stays behind where it could be
// removed, and the writer's answer says which.
#include <gmock/gmock.h>

#include <functional>

#include "FaultSweep.h"
#include "TempDir.h"
#include "zam/platform/CommandFile.h"

namespace zam::test {
namespace {

using platform::Status;

struct CommandFileWriter {
    const char* name;
    std::function<Status(const std::string& path)> write;
};

class FaultInjectionCommandFile : public ::testing::TestWithParam<CommandFileWriter> {};

TEST_P(FaultInjectionCommandFile, EveryFailedStepLeavesTheWholeOldOrNewFile) {
    const std::string oldBytes = "Run\r\n\"C:\\Sierra\\GPL\\GPL.EXE\" -monitor\r\n";
    auto run = [&](TempDir& dir) {
        dir.write("ZAM.int", oldBytes);
        return GetParam().write(dir.logical() + "ZAM.int");
    };
    std::string newBytes;
    const int changes = CountChanges([&](FailingFileSystem&) {
        TempDir dir;
        ASSERT_TRUE(run(dir).ok());
        newBytes = dir.read("ZAM.int");
    });
    ASSERT_NE(newBytes, oldBytes);
    ASSERT_GE(changes, 2);
    int injected = 0;
    for (const FaultPlan& plan : PlansFor(changes)) {
        SCOPED_TRACE(plan.Describe());
        TempDir dir;
        FailingFileSystem fs;
        plan.ApplyTo(fs);
        Status status;
        {
            platform::ScopedFileSystem use(fs);
            status = run(dir);
        }
        injected += fs.InjectedFailures();
        ASSERT_TRUE(dir.exists("ZAM.int")) << "the command file was lost";
        const std::string now = dir.read("ZAM.int");
        EXPECT_THAT(now, ::testing::AnyOf(oldBytes, newBytes));
        EXPECT_EQ(status.ok(), now == newBytes) << "the status must say whether it was written";
        if (!plan.persistent) {
            EXPECT_THAT(FilesBelow(dir.path()), ::testing::ElementsAre("ZAM.int"));
        }
        if (HasFailure()) break;
    }
    TallyFaults("ZAM.int (platform command file)", injected);
}

INSTANTIATE_TEST_SUITE_P(
    Writers, FaultInjectionCommandFile,
    ::testing::Values(
        CommandFileWriter{"LoaderCommand",
                          [](const std::string& path) {
                              return platform::WriteLoaderCommand(
                                  path, {"Run", "\"C:\\Sierra\\GPL\\GPL.EXE\" -connect 10.0.0.1"});
                          }},
        CommandFileWriter{"ElapsedTime",
                          [](const std::string& path) {
                              return platform::WriteElapsedTime(path, 27 * 3600 + 189);
                          }}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace zam::test
