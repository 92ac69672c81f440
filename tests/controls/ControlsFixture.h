#pragma once
// A simulator folder in a temporary directory, a real store over it, the recording user
// interface, and a shown, active window to put controls on so that keyboard and focus events
// reach them as they reach a user's.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
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
    ControlsTest();
    ~ControlsTest() override;

    // The simulator folder as the store's Directory.
    const std::string& Sim() const { return store->Directory(); }
    // Writes an INI file below the simulator folder and reads it into the store.
    void LoadIni(const std::string& relative, const std::string& text);
    // The stored text of an entry of a file below the simulator folder.
    std::string Stored(const std::string& relative, const std::string& section,
                       const std::string& entry);
    // Puts a control on the window and gives the window the focus.
    void Show(QWidget* control);
    // Types into a widget as a user would: focus first, then the keys; in a text box the typing
    // replaces the whole text.
    void TypeInto(QWidget* box, const QString& text);

    TempDir dir;
    FakeUi ui;
    std::unique_ptr<IniStore> store;
    std::unique_ptr<QWidget> window;
    QWidget* elsewhere = nullptr;  // a second focusable widget to move the focus to
};

}  // namespace zam::test
