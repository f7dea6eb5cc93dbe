// The four standing file selections: a ".map" palette to open, a Targa image
// to save, and a parameter file to open and to save. Each keeps its last
// choice in its path buffer, so it opens there the next time.
#pragma once

#include "platform/commdlg.h"
#include "platform/types.h"

namespace orv {

// A standing selection: the record handed to the file dialog, which points at
// the two buffers beside it, the chosen full path and the name without its
// directory.
struct FileSelection {
    OPENFILENAMEA record;
    char path[MAX_PATH];
    char name[MAX_PATH];
};

extern FileSelection mapSelection;
extern FileSelection imageSelection;
extern FileSelection openParametersSelection;
extern FileSelection saveParametersSelection;

// The names the program knows them by.
inline OPENFILENAMEA& ofn = mapSelection.record; // ".map" palette, open
inline char (&file)[MAX_PATH] = mapSelection.path;
inline char (&filetitle)[MAX_PATH] = mapSelection.name;
inline OPENFILENAMEA& stgan = imageSelection.record; // Targa image, save
inline char (&tgafile)[MAX_PATH] = imageSelection.path;
inline char (&tgafiletitle)[MAX_PATH] = imageSelection.name;
inline OPENFILENAMEA& ogann = openParametersSelection.record; // parameter file, open
inline char (&oganfile)[MAX_PATH] = openParametersSelection.path;
inline char (&oganfiletitle)[MAX_PATH] = openParametersSelection.name;
inline OPENFILENAMEA& sgann = saveParametersSelection.record; // parameter file, save
inline char (&sganfile)[MAX_PATH] = saveParametersSelection.path;
inline char (&sganfiletitle)[MAX_PATH] = saveParametersSelection.name;

// Filters (description, pattern), titles and default extensions.
extern const char filter[];
extern const char tgafilter[];
extern const char oganfilter[];
extern const char sganfilter[];
extern const char title[];
extern const char tgatitle[];
extern const char ogantitle[];
extern const char sgantitle[];
extern const char defext[];
extern const char tgadefext[];
extern const char ogandefext[];
extern const char sgandefext[];

// Only an existing file in an existing directory can be opened; saving asks
// before it replaces a file.
constexpr DWORD kOpenFlags =
    OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
constexpr DWORD kSaveFlags =
    OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;

// Sets up the four selections once at start-up: the image and parameter
// selections start in the working directory with their pattern, the palette
// selection with no name; each record points at its own buffers.
void InitOpenFile();

} // namespace orv
