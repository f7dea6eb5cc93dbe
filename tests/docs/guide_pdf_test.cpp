// The typeset user guide, read back from the PDF the build made.
#include "pdf_reader.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <map>

namespace orv::test {
namespace {

QByteArray readAll(const char* path) {
    QFile file(QString::fromUtf8(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class GuidePdf : public ::testing::Test {
  protected:
    GuidePdf() : pdf(readAll(ORV_GUIDE_PDF)) {}

    // The text of the whole guide, blanks left out, and the size of most of it.
    QString allText(double* bodySize) const {
        QString text;
        std::map<double, qsizetype> sizes;
        for (int page : pdf.pages()) {
            for (const TextRun& run : pdf.text(page)) {
                text += run.text;
                sizes[run.size] += run.text.size();
            }
        }
        *bodySize = 0;
        qsizetype most = 0;
        for (const auto& [size, count] : sizes) {
            if (count > most) {
                most = count;
                *bodySize = size;
            }
        }
        return text;
    }

    PdfReader pdf;
};

// Every chapter of the Markdown ("## " headings) has a bookmark, in order,
// pointing at the page where the chapter's heading is printed large.
TEST_F(GuidePdf, EveryChapterHasABookmarkAtThePageOfItsHeading) {
    QStringList chapters;
    const QRegularExpression heading(QStringLiteral("^## (.+)$"),
                                     QRegularExpression::MultilineOption);
    const QString markdown = QString::fromUtf8(readAll(ORV_GUIDE_MD));
    for (auto it = heading.globalMatch(markdown); it.hasNext();) {
        chapters << it.next().captured(1);
    }
    ASSERT_GE(chapters.size(), 10);
    double bodySize = 0;
    allText(&bodySize);
    ASSERT_GT(bodySize, 0);

    const std::vector<Bookmark> outline = pdf.outline();
    ASSERT_EQ(outline.size(), static_cast<size_t>(chapters.size()));
    int previous = 0;
    for (size_t i = 0; i < outline.size(); ++i) {
        const QString title = chapters[static_cast<qsizetype>(i)];
        EXPECT_EQ(outline[i].title, title);
        ASSERT_GE(outline[i].page, previous) << title.toStdString();
        previous = outline[i].page;
        bool printed = false;
        for (const TextRun& run : pdf.text(pdf.pages()[static_cast<size_t>(outline[i].page)])) {
            printed = printed || (run.size > bodySize && run.text == QString(title).remove(' '));
        }
        EXPECT_TRUE(printed) << title.toStdString() << " on page " << outline[i].page + 1;
    }
    // The chapters are spread over the guide, not all on one page.
    EXPECT_GT(outline.back().page, outline.front().page + 5);
}

// A Markdown line that starts with ">" is a quotation: the refusal's text
// must not begin a line of the guide, or the PDF loses its ">".
TEST_F(GuidePdf, TheViewWindowRefusalIsPrintedWhole) {
    double bodySize = 0;
    EXPECT_TRUE(allText(&bodySize).contains(QStringLiteral("\"xmax-xminmustbe>=0.05\"")));
}

} // namespace
} // namespace orv::test
