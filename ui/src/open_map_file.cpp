#include "files/selection.h"
#include "palette/mapfile.h"
#include "palette/palette.h"
#include "ui/palette_preview.h"

#include <cstring>

namespace orv {

int OpenMapFile() {
    // The name is used as chosen: on a file system that tells upper from
    // lower case, converting it would miss the file.
    char filetemp[MAX_PATH];
    std::memcpy(filetemp, file, sizeof filetemp);
    filetemp[MAX_PATH - 1] = '\0';
    return ReadMapFile(filetemp, paltemp);
}

} // namespace orv
