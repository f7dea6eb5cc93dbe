// Bookmarks (the document outline) added to a finished PDF file.
#pragma once

#include "typeset.h"

#include <QByteArray>

#include <vector>

// Appends to pdf, a whole file as QPdfWriter writes it, an incremental
// update that gives it an outline of the chapters, each pointing at its
// page and height, and opens it with the outline shown. False, with pdf
// unchanged, when the file's structure is not what is expected (no cross-
// reference table or catalogue, or a chapter on a page it does not have).
bool AppendOutline(QByteArray& pdf, const std::vector<Chapter>& chapters);
