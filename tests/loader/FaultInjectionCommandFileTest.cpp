// Every changing step of writing ZAM.int failed in turn, for both of its writers: the file is the
// whole previous record or the whole new one, no temporary file stays behind where it could be
// removed, and the writer's answer says which.
#include <gtest/gtest.h>

#include <functional>

#include "FaultSweep.h"
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
    const SweepResult sweep = SweepOneFileWriter(
        {"ZAM.int", "Run\r\n\"C:\\Sierra\\GPL\\GPL.EXE\" -monitor\r\n", 2,
         [](const std::string& path) { return GetParam().write(path).ok(); }, {}});
    TallyFaults("ZAM.int (platform command file)", sweep.injected);
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
