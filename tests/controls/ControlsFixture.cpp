#include "ControlsFixture.h"

#include <QLineEdit>
#include <QVBoxLayout>

#include "QtTestApplication.h"

namespace zam::test {

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtTestApplication("controls_tests"));

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
