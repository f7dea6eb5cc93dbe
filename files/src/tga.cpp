#include "files/tga.h"
#include "files/selection.h"
#include "platform/kernel.h"
#include "platform/user.h"
#include "render/state.h"
#include "render/surfaces.h"

#include "bytes.h"

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

} // namespace

SaveResult WriteTarga(HDC hdc, const char* path, SafeFile& file) {
    TGAHEADER header;
    header.width = static_cast<std::uint16_t>(res);
    header.height = static_cast<std::uint16_t>(res);
    const TGAFOOTER footer;

    // The row buffer comes first: without it no file is touched.
    const std::size_t linebytes = 3 * static_cast<std::size_t>(res);
    const LocalBlock<unsigned char> linebuffer(static_cast<unsigned char*>(LocalAlloc(LMEM_ZEROINIT, linebytes)));
    if (linebuffer == nullptr) {
        return SaveResult::NoMemory;
    }
    if (const SaveResult opened = file.Open(path); opened != SaveResult::Saved) {
        return opened;
    }
    if (!writeHeader(header, file)) {
        return file.Close();
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
        unsigned char* pixel = linebuffer.get();
        for (int x = 0; x < side; ++x) {
            const COLORREF colour = GetPixel(&image, x, y);
            *pixel++ = static_cast<unsigned char>((colour >> 16) & 0xFF);
            *pixel++ = static_cast<unsigned char>((colour >> 8) & 0xFF);
            *pixel++ = static_cast<unsigned char>(colour & 0xFF);
        }
        written = file.Write(linebuffer.get(), linebytes);
    }
    if (written) {
        writeFooter(footer, file);
    }
    // Closing writes out what is still buffered: a full disk may show only
    // here.
    const SaveResult closed = file.Close();
    EnableWindow(g_hWnd, TRUE);
    SetCursor(previous);
    return closed;
}

SaveResult writetga(HDC hdc) {
    SafeFile file;
    const SaveResult written = WriteTarga(hdc, tgafile, file);
    return written == SaveResult::Saved ? file.Commit() : written;
}

} // namespace orv
