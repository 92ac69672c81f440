#include "ControlsFixture.h"

#include <QLineEdit>
#include <QVBoxLayout>
#include <cstdlib>

namespace zam::test {

namespace {

// The application lives from before the first test to after the last one, and is gone before
// the process's own static objects are torn down (Qt must not outlive them).
class ApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override { TestApp(); }
    void TearDown() override { app_.reset(); }
    static std::unique_ptr<QApplication> app_;
};
std::unique_ptr<QApplication> ApplicationEnvironment::app_;

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

}  // namespace

QApplication& TestApp() {
    static int argc = 1;
    static char name[] = "controls_tests";
    static char* argv[] = {name, nullptr};
    if (!ApplicationEnvironment::app_) {
        if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ApplicationEnvironment::app_ = std::make_unique<QApplication>(argc, argv);
    }
    return *ApplicationEnvironment::app_;
}

ControlsTest::ControlsTest() {
    TestApp();
    store = std::make_unique<IniStore>(ui);
    store->SetDirectory(dir.logical());
    controls::SetBoundStore(store.get());
    controls::SetControlsUi(&ui);
    window = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(window.get());
    elsewhere = new QLineEdit(window.get());
    elsewhere->setObjectName("elsewhere");
    layout->addWidget(elsewhere);
}

ControlsTest::~ControlsTest() {
    window.reset();
    controls::SetBoundStore(nullptr);
    controls::SetControlsUi(nullptr);
}

void ControlsTest::LoadIni(const std::string& relative, const std::string& text) {
    dir.write(relative, text);
    store->ReadIniFile(Sim() + relative);
}

std::string ControlsTest::Stored(const std::string& relative, const std::string& section,
                                 const std::string& entry) {
    return store->FullPathIniValue(Sim() + relative, section, entry);
}

void ControlsTest::Show(QWidget* control) {
    control->setParent(window.get());
    window->layout()->addWidget(control);
    window->show();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
}

void ControlsTest::TypeInto(QWidget* box, const QString& text) {
    box->setFocus(Qt::MouseFocusReason);
    ASSERT_TRUE(box->hasFocus());
    if (auto* line = qobject_cast<QLineEdit*>(box)) line->selectAll();  // typing replaces
    QTest::keyClicks(box, text);
}

}  // namespace zam::test
