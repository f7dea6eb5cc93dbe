#include "studio/explore_gallery.h"

#include "studio/explore_commands.h"

#include "render/types.h"

#include <algorithm>
#include <array>
#include <cctype>
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

// A command line with a button that copies it.
std::string Command(const std::string& line) {
    return "<div class=\"cmd\"><button type=\"button\">copy</button><code>" + Escaped(line) +
           "</code></div>";
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
    char data[160];
    std::snprintf(data, sizeof data, " data-exponent=\"%.6f\" data-coverage=\"%.4f\"",
                  entry.exponent, entry.coverage * 100.0);
    const std::string side = std::to_string(entry.side);
    std::string lower = type;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return "<figure data-type=\"" + lower + "\" data-name=\"" + picture + "\"" + data +
           "><a href=\"" + picture + "\"><img src=\"" + picture + "\" width=\"" + side +
           "\" height=\"" + side + "\" alt=\"" + type + " " + picture + "\"></a><figcaption>" +
           type + "<br>" + numbers + "<br><a href=\"" + gan + "\">" + gan + "</a>" +
           Command(PosterCommand(entry.gan, entry.look)) +
           Command(TurnCommand(entry.gan, entry.look)) + "</figcaption></figure>\n";
}

// Sorting and filtering in the browser: the figures are reordered and
// hidden in place; the copy buttons put their command line on the
// clipboard.
constexpr const char* kControls =
    "<form id=\"controls\">type <select id=\"type\"><option value=\"\">every</option>"
    "<option>standard</option><option>alpha</option><option>beta</option>"
    "<option>gamma</option></select>\n"
    "exponent from <input id=\"exponent\" type=\"number\" step=\"0.01\" value=\"0\">\n"
    "coverage from <input id=\"coverage\" type=\"number\" step=\"1\" value=\"0\"> %\n"
    "sort by <select id=\"sort\"><option value=\"exponent\">exponent</option>"
    "<option value=\"coverage\">coverage</option><option value=\"name\">name</option>"
    "</select></form>\n";

constexpr const char* kScript =
    "<script>\n"
    "const sets = document.getElementById('sets');\n"
    "const figures = Array.from(sets.children);\n"
    "function show() {\n"
    "  const type = document.getElementById('type').value;\n"
    "  const exponent = Number(document.getElementById('exponent').value) || 0;\n"
    "  const coverage = Number(document.getElementById('coverage').value) || 0;\n"
    "  const by = document.getElementById('sort').value;\n"
    "  figures.sort((x, y) => by === 'name' ? x.dataset.name.localeCompare(y.dataset.name)\n"
    "    : Number(y.dataset[by]) - Number(x.dataset[by]) ||\n"
    "      x.dataset.name.localeCompare(y.dataset.name));\n"
    "  for (const figure of figures) {\n"
    "    figure.hidden = (type !== '' && figure.dataset.type !== type) ||\n"
    "      exponent > Number(figure.dataset.exponent) ||\n"
    "      coverage > Number(figure.dataset.coverage);\n"
    "    sets.appendChild(figure);\n"
    "  }\n"
    "}\n"
    "document.getElementById('controls').addEventListener('input', show);\n"
    "for (const button of document.querySelectorAll('.cmd button')) {\n"
    "  button.addEventListener('click', () => {\n"
    "    const line = button.nextElementSibling;\n"
    "    if (navigator.clipboard) {\n"
    "      navigator.clipboard.writeText(line.textContent);\n"
    "    }\n"
    "    getSelection().selectAllChildren(line);\n"
    "  });\n"
    "}\n"
    "</script>\n";

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
                       "figure { margin: 0; font-size: small; max-width: 40em; }\n"
                       "a { color: #9cf; }\n"
                       ".cmd { margin-top: 0.4em; display: flex; gap: 0.4em; }\n"
                       ".cmd code { user-select: all; word-break: break-all; }\n"
                       "form { margin-bottom: 1em; }\n"
                       "</style>\n</head>\n<body>\n<h1>" +
                       Escaped(title) + "</h1>\n<p>" + std::to_string(entries.size()) +
                       " sets, by Lyapunov exponent from the highest. Each command line runs in "
                       "this folder.</p>\n" +
                       kControls + "<main id=\"sets\">\n";
    for (const GalleryEntry& entry : entries) {
        page += Figure(entry);
    }
    page += "</main>\n";
    page += kScript;
    page += "</body>\n</html>\n";
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
