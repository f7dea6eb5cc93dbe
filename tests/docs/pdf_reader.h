// A PDF file as QPdfWriter writes it, read back from its bytes as a viewer
// reads it: objects found through the cross-reference tables (the newest
// update first), the pages in order, the text drawn on each page and the
// outline.
#pragma once

#include <QByteArray>
#include <QString>

#include <map>
#include <vector>

namespace orv::test {

// The text of one text object (BT ... ET) and its font size; blanks left out.
struct TextRun {
    double size = 0;
    QString text;
};

struct Bookmark {
    QString title;
    // The page it points at, counted from 0, or -1 for none of the pages.
    int page = -1;
};

class PdfReader {
  public:
    explicit PdfReader(QByteArray bytes);

    // The object's body between "obj" and "endobj"; empty when the cross-
    // reference tables do not lead to it.
    QByteArray object(int number) const;
    std::vector<int> pages() const { return pages_; }
    std::vector<TextRun> text(int page) const;
    // The items of the outline's first level, following /First and /Next.
    std::vector<Bookmark> outline() const;

  private:
    QByteArray bytes_;
    std::map<int, qint64> offsets_;
    int root_ = -1;
    std::vector<int> pages_;
};

} // namespace orv::test
