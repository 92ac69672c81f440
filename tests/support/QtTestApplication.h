#pragma once
// One application for a whole Qt test program, on the offscreen platform unless the caller chose
// one. It lives from before the first test to after the last and is gone before the process's own
// static objects are torn down: Qt must not outlive them, and one left alive at exit leaves the
// font library's memory unfreed, which the leak checker reports. Each Qt suite registers it once,
// in one of its own source files, with the program's name.
#include <gtest/gtest.h>

#include <QApplication>
#include <memory>
#include <string>

namespace zam::test {

class QtTestApplication : public ::testing::Environment {
public:
    explicit QtTestApplication(std::string name) : name_(std::move(name)) {}
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QApplication>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

private:
    std::string name_;
    int argc_ = 1;
    char* argv_[2] = {name_.data(), nullptr};
    std::unique_ptr<QApplication> app_;
};

}  // namespace zam::test
