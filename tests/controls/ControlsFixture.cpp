#include "ControlsFixture.h"

#include <QLineEdit>
#include <QVBoxLayout>

namespace zam::test {

namespace {

// One application for the whole suite, on the offscreen platform unless the caller chose one. It
// lives from before the first test to after the last and is gone before the process's own static
// objects are torn down: Qt must not outlive them, and one left alive at exit leaves the font
// library's memory unfreed, which the leak checker reports.
class ApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QApplication>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[15] = "controls_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

}  // namespace

}  // namespace zam::test
