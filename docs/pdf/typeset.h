// Paints a document onto the pages of a PDF and tells where its chapters
// begin.
#pragma once

#include <QString>

#include <vector>

class QPdfWriter;
class QTextDocument;

// A chapter heading as it landed: its page, counted from 0, and the height
// of its top above the page's lower edge, in points.
struct Chapter {
    QString title;
    int page = 0;
    double top = 0;
};

// Lays doc out on the writer's pages, with a margin inside the printable
// area and the page number at the foot of every page, and paints it. The
// chapters are the headings of level 2. False when the writer cannot be
// painted on.
bool Typeset(QTextDocument& doc, QPdfWriter& writer, std::vector<Chapter>* chapters);

// The width of the text on the writer's pages, in the document's own
// pixels (96 to the inch).
double TextWidth(const QPdfWriter& writer);
