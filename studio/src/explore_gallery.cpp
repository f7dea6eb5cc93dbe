#include "studio/explore_gallery.h"

#include "render/types.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace orv {

namespace {

std::string Escaped(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string Figure(const GalleryEntry& entry) {
    const std::string type = entry.type >= 0 && entry.type < 4 ? typeNames[entry.type] : "?";
    const std::string picture = Escaped(entry.picture);
    const std::string gan = Escaped(entry.gan);
    char numbers[320];
    std::snprintf(numbers, sizeof numbers,
                  "a = %.6f, b = %.6f<br>c = %.6f, d = %.6f<br>exponent %.4f, coverage %.1f%%",
                  entry.param.a, entry.param.b, entry.param.c, entry.param.d, entry.exponent,
                  entry.coverage * 100.0);
    const std::string side = std::to_string(entry.side);
    return "<figure><a href=\"" + picture + "\"><img src=\"" + picture + "\" width=\"" + side +
           "\" height=\"" + side + "\" alt=\"" + type + " " + picture + "\"></a><figcaption>" +
           type + "<br>" + numbers + "<br><a href=\"" + gan + "\">" + gan +
           "</a></figcaption></figure>\n";
}

} // namespace

std::string GalleryPage(std::vector<GalleryEntry> entries, const std::string& title) {
    std::sort(entries.begin(), entries.end(), [](const GalleryEntry& x, const GalleryEntry& y) {
        if (x.exponent != y.exponent) {
            return x.exponent > y.exponent;
        }
        return x.picture < y.picture;
    });
    std::string page = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<title>" +
                       Escaped(title) +
                       "</title>\n<style>\n"
                       "body { font-family: sans-serif; background: #202020; color: #e0e0e0; }\n"
                       "main { display: flex; flex-wrap: wrap; gap: 1em; }\n"
                       "figure { margin: 0; font-size: small; }\n"
                       "a { color: #9cf; }\n"
                       "</style>\n</head>\n<body>\n<h1>" +
                       Escaped(title) + "</h1>\n<p>" + std::to_string(entries.size()) +
                       " sets, by Lyapunov exponent from the highest.</p>\n<main>\n";
    for (const GalleryEntry& entry : entries) {
        page += Figure(entry);
    }
    page += "</main>\n</body>\n</html>\n";
    return page;
}

std::string GalleryTitle(const std::string& page) {
    const std::string open = "<title>";
    const std::size_t start = page.find(open);
    const std::size_t end = page.find("</title>", start);
    if (start == std::string::npos || end == std::string::npos) {
        return "";
    }
    return page.substr(start + open.size(), end - start - open.size());
}

} // namespace orv
