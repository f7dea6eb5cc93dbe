// The program as the batch renderer runs it: started as the desktop program
// starts, on the headless backend, so that no window system is touched.
#pragma once

#include "cli/report.h"

#include <ostream>
#include <string>
#include <vector>

namespace orv {

class BatchSession {
  public:
    // Registers the resources and window classes and creates the main window,
    // which sets up the off-screen image and the start state; installs Default
    // Palette 1.
    BatchSession();
    // Destroys the main window, which frees the image and the hit counts.
    ~BatchSession();
    BatchSession(const BatchSession&) = delete;
    BatchSession& operator=(const BatchSession&) = delete;

    // 0, or the start-up failure code (1 to 4) whose text errormessage holds.
    int startFailure() const { return startFailure_; }

    // Reports the texts of the message boxes the engine has shown since the
    // last call; false when there were none. The grid question of
    // the Lyapunov map is answered No and not kept; every other question is
    // answered No, and kept.
    bool ReportMessages(const Reporter& report);

  private:
    int startFailure_ = 0;
    std::vector<std::string> messages_;
};

} // namespace orv
