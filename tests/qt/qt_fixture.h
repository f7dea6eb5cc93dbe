// The program's main window on the Qt backend (offscreen platform).
#pragma once

#include "platform/qt_backend.h"

#include <gtest/gtest.h>

#include <vector>

class QMenuBar;

namespace orv::test {

class QtProgramTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program up to its message loop, with the main window
    // shown and the commands it receives recorded.
    void Start();
    // Runs the message loop over what is queued and returns its exit value.
    unsigned RunLoop();
    QWidget* Canvas() const;
    QMenuBar* MenuBar() const;
    std::vector<UINT>& Commands();

    QtBackend backend;
};

} // namespace orv::test
