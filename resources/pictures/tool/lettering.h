// Text on the pictures, in the serif face that every build machine has.
#pragma once

#include <QColor>
#include <QPainter>
#include <QRect>
#include <QString>

namespace orv::pictures {

// Writes one line centred in the box, bold at the given pixel size, with a
// soft dark shadow below and to the right.
void Letter(QPainter& painter, const QRect& box, const QString& text, int pixelSize,
            const QColor& colour, Qt::Alignment alignment = Qt::AlignCenter, bool bold = true);

} // namespace orv::pictures
