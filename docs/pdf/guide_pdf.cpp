// orv_guidepdf GUIDE.md COVER.png OUTPUT.pdf [PICTURE_DIR...]: typesets the
// user guide, written in Markdown, as a PDF with Qt's own text layout, the
// cover picture above the first heading, the page number at the foot of
// every page and a bookmark for every chapter. The guide's pictures are
// looked for in the PICTURE_DIRs first, then beside the guide.
#include "guide_document.h"
#include "pdf_outline.h"
#include "typeset.h"

#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>

#include <cstdio>

namespace {

bool readFile(const QString& path, QByteArray* bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    *bytes = file.readAll();
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: orv_guidepdf GUIDE.md COVER.png OUTPUT.pdf [PICTURE_DIR...]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString guidePath = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[3]);

    QByteArray markdown;
    if (!readFile(guidePath, &markdown)) {
        std::fprintf(stderr, "orv_guidepdf: cannot read %s\n", argv[1]);
        return 1;
    }
    const QImage cover(QString::fromLocal8Bit(argv[2]));
    if (cover.isNull()) {
        std::fprintf(stderr, "orv_guidepdf: cannot read the picture %s\n", argv[2]);
        return 1;
    }
    QStringList pictureDirs;
    for (int i = 4; i < argc; ++i) {
        pictureDirs << QString::fromLocal8Bit(argv[i]);
    }

    GuideDocument doc(pictureDirs);
    BuildGuide(doc, QString::fromUtf8(markdown), guidePath, cover);
    const QStringList missing = MissingPictures(doc);
    if (!missing.isEmpty()) {
        std::fprintf(stderr, "orv_guidepdf: cannot read the pictures %s\n",
                     qPrintable(missing.join(", ")));
        return 1;
    }

    std::vector<Chapter> chapters;
    {
        QPdfWriter writer(output);
        writer.setTitle("WJ Orvantis User Guide");
        writer.setCreator("WJ Orvantis");
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(18, 16, 18, 16), QPageLayout::Millimeter));
        FitPictures(doc, TextWidth(writer));
        if (!Typeset(doc, writer, &chapters)) {
            std::fprintf(stderr, "orv_guidepdf: cannot write %s\n", argv[3]);
            return 1;
        }
    }
    // The writer has finished the file; its outline is added after it.
    QByteArray pdf;
    if (!readFile(output, &pdf) || pdf.isEmpty()) {
        std::fprintf(stderr, "orv_guidepdf: cannot write %s\n", argv[3]);
        return 1;
    }
    if (!AppendOutline(pdf, chapters)) {
        std::fprintf(stderr, "orv_guidepdf: cannot add the bookmarks to %s\n", argv[3]);
        return 1;
    }
    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size() || !file.commit()) {
        std::fprintf(stderr, "orv_guidepdf: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
