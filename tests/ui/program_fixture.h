// The whole program on the headless backend: classes registered, the main
// window created as at start-up, and helpers that act as the user would.
#pragma once

#include "platform/dialog.h"
#include "platform/headless.h"

#include <gtest/gtest.h>

#include <vector>

namespace orv::test {

class ProgramTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Registers the resources and classes and creates the main window.
    void Start();
    // Takes the render command that start-up posted and handles it, as the
    // message loop's first message: rendering runs.
    void TakeStartCommand();
    // Runs the message loop over what is queued, then n wake-ups more, and
    // returns its exit value (the test's quit code unless the program quit).
    unsigned RunLoop(int wakeUps);
    // Sends a command as the menu would.
    void Command(UINT id, LPARAM lParam = 0);
    bool Grayed(UINT id) const;
    bool Checked(UINT id) const;
    COLORREF Screen(int x, int y) const;

    // The commands that reached the main window, recorded around its
    // procedure.
    std::vector<UINT>& Commands();

    HeadlessBackend& backend = Headless();
};

// What a user does inside a dialog.
void Type(HWND dialog, int id, const char* text);
void Click(HWND dialog, int id);
void Choose(HWND dialog, int id);
// Presses a key on the control with the focus; true when the dialog
// manager took it.
bool Press(HWND dialog, int key);

} // namespace orv::test
