// A main window and off-screen image in the headless backend, as the program
// sets them up, for tests of the engine.
#pragma once

#include "platform/headless.h"
#include "render/state.h"

#include <gtest/gtest.h>

namespace orv::test {

class EngineTest : public ::testing::Test {
  protected:
    // The client area of the test window; wider and taller than the image
    // unless a test says otherwise.
    static constexpr int kClientWidth = 1000;
    static constexpr int kClientHeight = 700;

    void SetUp() override;
    void TearDown() override;

    // Creates the window with the given client size and a res x res image.
    void CreateSurfaces(int clientWidth, int clientHeight);
    // Replaces the off-screen image by a black one of res x res.
    void ResizeImage();
    // Runs the render driver n times.
    void Steps(long n);

    // Colour of a pixel in the image and on the window.
    COLORREF Image(int x, int y) const;
    COLORREF Screen(int x, int y) const;

    HeadlessBackend& backend = Headless();
};

// Saves a global on construction and puts it back on destruction.
template <typename T> class Keep {
  public:
    explicit Keep(T& value) : ref_(value), saved_(value) {}
    ~Keep() { ref_ = saved_; }
    Keep(const Keep&) = delete;
    Keep& operator=(const Keep&) = delete;

  private:
    T& ref_;
    T saved_;
};

} // namespace orv::test
