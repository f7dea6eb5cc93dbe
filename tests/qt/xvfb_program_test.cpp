// Runs the real program in an X server of its own (the test is started by
// xvfb-run), lets it render, presses R and checks from grabs of its window
// that the attractor is drawn and that rendering has paused.
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QThread>

#include "xvfb_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

namespace {

std::string programPath;

using orv::xvfb::Drawn;
using orv::xvfb::kBackground;
using orv::xvfb::Tool;
using orv::xvfb::Within;

class XvfbProgram : public ::testing::Test {
  protected:
    void TearDown() override {
        if (program.state() != QProcess::NotRunning) {
            program.terminate();
            if (!program.waitForFinished(5000)) {
                program.kill();
                program.waitForFinished(5000);
            }
        }
    }

    // The 600 x 600 picture: the square of the background colour below the
    // menu bar, as the window shows it now.
    QImage Picture() {
        const QImage window = QGuiApplication::primaryScreen()->grabWindow(windowId).toImage();
        for (int y = 0; y + 600 <= window.height(); ++y) {
            int background = 0;
            for (int x = 0; x < 600; ++x) {
                background += window.pixel(x, y) == kBackground ? 1 : 0;
            }
            if (background > 300) {
                return window.copy(0, y, 600, 600);
            }
        }
        return QImage();
    }

    QProcess program;
    WId windowId = 0;
};

TEST_F(XvfbProgram, RendersAndPausesOnR) {
    program.start(QString::fromStdString(programPath), {});
    ASSERT_TRUE(program.waitForStarted(10000));
    QString found;
    ASSERT_TRUE(Within(30, [&] {
        found = Tool("xdotool", {"search", "--name", "^WJ Orvantis$"}).section('\n', 0, 0);
        return !found.isEmpty();
    })) << "the main window never appeared";
    windowId = found.toULongLong();
    EXPECT_TRUE(Tool("xprop", {"-id", found, "WM_CLASS"}).endsWith(", \"orvantis\""))
        << "the class that the desktop entry names";

    QImage before;
    ASSERT_TRUE(Within(30, [&] {
        before = Picture();
        return !before.isNull() && Drawn(before) > 2000;
    })) << "no attractor was drawn";
    ASSERT_TRUE(Within(10, [&] { return Picture() != before; }))
        << "the picture should grow while rendering";

    // A key press can be lost while the window is still getting the focus;
    // then it is pressed again, never after the picture has stood still.
    QImage paused;
    bool stopped = false;
    for (int attempt = 0; attempt < 3 && !stopped; ++attempt) {
        Tool("xdotool", {"windowfocus", "--sync", found});
        Tool("xdotool", {"key", "r"});
        stopped = Within(10, [&] {
            paused = Picture();
            QThread::msleep(300);
            return !paused.isNull() && Picture() == paused;
        });
    }
    ASSERT_TRUE(stopped) << "rendering did not pause";
    QThread::msleep(1000);
    EXPECT_EQ(Picture(), paused) << "the picture changed after the pause";
    EXPECT_GT(Drawn(paused), 2000);
    EXPECT_EQ(program.state(), QProcess::Running);
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        return 2;
    }
    programPath = argv[1];
    return RUN_ALL_TESTS();
}
