// orv_guidepdf GUIDE.md COVER.png OUTPUT.pdf: typesets the user guide, written
// in Markdown, as a PDF with Qt's own text layout, the cover picture above
// the first heading and the page number at the foot of every page.
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextTable>
#include <QUrl>

#include <cstdio>

namespace {

bool readText(const char* path, QString* text) {
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    *text = QString::fromUtf8(file.readAll());
    return true;
}

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

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: orv_guidepdf GUIDE.md COVER.png OUTPUT.pdf\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QString markdown;
    if (!readText(argv[1], &markdown)) {
        std::fprintf(stderr, "orv_guidepdf: cannot read %s\n", argv[1]);
        return 1;
    }
    const QImage cover(QString::fromLocal8Bit(argv[2]));
    if (cover.isNull()) {
        std::fprintf(stderr, "orv_guidepdf: cannot read the picture %s\n", argv[2]);
        return 1;
    }

    QTextDocument doc;
    QFont body("DejaVu Sans");
    body.setPointSizeF(9.5);
    doc.setDefaultFont(body);
    // The guide's pictures are named relative to the guide itself.
    doc.setMetaInformation(
        QTextDocument::DocumentUrl,
        QUrl::fromLocalFile(QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath())
            .toString());
    doc.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    styleTables(doc);
    addCover(doc, cover);

    QPdfWriter writer(QString::fromLocal8Bit(argv[3]));
    writer.setTitle("WJ Orvantis User Guide");
    writer.setCreator("WJ Orvantis");
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(18, 16, 18, 16), QPageLayout::Millimeter));
    doc.print(&writer);
    // QPdfWriter reports nothing, so the result is checked on disk.
    if (QFile(QString::fromLocal8Bit(argv[3])).size() == 0) {
        std::fprintf(stderr, "orv_guidepdf: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
