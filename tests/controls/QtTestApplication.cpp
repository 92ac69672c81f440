// The one application of the controls suite.
#include "QtTestApplication.h"

namespace zam::test {

[[maybe_unused]] ::testing::Environment* const kQtApplication =
    ::testing::AddGlobalTestEnvironment(new QtTestApplication("controls_tests"));

}  // namespace zam::test
