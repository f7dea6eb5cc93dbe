// What the tests of the real program under Xvfb share: waiting for a
// condition, running a helper tool, and reading the picture's pixels.
#pragma once

#include <QImage>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QThread>

#include <chrono>
#include <functional>

namespace orv::xvfb {

// The start background colour (red 255, green 245, blue 230).
constexpr QRgb kBackground = qRgb(255, 245, 230);

// Asks until the answer is yes or the time is up.
inline bool Within(int seconds, const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < end) {
        if (done()) {
            return true;
        }
        QThread::msleep(100);
    }
    return false;
}

// Runs a tool to its end and returns what it printed.
inline QString Tool(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    process.waitForFinished(10000);
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

// The number of pixels of a picture that are not the background.
inline int Drawn(const QImage& picture) {
    int drawn = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            drawn += picture.pixel(x, y) != kBackground ? 1 : 0;
        }
    }
    return drawn;
}

} // namespace orv::xvfb
