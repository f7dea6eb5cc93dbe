#include "files/tga.h"
#include "files/selection.h"
#include "platform/kernel.h"
#include "platform/local_block.h"
#include "render/state.h"

#include "bytes.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace orv {

namespace {

bool writeHeader(const TGAHEADER& header, SafeFile& out) {
    unsigned char bytes[kTgaHeaderBytes];
    ByteWriter w(bytes);
    w.u8(header.idfield);
    w.u8(header.colormaptype);
    w.u8(header.imagetype);
    w.u16(header.colormapstart);
    w.u16(header.colormaplength);
    w.u8(header.colormapbits);
    w.u16(header.xstart);
    w.u16(header.ystart);
    w.u16(header.width);
    w.u16(header.height);
    w.u8(header.bits);
    w.u8(header.descriptor);
    return out.Write(bytes, sizeof bytes);
}

bool writeFooter(const TGAFOOTER& footer, SafeFile& out) {
    unsigned char bytes[kTgaFooterBytes];
    ByteWriter w(bytes);
    w.u32(footer.extoffset);
    w.u32(footer.devdiroffset);
    w.bytes(footer.sig, sizeof footer.sig);
    return out.Write(bytes, sizeof bytes);
}

// Bytes a row's conversion may store beyond the row, which the next stores
// overwrite.
constexpr std::size_t kRowSpill = 2;

// Stores the blue, green and red bytes of count pixels at out, 3 bytes a
// pixel, and up to kRowSpill bytes beyond. A COLORREF is 0x00BBGGRR.
void StoreBlueGreenRed(const std::uint32_t* pixels, int count, unsigned char* out) {
    int x = 0;
#if defined(__SSE2__)
    // Four pixels at a time: red and blue swapped in each lane, then each
    // pair packed into the six low bytes of its half.
    const __m128i green = _mm_set1_epi32(0xFF00);
    const __m128i low = _mm_set1_epi32(0xFF);
    const __m128i firstOfPair = _mm_set_epi32(0, -1, 0, -1);
    for (; x + 4 <= count; x += 4) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + x));
        const __m128i bgr = _mm_or_si128(
            _mm_or_si128(_mm_and_si128(v, green), _mm_and_si128(_mm_srli_epi32(v, 16), low)),
            _mm_slli_epi32(_mm_and_si128(v, low), 16));
        const __m128i pairs = _mm_or_si128(_mm_and_si128(bgr, firstOfPair),
                                           _mm_slli_epi64(_mm_srli_epi64(bgr, 32), 24));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out), pairs);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 6), _mm_unpackhi_epi64(pairs, pairs));
        out += 12;
    }
#endif
    for (; x < count; ++x) {
        const std::uint32_t colour = pixels[x];
        *out++ = static_cast<unsigned char>(colour >> 16 & 0xFFu);
        *out++ = static_cast<unsigned char>(colour >> 8 & 0xFFu);
        *out++ = static_cast<unsigned char>(colour & 0xFFu);
    }
}

} // namespace

SaveResult WriteTarga(HDC hdc, const char* path, SafeFile& file, const WhileWriting& shown) {
    TGAHEADER header;
    header.width = static_cast<std::uint16_t>(res);
    header.height = static_cast<std::uint16_t>(res);
    const TGAFOOTER footer;

    // The row buffer comes first: without it no file is touched.
    const std::size_t linebytes = 3 * static_cast<std::size_t>(res);
    const LocalBlock<unsigned char> linebuffer(LMEM_ZEROINIT, linebytes + kRowSpill);
    if (!linebuffer) {
        return SaveResult::NoMemory;
    }
    if (const SaveResult opened = file.Open(path); opened != SaveResult::Saved) {
        return opened;
    }
    if (!writeHeader(header, file)) {
        return file.Close();
    }

    if (shown.begin) {
        shown.begin();
    }
    // The rows are read from the context's pixels as GetPixel reads them,
    // and a pixel outside the context (when res is a size not yet applied)
    // is CLR_INVALID, white, as GetPixel gives it.
    const int side = res;
    const std::uint32_t* const bits = hdc->bits;
    const int width = hdc->width;
    const int height = hdc->height;
    bool written = true;
    for (int y = 0; y < side && written; ++y) {
        const int inside = y < height ? std::min(side, width) : 0;
        const std::uint32_t* row =
            bits + static_cast<std::size_t>(y) * static_cast<unsigned>(width);
        StoreBlueGreenRed(row, inside, &linebuffer[0]);
        std::memset(&linebuffer[3 * static_cast<std::size_t>(inside)], 0xFF,
                    3 * static_cast<std::size_t>(side - inside));
        written = file.Write(&linebuffer[0], linebytes);
    }
    if (written) {
        writeFooter(footer, file);
    }
    // Closing writes out what is still buffered: a full disk may show only
    // here.
    const SaveResult closed = file.Close();
    if (shown.end) {
        shown.end();
    }
    return closed;
}

SaveResult writetga(HDC hdc, const WhileWriting& shown) {
    SafeFile file;
    const SaveResult written = WriteTarga(hdc, tgafile, file, shown);
    return written == SaveResult::Saved ? file.Commit() : written;
}

} // namespace orv
