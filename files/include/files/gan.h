// The parameter file: one 100-byte little-endian record with the parameter
// set, background colour and rotation of the current attractor type.
#pragma once

#include "files/safe_file.h"
#include "render/types.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace orv {

// The record, field by field in file order (the file has no padding: the
// fields are stored at offsets 0, 4, 12, ..., 92).
struct GAN {
    std::int32_t type = 0;
    double a = 0.0;
    double b = 0.0;
    double c = 0.0;
    double d = 0.0;
    double xstart = 0.0;
    double ystart = 0.0;
    double zstart = 0.0;
    std::uint32_t back = 0;
    std::int32_t red = 0;
    std::int32_t green = 0;
    std::int32_t blue = 0;
    double xrot = 0.0;
    double yrot = 0.0;
    double zrot = 0.0;
};

constexpr std::size_t kGanBytes = 100;

// The record of the parameter set q of type, turned by rotation (degrees); the
// background is left for the caller.
GAN GanRecord(int type, const PARAM& q, const VOXEL& rotation);

// The record as the file holds it: kGanBytes bytes at out.
void EncodeGan(const GAN& record, unsigned char* out);

// The last record written or read.
extern GAN gan;

// Writes the current type's record to sganfile (option 0) or beside the last
// exported image, tgafile with its last three characters replaced by "gan"
// (option 1), replacing the file only once it is complete. OpenError when the
// file cannot be created, WriteError when it cannot be written completely.
SaveResult writegan(int option);

// The parameter file's name beside an image: the image's name with its last
// three characters replaced by "gan". False, and name unchanged, for an image
// name shorter than three characters or too long for name's 260 characters.
bool ParameterFileBeside(const char* image, char* name);

// Writes the current type's record into file, opened here at path, and closes
// it without committing it, so that it can be committed together with an
// image.
SaveResult WriteParameters(const char* path, SafeFile& file);

// The record of the parameter file at path; nothing when the file cannot be
// opened (a named pipe, a socket or a block device is refused, not waited
// on), is shorter than a record or names no attractor type.
std::optional<GAN> ReadGan(const std::string& path);

// Loads oganfile into the render state: type, that type's parameter set and
// rotation, and the background. Returns 1, changing nothing, when the file
// cannot be opened (a named pipe, a socket or a block device is refused, not
// waited on), is shorter than a record or names no attractor type.
int loadgan();

} // namespace orv
