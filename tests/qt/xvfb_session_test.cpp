// A session with the real program in an X server of its own (the test is
// started by xvfb-run), played with real key presses: the start splash, R
// to pause, F9 and F10, a changed parameter in the Parameters dialog, R to
// resume and pause again (the paused program idles), S with a typed file
// name, and Esc with a key to end it. The saved files are checked; on failure a screenshot of every
// stage is kept in the artifacts folder.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMargins>
#include <QPixmap>
#include <QProcess>
#include <QRect>
#include <QScreen>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>

#include "palette/palette.h"

#include "xvfb_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <vector>

#include <unistd.h>

namespace {

QString programPath;
QString artifactsPath;
QString picturesPath;

constexpr QRgb kStarBackground = qRgb(0, 16, 48);
constexpr int kSplashSide = 320;

using orv::xvfb::Drawn;
using orv::xvfb::kBackground;
using orv::xvfb::Tool;
using orv::xvfb::Within;

QStringList VisibleWindows(const QString& name) {
    return Tool("xdotool", {"search", "--onlyvisible", "--name", name})
        .split('\n', Qt::SkipEmptyParts);
}

// Gives the keyboard to the window and presses the keys there.
void Press(const QString& window, const QStringList& keys) {
    Tool("xdotool", {"windowfocus", "--sync", window});
    Tool("xdotool", QStringList{"key", "--delay", "80"} + keys);
}

void Type(const QString& window, const QString& text) {
    Tool("xdotool", {"windowfocus", "--sync", window});
    Tool("xdotool", {"type", "--delay", "80", text});
}

QImage Screen() {
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage();
}

// How many of every fourth pixel of a picture the screen shows at (x, y),
// in parts of a thousand.
int Likeness(const QImage& screen, const QImage& picture, int x, int y) {
    int same = 0;
    int all = 0;
    for (int py = 0; py < picture.height(); py += 4) {
        for (int px = 0; px < picture.width(); px += 4) {
            same += screen.pixel(x + px, y + py) == picture.pixel(px, py) ? 1 : 0;
            ++all;
        }
    }
    return 1000 * same / all;
}

// The little-endian numbers of a file.
unsigned Word(const QByteArray& bytes, int at) {
    return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

// The number after a label in xwininfo's output.
int Number(const QString& text, const QString& label) {
    return text.section(label, 1).section('\n', 0, 0).trimmed().toInt();
}

double Real(const QByteArray& bytes, int at) {
    double value = 0;
    std::memcpy(&value, bytes.constData() + at, sizeof value);
    return value;
}

// The processor time a process has taken so far, user and system, in clock
// ticks; -1 when it cannot be read.
long ProcessorTicks(qint64 pid) {
    QFile stat(QString("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) {
        return -1;
    }
    // After the name in parentheses: the state, then utime and stime as the
    // 12th and 13th fields.
    const QStringList fields =
        QString::fromLatin1(stat.readAll()).section(')', -1).split(' ', Qt::SkipEmptyParts);
    return fields.size() > 12 ? fields[11].toLong() + fields[12].toLong() : -1;
}

QSet<QRgb> Colours(const unsigned char* palette) {
    QSet<QRgb> colours;
    for (int i = 0; i < 256; ++i) {
        colours.insert(qRgb(palette[3 * i], palette[3 * i + 1], palette[3 * i + 2]));
    }
    return colours;
}

class XvfbSession : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        splashAt =
            QPoint(screen.width() / 2 - kSplashSide / 2, screen.height() / 2 - kSplashSide / 2);
    }

    void TearDown() override {
        if (program.state() != QProcess::NotRunning) {
            program.kill();
            program.waitForFinished(5000);
        }
        if (HasFailure() && !artifactsPath.isEmpty()) {
            QDir().mkpath(artifactsPath);
            for (std::size_t i = 0; i < stages.size(); ++i) {
                stages[i].second.save(QString("%1/%2-%3.png")
                                          .arg(artifactsPath)
                                          .arg(i + 1, 2, 10, QChar('0'))
                                          .arg(stages[i].first));
            }
        }
    }

    // Keeps a screenshot of the stage the session has reached.
    void Stage(const QString& name) { stages.emplace_back(name, Screen()); }

    // The side x side picture below the menu bar: the square whose top row
    // is mostly the background colour, with the window black beyond it.
    QImage Picture(int side) {
        const QImage window =
            QGuiApplication::primaryScreen()->grabWindow(mainWindow.toULongLong()).toImage();
        for (int y = 0; y + side <= window.height(); ++y) {
            int background = 0;
            for (int x = 0; x < side; ++x) {
                background += window.pixel(x, y) == kBackground ? 1 : 0;
            }
            if (background > side / 2) {
                return window.pixel(side + 10, y) == qRgb(0, 0, 0) ? window.copy(0, y, side, side)
                                                                   : QImage();
            }
        }
        return QImage();
    }

    // Presses R until the picture stands still: a press can be lost while
    // the window is still getting the keyboard.
    bool Pause(int side) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            Press(mainWindow, {"r"});
            QImage paused;
            if (Within(10, [&] {
                    paused = Picture(side);
                    QThread::msleep(300);
                    return !paused.isNull() && Picture(side) == paused;
                })) {
                return true;
            }
        }
        return false;
    }

    // Presses a key in the main window until what it brings about is there:
    // a press can be lost while the window gets the keyboard back.
    bool PressUntil(const QString& key, const std::function<bool()>& done) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            Press(mainWindow, {key});
            if (Within(10, done)) {
                return true;
            }
        }
        return false;
    }

    // Waits for a new window of that name (one that is not the main window)
    // and returns it.
    QString NewWindow(const QString& name, int seconds = 20) {
        QString found;
        Within(seconds, [&] {
            for (const QString& id : VisibleWindows(name)) {
                if (id != mainWindow) {
                    found = id;
                    return true;
                }
            }
            return false;
        });
        return found;
    }

    // Waits for the program's next message box with that caption and
    // closes it with Return.
    bool Acknowledge(const QString& caption) {
        const QString box = NewWindow(caption);
        if (box.isEmpty()) {
            return false;
        }
        Press(box, {"Return"});
        return Within(10, [&] { return !VisibleWindows(caption).contains(box); });
    }

    QTemporaryDir folder;
    QProcess program;
    QString mainWindow;
    QPoint splashAt;
    std::vector<std::pair<QString, QImage>> stages;
};

TEST_F(XvfbSession, APersonRendersChangesSavesAndLeaves) {
    const QImage start(picturesPath + "/start.png");
    const QImage closing(picturesPath + "/closing.png");
    ASSERT_FALSE(start.isNull());
    ASSERT_FALSE(closing.isNull());

    program.setWorkingDirectory(folder.path());
    program.start(programPath, {});
    ASSERT_TRUE(program.waitForStarted(10000));

    // The start splash shows its picture in the middle of the screen, then
    // goes, and the main window renders.
    EXPECT_TRUE(Within(20, [&] {
        return Likeness(Screen(), start, splashAt.x(), splashAt.y()) > 950;
    })) << "the start splash never showed its picture";
    Stage("splash");
    ASSERT_TRUE(Within(30, [&] {
        mainWindow = VisibleWindows("^WJ Orvantis$").value(0);
        return !mainWindow.isEmpty();
    })) << "the main window never appeared";
    EXPECT_TRUE(Within(10, [&] {
        return Likeness(Screen(), start, splashAt.x(), splashAt.y()) < 500;
    })) << "the splash did not go";
    QImage picture;
    ASSERT_TRUE(Within(30, [&] {
        picture = Picture(600);
        return !picture.isNull() && Drawn(picture) > 2000;
    })) << "no attractor was drawn";
    Stage("rendering");

    // The window and its frame fit the screen.
    const QString geometry = Tool("xwininfo", {"-id", mainWindow});
    const QRect client(Number(geometry, "Absolute upper-left X:"),
                       Number(geometry, "Absolute upper-left Y:"), Number(geometry, "Width:"),
                       Number(geometry, "Height:"));
    const QStringList frame = Tool("xprop", {"-id", mainWindow, "_NET_FRAME_EXTENTS"})
                                  .section('=', 1)
                                  .split(',', Qt::SkipEmptyParts);
    const QMargins extents = frame.size() == 4 ? QMargins(frame[0].toInt(), frame[2].toInt(),
                                                          frame[1].toInt(), frame[3].toInt())
                                               : QMargins();
    EXPECT_TRUE(QGuiApplication::primaryScreen()->geometry().contains(client.marginsAdded(extents)))
        << "the window with its frame reaches beyond the screen";

    // A menu opened with the mouse and closed with Esc gives the keys back.
    Tool("xdotool", {"mousemove", QString::number(client.x() + 15), QString::number(client.y() + 8),
                     "click", "1"});
    QThread::msleep(500);
    Stage("menu");
    Tool("xdotool", {"key", "Escape"});
    QThread::msleep(300);
    ASSERT_TRUE(Pause(600)) << "R did not pause";
    Stage("paused");

    // F9 and then F10: both give Default Palette 1.
    Press(mainWindow, {"F9", "F10"});

    // The Parameters dialog: a smaller picture and another a.
    QString dialog;
    ASSERT_TRUE(PressUntil("F4", [&] {
        dialog = NewWindow("^  Parameters$", 1);
        return !dialog.isEmpty();
    })) << "F4 opened no dialog";
    Stage("parameters");
    Press(dialog, {"Tab", "Tab"});
    Type(dialog, "400");
    // xdotool would read "-1.2" as an option of its own.
    Press(dialog, {"Tab", "minus"});
    Type(dialog, "1.2");
    Stage("parameters typed");
    Press(dialog, {"Return"});
    ASSERT_TRUE(Within(10, [&] { return !VisibleWindows("^  Parameters$").contains(dialog); }))
        << "the dialog did not close";

    ASSERT_TRUE(PressUntil("r", [&] {
        picture = Picture(400);
        return !picture.isNull() && Drawn(picture) > 2000;
    })) << "the new picture was not rendered";
    Stage("resumed");
    ASSERT_TRUE(Pause(400)) << "R did not pause again";
    picture = Picture(400);
    Stage("paused again");

    // Paused, the program waits for input: in three seconds it takes at most
    // 5% of a core.
    const long before = ProcessorTicks(program.processId());
    QThread::sleep(3);
    const long taken = ProcessorTicks(program.processId()) - before;
    ASSERT_GE(before, 0);
    EXPECT_LE(taken, 3 * sysconf(_SC_CLK_TCK) * 5 / 100)
        << "ticks of " << sysconf(_SC_CLK_TCK) << " a second while paused";

    // S, a typed name, and the two reports.
    QString save;
    ASSERT_TRUE(PressUntil("s", [&] {
        save = NewWindow("^Select a file for saving your image:$", 1);
        return !save.isEmpty();
    })) << "S opened no file selection";
    Type(save, "session");
    Stage("file name typed");
    Press(save, {"Return"});
    ASSERT_TRUE(Acknowledge("^WJ Orvantis$")) << "no report of the image";
    ASSERT_TRUE(Acknowledge("^WJ Orvantis$")) << "no report of the parameters";
    Stage("saved");

    QFile image(folder.filePath("session.tga"));
    ASSERT_TRUE(image.open(QIODevice::ReadOnly));
    const QByteArray tga = image.readAll();
    ASSERT_EQ(tga.size(), 18 + 3 * 400 * 400 + 26);
    EXPECT_EQ(Word(tga, 12), 400u);
    EXPECT_EQ(Word(tga, 14), 400u);
    EXPECT_EQ(tga.right(18), QByteArray("TRUEVISION-XFILE.", 18));
    // The file holds what the window shows, top row first, blue first.
    for (const QPoint at : {QPoint(0, 0), QPoint(200, 200), QPoint(399, 399)}) {
        const int offset = 18 + 3 * (at.y() * 400 + at.x());
        const QRgb shown = picture.pixel(at);
        EXPECT_EQ(qRgb(static_cast<unsigned char>(tga[offset + 2]),
                       static_cast<unsigned char>(tga[offset + 1]),
                       static_cast<unsigned char>(tga[offset])),
                  shown)
            << at.x() << ", " << at.y();
    }
    // F10, pressed last, gave Default Palette 1, as F9 does.
    const QSet<QRgb> palette1 = Colours(orv::defpal1);
    const QSet<QRgb> palette2 = Colours(orv::defpal2);
    int drawn = 0;
    int foreign = 0;
    int onlyPalette1 = 0;
    for (int offset = 18; offset + 26 < tga.size(); offset += 3) {
        const QRgb colour = qRgb(static_cast<unsigned char>(tga[offset + 2]),
                                 static_cast<unsigned char>(tga[offset + 1]),
                                 static_cast<unsigned char>(tga[offset]));
        if (colour != kBackground) {
            ++drawn;
            foreign += palette1.contains(colour) ? 0 : 1;
            onlyPalette1 += palette2.contains(colour) ? 0 : 1;
        }
    }
    EXPECT_GT(drawn, 2000);
    EXPECT_EQ(foreign, 0);
    EXPECT_GT(onlyPalette1, drawn / 2);

    QFile parameters(folder.filePath("session.gan"));
    ASSERT_TRUE(parameters.open(QIODevice::ReadOnly));
    const QByteArray gan = parameters.readAll();
    ASSERT_EQ(gan.size(), 100);
    EXPECT_EQ(Word(gan, 0), 0u) << "Standard";
    EXPECT_EQ(Real(gan, 4), -1.2) << "a as typed";
    EXPECT_EQ(Real(gan, 12), 2.879879) << "b as it was";

    // Esc opens the closing splash: the closing picture under the band of
    // stars; a key ends it, and the program.
    ASSERT_TRUE(PressUntil("Escape", [&] {
        const QImage now = Screen();
        return Likeness(now, closing, splashAt.x(), splashAt.y() + kSplashSide - closing.height()) >
                   950 &&
               now.pixel(splashAt.x() + 5, splashAt.y() + 90) == kStarBackground;
    })) << "the closing splash never showed";
    Stage("closing splash");
    // A click on the disabled main window takes nothing from the splash: a
    // key typed there afterwards still ends it.
    bool ended = false;
    for (int attempt = 0; attempt < 3 && !ended; ++attempt) {
        Tool("xdotool", {"mousemove", QString::number(client.x() + 20),
                         QString::number(client.y() + 300), "click", "1"});
        Press(mainWindow, {"period"});
        ended = program.waitForFinished(10000);
    }
    ASSERT_TRUE(ended) << "the program did not end after the key";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 4) {
        return 2;
    }
    programPath = argv[1];
    picturesPath = argv[2];
    artifactsPath = argv[3];
    return RUN_ALL_TESTS();
}
