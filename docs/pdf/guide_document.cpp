#include "guide_document.h"

#include <QDir>
#include <QFileInfo>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextImageFormat>
#include <QTextTable>
#include <QUrl>

#include <vector>

namespace {

// Puts the cover picture, centred, in a paragraph of its own before the
// document's first block.
void addCover(QTextDocument& doc, const QImage& cover) {
    const QUrl name("cover.png");
    doc.addResource(QTextDocument::ImageResource, name, cover);
    QTextCursor cursor(&doc);
    cursor.movePosition(QTextCursor::Start);
    cursor.insertBlock();
    cursor.movePosition(QTextCursor::Start);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    centred.setBottomMargin(12);
    cursor.setBlockFormat(centred);
    QTextImageFormat image;
    image.setName(name.toString());
    image.setWidth(cover.width());
    image.setHeight(cover.height());
    cursor.insertImage(image);
}

// Gives every table thin grey rules, some room in its cells, the full text
// width and a shaded header row.
void styleTables(QTextDocument& doc) {
    const auto frames = doc.rootFrame()->childFrames();
    for (QTextFrame* frame : frames) {
        auto* table = qobject_cast<QTextTable*>(frame);
        if (table == nullptr) {
            continue;
        }
        QTextTableFormat format = table->format();
        format.setBorderCollapse(false);
        format.setBorder(0.4);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderBrush(QColor(150, 150, 150));
        format.setCellSpacing(0);
        format.setCellPadding(3);
        format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        table->setFormat(format);
        for (int column = 0; column < table->columns(); ++column) {
            QTextTableCell cell = table->cellAt(0, column);
            QTextTableCellFormat header = cell.format().toTableCellFormat();
            header.setBackground(QColor(228, 234, 226));
            cell.setFormat(header);
        }
    }
}

QSizeF naturalSize(QTextDocument& doc, const QTextImageFormat& image) {
    if (image.width() > 0 && image.height() > 0) {
        return QSizeF(image.width(), image.height());
    }
    const QImage picture =
        doc.resource(QTextDocument::ImageResource, QUrl(image.name())).value<QImage>();
    return QSizeF(picture.size());
}

} // namespace

QVariant GuideDocument::loadResource(int type, const QUrl& name) {
    if (type == QTextDocument::ImageResource && name.isRelative()) {
        for (const QString& dir : pictureDirs_) {
            const QString path = QDir(dir).filePath(QFileInfo(name.path()).fileName());
            if (QFileInfo::exists(path)) {
                return QImage(path);
            }
        }
    }
    return QTextDocument::loadResource(type, name);
}

void BuildGuide(GuideDocument& doc, const QString& markdown, const QString& guidePath,
                const QImage& cover) {
    QFont body("DejaVu Sans");
    body.setPointSizeF(9.5);
    doc.setDefaultFont(body);
    // The guide's own pictures are named relative to the guide itself.
    doc.setMetaInformation(QTextDocument::DocumentUrl,
                           QUrl::fromLocalFile(QFileInfo(guidePath).absoluteFilePath()).toString());
    doc.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    styleTables(doc);
    addCover(doc, cover);
}

QStringList MissingPictures(QTextDocument& doc) {
    QStringList missing;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat() && naturalSize(doc, format.toImageFormat()).isEmpty()) {
                missing << format.toImageFormat().name();
            }
        }
    }
    return missing;
}

void FitPictures(QTextDocument& doc, qreal width) {
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        std::vector<std::pair<QTextFragment, QSizeF>> pictures;
        qreal total = 0;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().isImageFormat()) {
                const QSizeF size = naturalSize(doc, fragment.charFormat().toImageFormat());
                pictures.emplace_back(fragment, size);
                total += size.width();
            }
        }
        // The blanks between the pictures take some room as well.
        const qreal room = width - 8 * (static_cast<qreal>(pictures.size()) - 1);
        if (pictures.empty() || total <= room) {
            continue;
        }
        const qreal scale = room / total;
        for (const auto& [fragment, size] : pictures) {
            QTextImageFormat image = fragment.charFormat().toImageFormat();
            image.setWidth(size.width() * scale);
            image.setHeight(size.height() * scale);
            QTextCursor cursor(&doc);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(image);
        }
    }
}
