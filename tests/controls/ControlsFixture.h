#pragma once
// A simulator folder in a temporary directory, a real store over it, the recording user
// interface, and a shown, active window to put controls on so that keyboard and focus events
// reach them as they reach a user's.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>
#include <string>

#include "FakeUi.h"
#include "TempDir.h"
#include "zam/controls/BoundStore.h"
#include "zam/store/IniStore.h"

namespace zam::test {

class ControlsTest : public ::testing::Test {
protected:
    ControlsTest() {
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
    ~ControlsTest() override {
        window.reset();
        controls::SetBoundStore(nullptr);
        controls::SetControlsUi(nullptr);
    }

    // The simulator folder as the store's Directory.
    const std::string& Sim() const { return store->Directory(); }
    // Writes an INI file below the simulator folder and reads it into the store.
    void LoadIni(const std::string& relative, const std::string& text) {
        dir.write(relative, text);
        store->ReadIniFile(Sim() + relative);
    }
    // The stored text of an entry of a file below the simulator folder.
    std::string Stored(const std::string& relative, const std::string& section,
                       const std::string& entry) {
        return store->FullPathIniValue(Sim() + relative, section, entry);
    }
    // Puts a control on the window and gives the window the focus.
    void Show(QWidget* control) {
        control->setParent(window.get());
        window->layout()->addWidget(control);
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    // Types into a widget as a user would: focus first, then the keys; in a text box the typing
    // replaces the whole text.
    void TypeInto(QWidget* box, const QString& text) {
        box->setFocus(Qt::MouseFocusReason);
        ASSERT_TRUE(box->hasFocus());
        if (auto* line = qobject_cast<QLineEdit*>(box)) line->selectAll();  // typing replaces
        QTest::keyClicks(box, text);
    }

    TempDir dir;
    FakeUi ui;
    std::unique_ptr<IniStore> store;
    std::unique_ptr<QWidget> window;
    QWidget* elsewhere = nullptr;  // a second focusable widget to move the focus to
};

}  // namespace zam::test
