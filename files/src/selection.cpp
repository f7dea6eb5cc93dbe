#include "files/selection.h"
#include "platform/file_selection.h"
#include "platform/kernel.h"

#include <cstring>

namespace orv {

FileSelection mapSelection;
FileSelection imageSelection;
FileSelection openParametersSelection;
FileSelection saveParametersSelection;

const char filter[] = "Fractint .map files (*.map)\0*.map\0";
const char tgafilter[] = "Targa files (*.tga)\0*.tga\0";
const char oganfilter[] = "GAN files (*.gan)\0*.gan\0";
const char sganfilter[] = "GAN files (*.gan)\0*.gan\0";
const char title[] = "Select a Fractint .MAP File";
const char tgatitle[] = "Select a file for saving your image:";
const char ogantitle[] = "Select a GAN parameter file:";
const char sgantitle[] = "Select a file for saving parameters:";
const char defext[] = "map";
const char tgadefext[] = "tga";
const char ogandefext[] = "gan";
const char sgandefext[] = "gan";

static_assert(kOpenFlags == 0x81804 && kSaveFlags == 0x80806);

namespace {

// Appends "/" and the pattern to a directory. An unknown directory, or one
// too long to take them, is replaced by the bare pattern, which names the
// working directory.
void appendPattern(char* path, const char* pattern) {
    const std::size_t length = std::strlen(path);
    const bool separated = length > 0 && path[length - 1] == kPathSeparator;
    if (length == 0 || length + (separated ? 0 : 1) + std::strlen(pattern) >= MAX_PATH) {
        std::strcpy(path, pattern);
        return;
    }
    if (!separated) {
        path[length] = kPathSeparator;
        path[length + 1] = '\0';
    }
    std::strcat(path, pattern);
}

void fill(FileSelection& selection, const char* filterText, const char* titleText, DWORD flags,
          const char* extension) {
    OPENFILENAMEA& record = selection.record;
    record = OPENFILENAMEA{};
    record.lStructSize = 76;
    record.lpstrFilter = filterText;
    record.nFilterIndex = 1;
    record.lpstrFile = selection.path;
    record.nMaxFile = MAX_PATH;
    record.lpstrFileTitle = selection.name;
    record.nMaxFileTitle = MAX_PATH;
    record.lpstrTitle = titleText;
    record.Flags = flags;
    record.lpstrDefExt = extension;
}

} // namespace

void InitOpenFile() {
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, tgafile);
    if (length == 0 || length >= MAX_PATH) {
        tgafile[0] = '\0';
    }
    std::strcpy(oganfile, tgafile);
    std::strcpy(sganfile, tgafile);
    appendPattern(tgafile, "*.tga");
    appendPattern(oganfile, "*.gan");
    appendPattern(sganfile, "*.gan");
    file[0] = '\0';

    fill(mapSelection, filter, title, kOpenFlags, defext);
    fill(imageSelection, tgafilter, tgatitle, kSaveFlags, tgadefext);
    fill(openParametersSelection, oganfilter, ogantitle, kOpenFlags, ogandefext);
    fill(saveParametersSelection, sganfilter, sgantitle, kSaveFlags, sgandefext);
}

} // namespace orv
