// The desktop program on the headless backend, driven as a person would:
// started as at start-up, values typed into its dialogs, rendering run by
// its message loop, and the picture saved with "Save Image and Parameters
// (S)", the file name typed into its selection.
#pragma once

#include "platform/headless.h"

#include <functional>
#include <string>

namespace orv::test {

class DesktopPath {
  public:
    DesktopPath();
    ~DesktopPath();
    DesktopPath(const DesktopPath&) = delete;
    DesktopPath& operator=(const DesktopPath&) = delete;

    // Runs a command whose dialog the script fills in and confirms.
    void Dialog(unsigned command, std::function<void(HWND dialog)> script);
    // The message loop with rendering on, for the given number of render
    // steps, then paused.
    void Render(long steps);
    // Saves the image to path, and the parameter file beside it, with the
    // command.
    void Save(const std::string& path);

    HeadlessBackend& backend = Headless();
};

// What a person does inside a dialog.
void Type(HWND dialog, int id, const char* text);
void Choose(HWND dialog, int id);
void Confirm(HWND dialog);

} // namespace orv::test
