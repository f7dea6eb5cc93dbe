#include "palette/mapfile.h"
#include "platform/plain_file.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>

namespace orv {

namespace {

constexpr int kLineBytes = 100;

// Reads an optionally signed decimal integer after optional white space, as
// "%d" does, keeping only its low eight bits; works for numbers of any length.
bool lowByte(const char*& text, unsigned char* value) {
    while (std::isspace(static_cast<unsigned char>(*text))) {
        ++text;
    }
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+') {
        ++text;
    }
    if (!std::isdigit(static_cast<unsigned char>(*text))) {
        return false;
    }
    unsigned int low = 0;
    for (; std::isdigit(static_cast<unsigned char>(*text)); ++text) {
        low = (low * 10 + static_cast<unsigned>(*text - '0')) & 0xFF;
    }
    *value = static_cast<unsigned char>(negative ? (256 - low) & 0xFF : low);
    return true;
}

// Reads a line as fgets does on a file opened in text mode by DOS and
// Windows programs, which wrote most .map files: CR before LF is not part of
// the line, and Ctrl-Z ends the text. At most size - 1 characters are read;
// false at the end of the text.
bool textLine(std::FILE* in, char* line, int size) {
    constexpr int kCtrlZ = 0x1A;
    int length = 0;
    while (length < size - 1) {
        int c = std::fgetc(in);
        if (c == kCtrlZ) {
            // Left for the next read too, which then ends at once.
            std::ungetc(c, in);
            break;
        }
        if (c == EOF) {
            break;
        }
        if (c == '\r') {
            const int next = std::fgetc(in);
            if (next == '\n') {
                c = next;
            } else if (next != EOF) {
                std::ungetc(next, in);
            }
        }
        line[length++] = static_cast<char>(c);
        if (c == '\n') {
            break;
        }
    }
    line[length] = '\0';
    return length > 0;
}

// Parses "%d %d %d" at the start of a line.
bool threeNumbers(const char* line, unsigned char rgb[3]) {
    return lowByte(line, &rgb[0]) && lowByte(line, &rgb[1]) && lowByte(line, &rgb[2]);
}

} // namespace

int ReadMapFile(const char* name, unsigned char* pal) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(OpenPlainFile(name, "r"), std::fclose);
    if (in == nullptr) {
        return 1;
    }
    char buffer[kLineBytes];
    int entries = 0;
    while (entries < 256 && textLine(in.get(), buffer, kLineBytes)) {
        unsigned char rgb[3];
        if (!threeNumbers(buffer, rgb)) {
            return 1;
        }
        std::memcpy(&pal[3 * entries], rgb, sizeof rgb);
        ++entries;
    }
    // A read that fails (a directory, a device error) is not an end of file.
    if (std::ferror(in.get()) != 0) {
        return 1;
    }
    std::memset(pal + 3 * entries, 1, static_cast<std::size_t>(3 * (256 - entries)));
    return 0;
}

std::optional<std::array<unsigned char, 768>> ReadMap(const std::string& path) {
    std::array<unsigned char, 768> entries{};
    if (ReadMapFile(path.c_str(), entries.data()) != 0) {
        return std::nullopt;
    }
    return entries;
}

} // namespace orv
