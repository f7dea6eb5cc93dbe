#include "files/tga.h"
#include "files/selection.h"
#include "platform/kernel.h"
#include "platform/user.h"
#include "render/state.h"
#include "render/surfaces.h"

#include "bytes.h"

#include <cstdio>
#include <memory>
#include <new>

namespace orv {

const char* const saveerror[3] = {
    "Error opening a save file.",
    "Not enough memory to buffer image lines.",
    "Error writing to save file.",
};

namespace {

constexpr std::size_t kStreamBuffer = 1 << 20;

bool writeHeader(const TGAHEADER& header, std::FILE* out) {
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
    return std::fwrite(bytes, sizeof bytes, 1, out) == 1;
}

bool writeFooter(const TGAFOOTER& footer, std::FILE* out) {
    unsigned char bytes[kTgaFooterBytes];
    ByteWriter w(bytes);
    w.u32(footer.extoffset);
    w.u32(footer.devdiroffset);
    w.bytes(footer.sig, sizeof footer.sig);
    return std::fwrite(bytes, sizeof bytes, 1, out) == 1;
}

} // namespace

int writetga(HDC hdc) {
    std::FILE* out = std::fopen(tgafile, "wb");
    if (out == nullptr) {
        return 1;
    }
    // Rows go to the disk in large blocks rather than in a few system calls
    // each. The buffer outlives the stream: every path closes the file first.
    const std::unique_ptr<char[]> block(new (std::nothrow) char[kStreamBuffer]);
    if (block != nullptr) {
        std::setvbuf(out, block.get(), _IOFBF, kStreamBuffer);
    }
    TGAHEADER header;
    header.width = static_cast<std::uint16_t>(res);
    header.height = static_cast<std::uint16_t>(res);
    const TGAFOOTER footer;

    const std::size_t linebytes = 3 * static_cast<std::size_t>(res);
    auto* linebuffer = static_cast<unsigned char*>(LocalAlloc(LMEM_ZEROINIT, linebytes));
    if (linebuffer == nullptr) {
        std::fclose(out);
        return 2;
    }
    if (!writeHeader(header, out)) {
        LocalFree(linebuffer);
        std::fclose(out);
        return 3;
    }

    HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    EnableWindow(g_hWnd, FALSE);
    // Bytes stored into the row buffer could alias the image's size and the
    // context's pixel pointer, which would make the compiler reload them for
    // every pixel; local copies cannot be aliased, so they stay in registers.
    // GetPixel reads only the pointer and size of the context.
    const int side = res;
    DC image = *hdc;
    bool written = true;
    for (int y = 0; y < side && written; ++y) {
        unsigned char* pixel = linebuffer;
        for (int x = 0; x < side; ++x) {
            const COLORREF colour = GetPixel(&image, x, y);
            *pixel++ = static_cast<unsigned char>((colour >> 16) & 0xFF);
            *pixel++ = static_cast<unsigned char>((colour >> 8) & 0xFF);
            *pixel++ = static_cast<unsigned char>(colour & 0xFF);
        }
        written = std::fwrite(linebuffer, linebytes, 1, out) == 1;
    }
    LocalFree(linebuffer);
    // The footer, and closing the file (which writes out what is still
    // buffered), fail on a full disk like any row: the file is incomplete.
    if (written) {
        written = writeFooter(footer, out);
    }
    if (std::fclose(out) != 0) {
        written = false;
    }
    EnableWindow(g_hWnd, TRUE);
    SetCursor(previous);
    return written ? 0 : 3;
}

} // namespace orv
