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

ControlsTest::ControlsTest() {
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
