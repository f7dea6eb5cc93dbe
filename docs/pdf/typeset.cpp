#include "typeset.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>

namespace {

// The margin around the text inside the printable area, in the document's
// pixels; the layout scales it to the writer's resolution.
constexpr double kMargin = 38;
constexpr double kDocumentDpi = 96;

bool showsPicture(const QTextBlock& block) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        if (it.fragment().charFormat().isImageFormat()) {
            return true;
        }
    }
    return false;
}

double lineTop(const QTextBlock& block, int line) {
    return block.layout()->position().y() + block.layout()->lineAt(line).y();
}

// A caption, the paragraph ending in a colon before a picture, goes over to
// the next page with its picture when the picture does not fit under it.
void keepCaptionsWithPictures(QTextDocument& doc, double pageHeight) {
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QTextBlock caption = block.previous();
        if (!showsPicture(block) || !caption.isValid() || !caption.text().endsWith(':')) {
            continue;
        }
        // The layout is made lazily; counting the pages completes it.
        doc.pageCount();
        const int lines = block.layout()->lineCount();
        if (lines == 0 || caption.layout()->lineCount() == 0) {
            continue;
        }
        const double bottom =
            lineTop(block, lines - 1) + block.layout()->lineAt(lines - 1).height();
        if (static_cast<int>(lineTop(caption, 0) / pageHeight) !=
            static_cast<int>(bottom / pageHeight)) {
            QTextBlockFormat format = caption.blockFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(caption).setBlockFormat(format);
        }
    }
}

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
    keepCaptionsWithPictures(doc, body.height());
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
        const double y = lineTop(block, 0);
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
