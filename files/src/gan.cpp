#include "files/gan.h"
#include "files/selection.h"
#include "platform/file_selection.h"
#include "platform/plain_file.h"
#include "render/state.h"

#include "bytes.h"

#include <cstdio>
#include <cstring>

namespace orv {

GAN gan;

GAN GanRecord(int type, const PARAM& q, const VOXEL& rotation) {
    GAN record;
    record.type = type;
    record.a = q.a;
    record.b = q.b;
    record.c = q.c;
    record.d = q.d;
    record.xstart = q.xstart;
    record.ystart = q.ystart;
    record.zstart = q.zstart;
    record.xrot = rotation.x;
    record.yrot = rotation.y;
    record.zrot = rotation.z;
    return record;
}

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

// The record of the current type's parameter set, rotation and background.
GAN CurrentRecord() {
    GAN record = GanRecord(type, p[type], rot[type]);
    record.back = back;
    record.red = red;
    record.green = green;
    record.blue = blue;
    return record;
}

} // namespace

bool ParameterFileBeside(const char* image, char* name) {
    const std::size_t length = std::strlen(image);
    if (length < 3 || length >= MAX_PATH) {
        return false;
    }
    std::memcpy(name, image, length - 3);
    std::memcpy(name + length - 3, "gan", 4);
    return true;
}

SaveResult WriteParameters(const char* path, SafeFile& file) {
    gan = CurrentRecord();
    if (const SaveResult opened = file.Open(path); opened != SaveResult::Saved) {
        return opened;
    }
    unsigned char record[kGanBytes];
    EncodeGan(gan, record);
    file.Write(record, kGanBytes);
    return file.Close();
}

SaveResult writegan(int option) {
    // A name too short to have three characters to replace is no place for a
    // parameter file.
    if (option == 1 && !ParameterFileBeside(tgafile, sganfile)) {
        return SaveResult::OpenError;
    }
    SafeFile file;
    SaveResult result = WriteParameters(sganfile, file);
    if (result == SaveResult::Saved) {
        result = file.Commit();
    }
    if (result == SaveResult::Saved) {
        std::strcpy(sganfiletitle, FileTitleOf(sganfile));
    }
    return result;
}

std::optional<GAN> ReadGan(const std::string& path) {
    std::FILE* in = OpenPlainFile(path.c_str(), "rb");
    if (in == nullptr) {
        return std::nullopt;
    }
    unsigned char record[kGanBytes];
    const std::size_t got = std::fread(record, 1, kGanBytes, in);
    std::fclose(in);
    if (got != kGanBytes) {
        return std::nullopt;
    }
    const GAN loaded = decode(record);
    if (loaded.type < 0 || loaded.type >= kTypes) {
        return std::nullopt;
    }
    return loaded;
}

int loadgan() {
    const std::optional<GAN> loaded = ReadGan(oganfile);
    if (!loaded) {
        return 1;
    }
    gan = *loaded;
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
