#include "artwork.h"
#include "canvas.h"
#include "lettering.h"

#include <QLinearGradient>
#include <QPainter>

namespace orv::pictures {

QImage AboutPicture() {
    QImage picture(kAboutWidth, kAboutHeight, QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient ground(0, 0, 0, kAboutHeight);
    ground.setColorAt(0.0, QColor(10, 62, 34));
    ground.setColorAt(1.0, QColor(4, 34, 18));
    painter.fillRect(picture.rect(), ground);

    // The "Alpha" attractor with its default parameters, pale green to gold,
    // on the right.
    const int side = 206;
    EngineCanvas canvas(side);
    AttractorSetup setup;
    setup.type = 1;
    setup.parameters = PARAM{0.1, 0.1, 0.0, -1.804285, -2.513108, 0.957945, 0.0};
    setup.view = MINMAX{-1.4, 3.2, -1.3, 3.3};
    setup.steps = 500000;
    const QImage curve =
        ToneMap(canvas.RenderAttractor(setup),
                {qRgb(30, 90, 50), qRgb(110, 180, 100), qRgb(220, 220, 130), qRgb(255, 245, 200)});
    painter.drawImage(kAboutWidth - side - 14, (kAboutHeight - side) / 2, curve);

    painter.setPen(QPen(QColor(190, 170, 90), 1));
    painter.drawRect(QRectF(6.5, 6.5, kAboutWidth - 13, kAboutHeight - 13));

    const QColor gold(236, 200, 100);
    const QColor pale(214, 232, 206);
    Letter(painter, QRect(24, 52, 240, 50), "WJ Orvantis", 36, gold,
           Qt::AlignLeft | Qt::AlignVCenter);
    Letter(painter, QRect(26, 110, 230, 80),
           "Strange attractors in three\ndimensions, drawn point by\npoint while you watch.", 14,
           pale, Qt::AlignLeft | Qt::AlignTop, false);
    Letter(painter, QRect(26, 196, 230, 20), "Version " ORV_VERSION, 11, QColor(160, 190, 150),
           Qt::AlignLeft | Qt::AlignVCenter, false);
    return picture;
}

} // namespace orv::pictures
