#include "typeset.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>

namespace {

// The margin around the text inside the printable area, in the document's
// pixels; the layout scales it to the writer's resolution.
constexpr double kMargin = 38;
constexpr double kDocumentDpi = 96;

} // namespace

double TextWidth(const QPdfWriter& writer) {
    return writer.pageLayout().paintRectPoints().width() * kDocumentDpi / 72 - 2 * kMargin;
}

bool Typeset(QTextDocument& doc, QPdfWriter& writer, std::vector<Chapter>* chapters) {
    QPainter painter(&writer);
    if (!painter.isActive()) {
        return false;
    }
    QAbstractTextDocumentLayout* layout = doc.documentLayout();
    layout->setPaintDevice(&writer);
    QTextFrameFormat frame = doc.rootFrame()->frameFormat();
    frame.setMargin(kMargin);
    doc.rootFrame()->setFrameFormat(frame);
    const QSizeF body(writer.width(), writer.height());
    doc.setPageSize(body);
    // The layout is made lazily; counting the pages completes it.
    const int pages = doc.pageCount();

    // Device pixels to points, and where the printable area starts on the page.
    const double points = 72.0 / writer.resolution();
    const QPageLayout page = writer.pageLayout();
    const double pageHeight = page.fullRectPoints().height();
    const double bodyTop = page.paintRectPoints().top();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() != 2 || block.layout()->lineCount() == 0) {
            continue;
        }
        const double y = block.layout()->position().y() + block.layout()->lineAt(0).y();
        const int index = static_cast<int>(y / body.height());
        chapters->push_back(
            {block.text(), index, pageHeight - bodyTop - (y - index * body.height()) * points});
    }

    painter.setFont(doc.defaultFont());
    const double margin = kMargin * writer.logicalDpiY() / kDocumentDpi;
    const int numberY = qRound(body.height() - margin + painter.fontMetrics().ascent());
    for (int index = 0; index < pages; ++index) {
        if (index > 0) {
            writer.newPage();
        }
        const QRectF view(0, index * body.height(), body.width(), body.height());
        painter.save();
        painter.translate(0, -view.top());
        painter.setClipRect(view);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = view;
        context.palette.setColor(QPalette::Text, Qt::black);
        layout->draw(&painter, context);
        painter.restore();
        const QString number = QString::number(index + 1);
        painter.drawText(
            qRound(body.width() - margin - painter.fontMetrics().horizontalAdvance(number)),
            numberY, number);
    }
    return true;
}
