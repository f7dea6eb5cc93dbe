// The program as a person finds it after pressing R: started, the first
// steps of its first render drawn, and paused. The command tests start here.
#pragma once

#include "program_fixture.h"
#include "render/surfaces.h"

#include <string>

namespace orv::test {

class PausedProgram : public ProgramTest {
  protected:
    void SetUp() override;

    // Resumes for n render steps and pauses again.
    void Render(int steps);
    // Takes the next queued message and handles it; false when none waits.
    bool HandleNext();
    // The first command waiting in the queue for the main window, or 0.
    UINT QueuedCommand() const;
    COLORREF Image(int x, int y) const;
};

// The last window made of the class, or nullptr.
HWND LastWindow(const std::string& className);
// A pixel of a window's surface, and of a picture among the resources.
COLORREF SurfacePixel(HWND hwnd, int x, int y);
COLORREF PicturePixel(const char* name, int x, int y);

} // namespace orv::test
