#include "artwork.h"
#include "canvas.h"

#include <QPainter>
#include <QPainterPath>

namespace orv::pictures {

QImage IconPicture() {
    QImage picture(kIconSide, kIconSide, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    QPainterPath square;
    square.addRoundedRect(QRectF(8, 8, kIconSide - 16, kIconSide - 16), 40, 40);
    painter.fillPath(square, QColor(110, 14, 16));
    QPainterPath inner;
    inner.addRoundedRect(QRectF(24, 24, kIconSide - 48, kIconSide - 48), 26, 26);
    painter.fillPath(inner, Qt::black);

    // The Standard map, as on the start picture, drawn bold enough to read
    // at small sizes.
    const int side = kIconSide - 56;
    EngineCanvas canvas(side);
    AttractorSetup setup;
    setup.type = 0;
    setup.parameters = PARAM{0.1, 0.1, 0.0, -0.966918, 2.879879, 0.765145, 0.744728};
    setup.view = MINMAX{-1.95, 1.95, -1.95, 1.95};
    setup.steps = 400000;
    const QImage curve = ToneMap(canvas.RenderAttractor(setup),
                                 {qRgb(150, 80, 0), qRgb(230, 170, 40), qRgb(255, 240, 170)});
    painter.setClipPath(inner);
    painter.drawImage(28, 28, curve);
    return picture;
}

} // namespace orv::pictures
