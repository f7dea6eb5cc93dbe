// The four standing file selections: a ".map" palette to open, a Targa image
// to save, and a parameter file to open and to save. Each keeps its last
// choice in its path buffer, so it opens there the next time.
#pragma once

#include "platform/commdlg.h"
#include "platform/types.h"

namespace orv {

// Selection records.
extern OPENFILENAMEA ofn;   // ".map" palette, open
extern OPENFILENAMEA stgan; // Targa image, save
extern OPENFILENAMEA ogann; // parameter file, open
extern OPENFILENAMEA sgann; // parameter file, save

// The chosen full paths and their names without directory.
extern char file[MAX_PATH];
extern char filetitle[MAX_PATH];
extern char tgafile[MAX_PATH];
extern char tgafiletitle[MAX_PATH];
extern char oganfile[MAX_PATH];
extern char oganfiletitle[MAX_PATH];
extern char sganfile[MAX_PATH];
extern char sganfiletitle[MAX_PATH];

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
// selection with no name.
void InitOpenFile();

} // namespace orv
