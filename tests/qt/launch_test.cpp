#include "platform/qt_backend.h"

#include <gtest/gtest.h>

#include <Qt>
#include <cstdlib>

namespace orv {
namespace {

TEST(Win32CommandLine, TheArgumentIsPutBackInsideDoubleQuotes) {
    char program[] = "orvantis";
    char path[] = "/home/me/my attractor.gan";
    char* one[] = {program, path};
    EXPECT_EQ(Win32CommandLine(1, one), "");
    EXPECT_EQ(Win32CommandLine(2, one), "\"/home/me/my attractor.gan\"");
    char first[] = "/home/me/my";
    char second[] = "attractor.gan";
    char* split[] = {program, first, second};
    EXPECT_EQ(Win32CommandLine(3, split), "\"/home/me/my attractor.gan\"");
}

TEST(Display, IsFoundFromTheEnvironment) {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("QT_QPA_PLATFORM");
    EXPECT_FALSE(DisplayAvailable());
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    EXPECT_TRUE(DisplayAvailable());
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    EXPECT_FALSE(DisplayAvailable());
    setenv("DISPLAY", ":5", 1);
    EXPECT_TRUE(DisplayAvailable());
    unsetenv("QT_QPA_PLATFORM");
    EXPECT_TRUE(DisplayAvailable());
}

TEST(VirtualKeys, QtKeysBecomeWin32Codes) {
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_A), 'A');
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Z), 'Z');
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_F1), 0x70);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_F11), 0x7A);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Escape), 0x1B);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Tab), 0x09);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Eacute), 0);
}

} // namespace
} // namespace orv
