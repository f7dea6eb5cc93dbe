// The gallery page of an exploration: one HTML file beside the pictures,
// linking to them by their bare names, so that it opens from the file system
// with no server.
#pragma once

#include "render/types.h"

#include <string>
#include <vector>

namespace orv {

struct GalleryEntry {
    std::string picture; // the thumbnail's file name, in the page's folder
    std::string gan;     // the parameter file's name, in the same folder
    int type = 0;
    PARAM param;
    double exponent = 0.0;
    double coverage = 0.0; // the share of pixels hit, 0 to 1
    long side = 0;         // the thumbnail's side in pixels
    std::string look;      // the options of the thumbnail's look, for the command lines
};

// The page, its sets sorted by exponent from the highest, then by name;
// each shows the command lines of its poster and turn animation. In the
// browser the page sorts and filters its sets by type, exponent and
// coverage, with no network.
std::string GalleryPage(std::vector<GalleryEntry> entries, const std::string& title);

// The title of a page as it stands there, escapes and all; empty when the
// text has none.
std::string GalleryTitle(const std::string& page);

} // namespace orv
