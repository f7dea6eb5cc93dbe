#include "files/gan.h"
#include "files/selection.h"
#include "platform/file_selection.h"
#include "render/state.h"

#include "bytes.h"

#include <cstdio>
#include <cstring>

namespace orv {

GAN gan;

void EncodeGan(const GAN& record, unsigned char* out) {
    ByteWriter w(out);
    w.i32(record.type);
    for (double value :
         {record.a, record.b, record.c, record.d, record.xstart, record.ystart, record.zstart}) {
        w.f64(value);
    }
    w.u32(record.back);
    w.i32(record.red);
    w.i32(record.green);
    w.i32(record.blue);
    w.f64(record.xrot);
    w.f64(record.yrot);
    w.f64(record.zrot);
}

namespace {

GAN decode(const unsigned char* in) {
    ByteReader r(in);
    GAN record;
    record.type = r.i32();
    for (double* value : {&record.a, &record.b, &record.c, &record.d, &record.xstart,
                          &record.ystart, &record.zstart}) {
        *value = r.f64();
    }
    record.back = r.u32();
    record.red = r.i32();
    record.green = r.i32();
    record.blue = r.i32();
    record.xrot = r.f64();
    record.yrot = r.f64();
    record.zrot = r.f64();
    return record;
}

} // namespace

int writegan(int option) {
    const PARAM& q = p[type];
    gan.type = type;
    gan.a = q.a;
    gan.b = q.b;
    gan.c = q.c;
    gan.d = q.d;
    gan.xstart = q.xstart;
    gan.ystart = q.ystart;
    gan.zstart = q.zstart;
    gan.back = back;
    gan.red = red;
    gan.green = green;
    gan.blue = blue;
    gan.xrot = rot[type].x;
    gan.yrot = rot[type].y;
    gan.zrot = rot[type].z;

    if (option == 1) {
        // The image's name with its last three characters replaced; a name
        // too short to have three is no place for a parameter file.
        const std::size_t length = std::strlen(tgafile);
        if (length < 3) {
            return 1;
        }
        std::memcpy(sganfile, tgafile, length - 3);
        std::memcpy(sganfile + length - 3, "gan", 4);
    }

    std::FILE* out = std::fopen(sganfile, "wb");
    if (out == nullptr) {
        return 1;
    }
    unsigned char record[kGanBytes];
    EncodeGan(gan, record);
    if (std::fwrite(record, kGanBytes, 1, out) != 1) {
        std::fclose(out);
        return 3;
    }
    // Closing writes out what is still buffered: a full disk shows here.
    if (std::fclose(out) != 0) {
        return 3;
    }
    std::strcpy(sganfiletitle, FileTitleOf(sganfile));
    return 0;
}

int loadgan() {
    std::FILE* in = std::fopen(oganfile, "rb");
    if (in == nullptr) {
        return 1;
    }
    unsigned char record[kGanBytes];
    const std::size_t got = std::fread(record, 1, kGanBytes, in);
    std::fclose(in);
    if (got != kGanBytes) {
        return 1;
    }
    const GAN loaded = decode(record);
    if (loaded.type < 0 || loaded.type >= kTypes) {
        return 1;
    }
    gan = loaded;
    type = gan.type;
    PARAM& q = p[type];
    q.a = gan.a;
    q.b = gan.b;
    q.c = gan.c;
    q.d = gan.d;
    q.xstart = gan.xstart;
    q.ystart = gan.ystart;
    q.zstart = gan.zstart;
    back = gan.back;
    red = gan.red;
    green = gan.green;
    blue = gan.blue;
    rot[type].x = gan.xrot;
    rot[type].y = gan.yrot;
    rot[type].z = gan.zrot;
    return 0;
}

} // namespace orv
