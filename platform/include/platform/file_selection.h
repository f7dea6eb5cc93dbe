// What every backend's open and save file selections share: reading the
// record's filter, where a selection opens, how a typed name becomes a path,
// and filling the record with the choice. Paths use '/' as the separator.
#pragma once

#include "platform/commdlg.h"

#include <string>
#include <vector>

namespace orv {

constexpr char kPathSeparator = '/';

struct FileFilter {
    std::string description;
    std::string pattern;
};

// The description and pattern pairs of a filter string stored as
// "description\0pattern\0...\0".
std::vector<FileFilter> FilterEntries(const char* filter);

// The name part of a path: what follows its last separator.
const char* FileTitleOf(const char* path);

// The directory a selection opens in: that of the path buffer's contents,
// else the initial directory, else the current directory.
std::string StartDirectory(const OPENFILENAMEA& ofn);

// True for text that names files by wildcards ('*' or '?') rather than one
// file: typed into a selection it changes the listing, not the choice.
bool IsPattern(const std::string& typed);

// The full path of a name typed in directory: a relative name is taken in
// that directory, and the default extension (if any) is appended to a name
// without one.
std::string TypedPath(const std::string& directory, const std::string& typed,
                      const char* defaultExtension);

// Fills the record with a chosen path: the path buffer, the name buffer and
// the name and extension offsets. Returns false, changing nothing, when the
// path does not fit the path buffer.
bool StoreFileSelection(OPENFILENAMEA* ofn, const std::string& path);

} // namespace orv
