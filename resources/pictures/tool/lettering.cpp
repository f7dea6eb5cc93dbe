#include "lettering.h"

#include <QFont>

namespace orv::pictures {

void Letter(QPainter& painter, const QRect& box, const QString& text, int pixelSize,
            const QColor& colour, Qt::Alignment alignment, bool bold) {
    QFont font("DejaVu Serif");
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    painter.save();
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 0, 160));
    painter.drawText(box.translated(1, 2), static_cast<int>(alignment), text);
    painter.setPen(colour);
    painter.drawText(box, static_cast<int>(alignment), text);
    painter.restore();
}

} // namespace orv::pictures
