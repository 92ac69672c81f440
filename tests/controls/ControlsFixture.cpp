#include "ControlsFixture.h"

#include <QLineEdit>
#include <QVBoxLayout>

#include "QtTestApplication.h"

namespace zam::test {

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtTestApplication("controls_tests"));

}  // namespace zam::test
