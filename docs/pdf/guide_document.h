// The user guide as a QTextDocument, made from its Markdown.
#pragma once

#include <QImage>
#include <QStringList>
#include <QTextDocument>

#include <utility>

// A document whose pictures are looked for by their file name in a list of
// folders, the first that holds the file winning, and then where the guide
// names them: pictures made by the build can stand in the build tree.
class GuideDocument : public QTextDocument {
  public:
    explicit GuideDocument(QStringList pictureDirs) : pictureDirs_(std::move(pictureDirs)) {}

  protected:
    QVariant loadResource(int type, const QUrl& name) override;

  private:
    QStringList pictureDirs_;
};

// Fills doc from the guide's Markdown, with the cover picture above the
// first heading and thin rules for the tables.
void BuildGuide(GuideDocument& doc, const QString& markdown, const QString& guidePath,
                const QImage& cover);

// The names of the pictures the document shows that cannot be read.
QStringList MissingPictures(QTextDocument& doc);

// Makes every paragraph of pictures fit a text width of width pixels: the
// pictures of a paragraph that is too wide shrink together, keeping their
// proportions.
void FitPictures(QTextDocument& doc, qreal width);
