// orv_picturetool DIRECTORY: draws the program's pictures and icon with the
// render engine and writes them into DIRECTORY as PNG files (start.png,
// closing.png, about.png, icon-N.png for each icon size) and as the C++
// source pictures_data.cpp that the program is built with.
#include "artwork.h"
#include "output.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>
#include <cstdio>

namespace {

using namespace orv::pictures;

// The icon at one size, smoothly scaled from the largest. Scaling down
// averages the thin curves with the black between them, so the small sizes
// are brightened to keep the curve readable.
QImage iconAt(const QImage& largest, int side) {
    QImage icon = largest.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const double gain = side <= 32 ? 1.9 : side <= 64 ? 1.4 : 1.0;
    for (int y = 0; y < side; ++y) {
        auto* line = reinterpret_cast<QRgb*>(icon.scanLine(y));
        for (int x = 0; x < side; ++x) {
            const QRgb c = line[x];
            auto lift = [gain](int v) { return std::min(255, static_cast<int>(v * gain)); };
            // Only the gold is lifted: pixels where green is strong.
            if (qGreen(c) * 2 > qRed(c)) {
                line[x] = qRgba(lift(qRed(c)), lift(qGreen(c)), lift(qBlue(c)), qAlpha(c));
            }
        }
    }
    return icon;
}

// The icon as the window icon resource holds it: opaque, on black.
QImage opaqueIcon(const QImage& icon) {
    QImage flat(icon.size(), QImage::Format_RGB32);
    flat.fill(Qt::black);
    QPainter painter(&flat);
    painter.drawImage(0, 0, icon);
    return flat;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: orv_picturetool DIRECTORY\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(dir.path())) {
        std::fprintf(stderr, "orv_picturetool: cannot make %s\n", argv[1]);
        return 1;
    }

    const QImage start = StartPicture();
    const QImage closing = ClosingPicture();
    const QImage about = AboutPicture();
    const QImage icon = IconPicture();

    bool ok = WriteIfChanged(dir.filePath("start.png"), PngBytes(start)) &&
              WriteIfChanged(dir.filePath("closing.png"), PngBytes(closing)) &&
              WriteIfChanged(dir.filePath("about.png"), PngBytes(about));
    for (int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
        ok = ok && WriteIfChanged(dir.filePath(QString("icon-%1.png").arg(side)),
                                  PngBytes(iconAt(icon, side)));
    }
    const std::vector<NamedPicture> pictures{{"WJSPLASH1BITMAP", start},
                                             {"WJSPLASH2BITMAP", closing},
                                             {"WJABOUTBITMAP", about},
                                             {"WJORVANTISICON", opaqueIcon(iconAt(icon, 64))}};
    ok = ok && WriteIfChanged(dir.filePath("pictures_data.cpp"), PictureSource(pictures));
    if (!ok) {
        std::fprintf(stderr, "orv_picturetool: cannot write the pictures into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
