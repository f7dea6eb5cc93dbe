#include "studio/poster_recipe.h"

#include "render/defaults.h"
#include "render/limits.h"

#include <png.h>
#include <sys/types.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>

namespace orv {

namespace {

constexpr const char* kOrders[] = {"XYZ", "XZY", "YXZ", "YZX", "ZXY", "ZYX"};
constexpr const char* kTypeNames[] = {"standard", "alpha", "beta", "gamma"};
constexpr const char* kMethods[] = {"speed", "hit-count", "z-plane"};
constexpr const char* kFilters[] = {"normalize", "equalize", "log", "log-squared"};
constexpr const char* kSwitch[] = {"off", "on"};
constexpr const char* kCommands[] = {"render", "poster"};
constexpr const char* kArithmetics[] = {"exact", "lanes"};

// Seventeen significant digits read back as the very same double.
std::string Reals(std::initializer_list<double> values) {
    std::string text;
    for (double value : values) {
        char number[32];
        std::snprintf(number, sizeof number, "%.17g", value);
        text += text.empty() ? "" : ",";
        text += number;
    }
    return text;
}

std::string Hex(const std::array<unsigned char, 768>& bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (unsigned char byte : bytes) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 15];
    }
    return text;
}

// Reads a recipe's values, remembering the first keyword that failed.
class Reader {
  public:
    explicit Reader(const TextChunks& text) {
        for (const auto& [key, value] : text) {
            values_.emplace(key, value);
        }
    }

    const std::string& failed() const { return failed_; }

    template <std::size_t N> std::array<double, N> reals(const char* key) {
        std::array<double, N> values{};
        const std::string* text = find(key);
        std::size_t from = 0;
        for (std::size_t i = 0; text != nullptr && i < N; ++i) {
            const char* start = text->c_str() + from;
            char* end = nullptr;
            values[i] = std::strtod(start, &end);
            const char expected = i + 1 < N ? ',' : '\0';
            if (end == start || *end != expected || !std::isfinite(values[i])) {
                fail(key);
                break;
            }
            from = static_cast<std::size_t>(end - text->c_str()) + 1;
        }
        return values;
    }

    std::uint64_t whole(const char* key, std::uint64_t minimum, std::uint64_t maximum,
                        std::uint64_t fallback) {
        const std::string* text = find(key);
        if (text == nullptr) {
            return fallback;
        }
        char* end = nullptr;
        const unsigned long long value = std::strtoull(text->c_str(), &end, 10);
        if (text->empty() || text->front() == '-' || *end != '\0' || value < minimum ||
            value > maximum) {
            fail(key);
            return fallback;
        }
        return value;
    }

    template <std::size_t N> int choice(const char* key, const char* const (&names)[N]) {
        const std::string* text = find(key);
        for (std::size_t i = 0; text != nullptr && i < N; ++i) {
            if (*text == names[i]) {
                return static_cast<int>(i);
            }
        }
        fail(key);
        return 0;
    }

    std::array<unsigned char, 768> palette(const char* key) {
        std::array<unsigned char, 768> bytes{};
        const std::string* text = find(key);
        if (text == nullptr || text->size() != 2 * bytes.size()) {
            fail(key);
            return bytes;
        }
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const int high = Digit((*text)[2 * i]);
            const int low = Digit((*text)[2 * i + 1]);
            if (high < 0 || low < 0) {
                fail(key);
                return bytes;
            }
            bytes[i] = static_cast<unsigned char>(high << 4 | low);
        }
        return bytes;
    }

    const std::string* find(const char* key) {
        const auto found = values_.find(key);
        if (found == values_.end()) {
            fail(key);
            return nullptr;
        }
        return &found->second;
    }

    bool has(const char* key) const { return values_.contains(key); }

    void fail(const char* key) {
        if (failed_.empty()) {
            failed_ = key;
        }
    }

  private:
    static int Digit(char c) {
        if (c >= '0' && c <= '9') {
            return c - '0';
        }
        if (c >= 'a' && c <= 'f') {
            return c - 'a' + 10;
        }
        return -1;
    }

    std::map<std::string, std::string> values_;
    std::string failed_;
};

} // namespace

TextChunks RecipeText(const PosterRecipe& r, bool poster) {
    TextChunks text = {
        {"Software", "orvantis"},
        {"orvantis:command", poster ? "poster" : "render"},
        {"orvantis:type", kTypeNames[r.type]},
        {"orvantis:params", Reals({r.param.a, r.param.b, r.param.c, r.param.d})},
        {"orvantis:start", Reals({r.param.xstart, r.param.ystart, r.param.zstart})},
        {"orvantis:rotation", Reals({r.rotation.x, r.rotation.y, r.rotation.z})},
        {"orvantis:order", kOrders[r.order]},
        {"orvantis:view", Reals({r.view.xmin, r.view.xmax, r.view.ymin, r.view.ymax})},
        {"orvantis:res", std::to_string(r.res)},
        {"orvantis:method", kMethods[r.method]},
        {"orvantis:palette", Hex(r.palette)},
        {"orvantis:background", std::to_string(r.background[0]) + "," +
                                    std::to_string(r.background[1]) + "," +
                                    std::to_string(r.background[2])},
        {"orvantis:ghost", r.ghost ? "on" : "off"},
        {"orvantis:filter", r.filter ? kFilters[static_cast<int>(*r.filter)] : "none"},
        {"orvantis:steps", std::to_string(r.steps)},
    };
    if (poster) {
        text.insert(text.end(), {{"orvantis:orbits", std::to_string(r.orbits)},
                                 {"orvantis:supersample", std::to_string(r.supersample)},
                                 {"orvantis:depth", std::to_string(r.depth)}});
        if (r.height > 0) {
            text.emplace_back("orvantis:height", std::to_string(r.height));
        }
    }
    // Only a recipe that asks for them names the tone map and transparency,
    // so that older recipes keep their text.
    if (r.tone) {
        text.insert(text.end(), {{"orvantis:brightness", Reals({r.tone->brightness})},
                                 {"orvantis:gamma", Reals({r.tone->gamma})},
                                 {"orvantis:vibrancy", Reals({r.tone->vibrancy})},
                                 {"orvantis:highlight", Reals({r.tone->highlight})},
                                 {"orvantis:de", std::to_string(r.tone->de)}});
    }
    if (r.transparent) {
        text.emplace_back("orvantis:transparent", "on");
    }
    // Every poster made before the lanes is exact, and has no such line.
    if (poster && r.arithmetic != OrbitArithmetic::Exact) {
        text.emplace_back("orvantis:orbit-arithmetic",
                          kArithmetics[static_cast<int>(r.arithmetic)]);
    }
    return text;
}

std::optional<PosterRecipe> ReadRecipe(const TextChunks& text, std::string& error) {
    Reader read(text);
    if (!read.has("orvantis:type")) {
        error = "it holds no orvantis recipe";
        return std::nullopt;
    }
    PosterRecipe r;
    read.choice("orvantis:command", kCommands);
    r.type = read.choice("orvantis:type", kTypeNames);
    const auto params = read.reals<4>("orvantis:params");
    r.param.a = ClampAB(params[0]);
    r.param.b = ClampAB(params[1]);
    r.param.c = ClampCD(params[2]);
    r.param.d = ClampCD(params[3]);
    const auto start = read.reals<3>("orvantis:start");
    r.param.xstart = ClampStart(start[0]);
    r.param.ystart = ClampStart(start[1]);
    r.param.zstart = start[2];
    const auto rotation = read.reals<3>("orvantis:rotation");
    r.rotation =
        VOXEL{ClampRotation(rotation[0]), ClampRotation(rotation[1]), ClampRotation(rotation[2])};
    r.order = read.choice("orvantis:order", kOrders);
    const auto view = read.reals<4>("orvantis:view");
    r.view = MINMAX{view[0], view[1], view[2], view[3]};
    if (!ClampRange(r.view.xmin, r.view.xmax, mmrange.xmin, mmrange.xmax) ||
        !ClampRange(r.view.ymin, r.view.ymax, mmrange.ymin, mmrange.ymax)) {
        read.fail("orvantis:view");
    }
    r.res = static_cast<long>(read.whole("orvantis:res", 200, 1'000'000'000, 600));
    r.method = read.choice("orvantis:method", kMethods);
    r.palette = read.palette("orvantis:palette");
    const auto background = read.reals<3>("orvantis:background");
    for (std::size_t i = 0; i < 3; ++i) {
        r.background[i] = ClampColor(static_cast<long>(std::clamp(background[i], 0.0, 255.0)));
    }
    r.ghost = read.choice("orvantis:ghost", kSwitch) == 1;
    const std::string* filter = read.find("orvantis:filter");
    if (filter != nullptr && *filter != "none") {
        r.filter = static_cast<BatchFilter>(read.choice("orvantis:filter", kFilters));
    }
    r.steps = read.whole("orvantis:steps", 0, kMaximumPosterSteps, kDefaultSteps);
    const bool poster = read.has("orvantis:orbits");
    if (poster) {
        r.orbits = static_cast<std::uint32_t>(read.whole("orvantis:orbits", 1, 65536, 1));
        r.supersample = static_cast<int>(read.whole("orvantis:supersample", 1, 4, 1));
        r.depth = static_cast<int>(read.whole("orvantis:depth", 8, 16, 8));
        if (r.depth != 8 && r.depth != 16) {
            read.fail("orvantis:depth");
        }
        if (read.has("orvantis:height")) {
            r.height = static_cast<long>(read.whole("orvantis:height", 200, 1'000'000'000, 0));
        }
        if (read.has("orvantis:orbit-arithmetic")) {
            r.arithmetic = static_cast<OrbitArithmetic>(
                read.choice("orvantis:orbit-arithmetic", kArithmetics));
        }
    }
    if (read.has("orvantis:brightness")) {
        ToneSettings& tone = r.tone.emplace();
        tone.brightness = read.reals<1>("orvantis:brightness")[0];
        tone.gamma = read.reals<1>("orvantis:gamma")[0];
        tone.vibrancy = read.reals<1>("orvantis:vibrancy")[0];
        tone.highlight = read.reals<1>("orvantis:highlight")[0];
        tone.de = static_cast<int>(read.whole("orvantis:de", 0, 20, 0));
        if (const std::string outside = ToneOutOfRange(tone); !outside.empty()) {
            read.fail(("orvantis:" + outside).c_str());
        }
    }
    if (read.has("orvantis:transparent")) {
        r.transparent = read.choice("orvantis:transparent", kSwitch) == 1;
    }
    if (!read.failed().empty()) {
        error = "its recipe has no readable " + read.failed().substr(9);
        return std::nullopt;
    }
    // What the command line refuses, a recipe may not ask for either.
    if (r.filter && r.tone) {
        error = std::string("its recipe gives the filter ") +
                kFilters[static_cast<int>(*r.filter)] + " with the log-density tone map";
        return std::nullopt;
    }
    if (r.filter && r.method != 1) {
        error = std::string("its recipe gives the filter ") +
                kFilters[static_cast<int>(*r.filter)] + " with the " + kMethods[r.method] +
                " method; a filter needs the Hit Count colouring method";
        return std::nullopt;
    }
    return r;
}

std::optional<PosterRecipe> ReadPosterRecipe(const TextChunks& text, std::string& error) {
    std::optional<PosterRecipe> recipe = ReadRecipe(text, error);
    // render filters its finished picture of 8-bit colour indices, a poster
    // its counts: the same filter gives other pixels.
    const bool fromRender =
        std::find(text.begin(), text.end(),
                  std::pair<std::string, std::string>("orvantis:command", "render")) != text.end();
    if (recipe && fromRender && recipe->filter) {
        error = std::string("it was made by render with --filter ") +
                kFilters[static_cast<int>(*recipe->filter)] +
                ", which a poster does not draw pixel for pixel the same; draw it again with "
                "render";
        return std::nullopt;
    }
    return recipe;
}

namespace {

// Whether every chunk after the signature lies within the file, up to the
// image data when only the chunks before it are read, else up to the end
// chunk. libpng takes a chunk's length on trust and sets aside memory for
// all of it before reading any: a few bytes could claim gigabytes.
bool ChunksFit(std::FILE* file, bool whole) {
    if (::fseeko(file, 0, SEEK_END) != 0) {
        return false;
    }
    const off_t size = ::ftello(file);
    off_t at = 8;
    while (at + 12 <= size) {
        unsigned char header[8];
        if (::fseeko(file, at, SEEK_SET) != 0 || std::fread(header, 1, 8, file) != 8) {
            return false;
        }
        const off_t length = static_cast<off_t>(png_get_uint_32(header));
        const bool last = std::memcmp(header + 4, "IEND", 4) == 0 ||
                          (!whole && std::memcmp(header + 4, "IDAT", 4) == 0);
        if (last) {
            return ::fseeko(file, 8, SEEK_SET) == 0;
        }
        if (length > size - at - 12) {
            return false;
        }
        at += 12 + length;
    }
    return false;
}

// A damaged file is our answer, not a message: libpng's own are not shown.
[[noreturn]] void QuietError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void QuietWarning(png_structp, png_const_charp) {}

// The text chunks of a PNG file, read as far as the image data, or when
// whole is set to the end, every row decoded and every checksum checked.
std::optional<TextChunks> ReadPng(const std::string& path, bool whole, std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        error = "it cannot be opened";
        return std::nullopt;
    }
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> closer(file, std::fclose);
    unsigned char signature[8] = {};
    if (std::fread(signature, 1, 8, file) != 8 || png_sig_cmp(signature, 0, 8) != 0) {
        error = "it is not a PNG file";
        return std::nullopt;
    }
    if (!ChunksFit(file, whole)) {
        error = "it is a damaged PNG file";
        return std::nullopt;
    }
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, QuietError, QuietWarning);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        error = "there is not enough memory to read it";
        return std::nullopt;
    }
    // libpng reports a damaged file by jumping back here; the row buffer,
    // made after this point, is volatile so that it is still known then.
    unsigned char* volatile row = nullptr;
    if (setjmp(png_jmpbuf(png)) != 0) {
        delete[] row;
        png_destroy_read_struct(&png, &info, nullptr);
        error = "it is a damaged PNG file";
        return std::nullopt;
    }
    png_init_io(png, file);
    png_set_sig_bytes(png, 8);
    png_read_info(png, info);
    if (whole) {
        const int passes = png_set_interlace_handling(png);
        png_read_update_info(png, info);
        row = new unsigned char[png_get_rowbytes(png, info)];
        const png_uint_32 height = png_get_image_height(png, info);
        for (int pass = 0; pass < passes; ++pass) {
            for (png_uint_32 y = 0; y < height; ++y) {
                png_read_row(png, row, nullptr);
            }
        }
        png_read_end(png, info);
        delete[] row;
        row = nullptr;
    }
    png_textp chunks = nullptr;
    int count = 0;
    png_get_text(png, info, &chunks, &count);
    TextChunks text;
    for (int i = 0; i < count; ++i) {
        text.emplace_back(chunks[i].key, std::string(chunks[i].text, chunks[i].text_length));
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return text;
}

} // namespace

std::optional<TextChunks> ReadPngText(const std::string& path, std::string& error) {
    return ReadPng(path, false, error);
}

std::optional<TextChunks> ReadWholePng(const std::string& path, std::string& error) {
    return ReadPng(path, true, error);
}

} // namespace orv
