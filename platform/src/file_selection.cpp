#include "platform/file_selection.h"
#include "platform/kernel.h"

#include <algorithm>
#include <cstring>

namespace orv {

std::vector<FileFilter> FilterEntries(const char* filter) {
    std::vector<FileFilter> entries;
    while (filter != nullptr && *filter != '\0') {
        const char* pattern = filter + std::strlen(filter) + 1;
        if (*pattern == '\0') {
            break;
        }
        entries.push_back(FileFilter{filter, pattern});
        filter = pattern + std::strlen(pattern) + 1;
    }
    return entries;
}

const char* FileTitleOf(const char* path) {
    const char* last = std::strrchr(path, kPathSeparator);
    return last != nullptr ? last + 1 : path;
}

std::string StartDirectory(const OPENFILENAMEA& ofn) {
    if (ofn.lpstrFile != nullptr) {
        const std::string current(ofn.lpstrFile);
        const std::size_t last = current.rfind(kPathSeparator);
        if (last == 0) {
            return std::string(1, kPathSeparator);
        }
        if (last != std::string::npos) {
            return current.substr(0, last);
        }
    }
    if (ofn.lpstrInitialDir != nullptr && ofn.lpstrInitialDir[0] != '\0') {
        return ofn.lpstrInitialDir;
    }
    char directory[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, directory);
    return directory;
}

bool IsPattern(const std::string& typed) {
    return typed.find_first_of("*?") != std::string::npos;
}

std::string TypedPath(const std::string& directory, const std::string& typed,
                      const char* defaultExtension) {
    std::string path;
    if (typed.empty()) {
        return directory;
    }
    if (typed.front() == kPathSeparator || directory.empty()) {
        path = typed;
    } else if (directory.back() == kPathSeparator) {
        path = directory + typed;
    } else {
        path = directory + kPathSeparator + typed;
    }
    const std::size_t name = path.rfind(kPathSeparator) + 1;
    if (defaultExtension != nullptr && defaultExtension[0] != '\0' &&
        path.find('.', name) == std::string::npos && name < path.size()) {
        path = path + '.' + defaultExtension;
    }
    return path;
}

bool StoreFileSelection(OPENFILENAMEA* ofn, const std::string& path) {
    if (ofn->lpstrFile == nullptr || path.size() + 1 > ofn->nMaxFile) {
        return false;
    }
    std::memcpy(ofn->lpstrFile, path.c_str(), path.size() + 1);
    const std::size_t name = static_cast<std::size_t>(FileTitleOf(ofn->lpstrFile) - ofn->lpstrFile);
    const std::size_t dot = path.rfind('.');
    ofn->nFileOffset = static_cast<WORD>(name);
    ofn->nFileExtension = static_cast<WORD>(dot != std::string::npos && dot >= name ? dot + 1 : 0);
    if (ofn->lpstrFileTitle != nullptr && ofn->nMaxFileTitle > 0) {
        const std::size_t count =
            std::min(path.size() - name, static_cast<std::size_t>(ofn->nMaxFileTitle) - 1);
        std::memcpy(ofn->lpstrFileTitle, path.c_str() + name, count);
        ofn->lpstrFileTitle[count] = '\0';
    }
    return true;
}

} // namespace orv
