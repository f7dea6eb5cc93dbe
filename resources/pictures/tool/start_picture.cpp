#include "artwork.h"
#include "canvas.h"
#include "lettering.h"

#include <QPainter>

namespace orv::pictures {

namespace {

// The Standard map with its default parameters.
AttractorSetup startAttractor(long steps) {
    AttractorSetup setup;
    setup.type = 0;
    setup.parameters = PARAM{0.1, 0.1, 0.0, -0.966918, 2.879879, 0.765145, 0.744728};
    setup.view = MINMAX{-2.0, 2.0, -2.0, 2.0};
    setup.steps = steps;
    return setup;
}

} // namespace

QImage StartPicture() {
    QImage picture(kStartSide, kStartSide, QImage::Format_RGB32);
    picture.fill(Qt::black);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    // The frame: a dark red band with a lighter edge on each side and a thin
    // gold line inside it.
    painter.fillRect(0, 0, kStartSide, kStartSide, QColor(92, 10, 12));
    painter.setPen(QPen(QColor(140, 28, 26), 2));
    painter.drawRect(QRectF(1, 1, kStartSide - 2, kStartSide - 2));
    painter.fillRect(12, 12, kStartSide - 24, kStartSide - 24, Qt::black);
    painter.setPen(QPen(QColor(200, 150, 60), 1));
    painter.drawRect(QRectF(15.5, 15.5, kStartSide - 31, kStartSide - 31));

    const int side = 256;
    EngineCanvas canvas(side);
    const HitCounts hits = canvas.RenderAttractor(startAttractor(700000));
    const QImage curve = ToneMap(
        hits, {qRgb(70, 32, 0), qRgb(170, 100, 10), qRgb(235, 180, 50), qRgb(255, 236, 160)});
    painter.drawImage((kStartSide - side) / 2, 20, curve);

    Letter(painter, QRect(16, 262, kStartSide - 32, 44), "WJ Orvantis", 30, QColor(236, 190, 70));
    return picture;
}

} // namespace orv::pictures
