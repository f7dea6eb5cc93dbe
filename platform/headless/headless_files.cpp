// File selections answered by the script of the headless backend, the way a
// person would use the dialog: typing names until one is accepted, or
// cancelling.
#include "platform/file_selection.h"
#include "platform/headless.h"

#include <filesystem>

namespace orv {

namespace fs = std::filesystem;

BOOL HeadlessBackend::getOpenFileName(OPENFILENAMEA* ofn) {
    return fileSelection(ofn, false);
}

BOOL HeadlessBackend::getSaveFileName(OPENFILENAMEA* ofn) {
    return fileSelection(ofn, true);
}

BOOL HeadlessBackend::fileSelection(OPENFILENAMEA* ofn, bool save) {
    const std::vector<FileFilter> filters = FilterEntries(ofn->lpstrFilter);
    const std::size_t shown =
        filters.empty() || ofn->nFilterIndex < 1 || ofn->nFilterIndex > filters.size()
            ? 0
            : ofn->nFilterIndex - 1;
    FileSelectionCall call;
    call.save = save;
    call.title = ofn->lpstrTitle != nullptr ? ofn->lpstrTitle : "";
    call.filter = filters.empty() ? "" : filters[shown].description;
    call.pattern = filters.empty() ? "" : filters[shown].pattern;
    call.defaultExtension = ofn->lpstrDefExt != nullptr ? ofn->lpstrDefExt : "";
    call.flags = ofn->Flags;
    call.initialPath = ofn->lpstrFile != nullptr ? ofn->lpstrFile : "";
    call.chosen = false;

    std::string directory = StartDirectory(*ofn);
    while (!fileAnswers.empty()) {
        const std::string typed = fileAnswers.front();
        fileAnswers.pop_front();
        if (typed.empty()) {
            break; // Cancel
        }
        if (IsPattern(typed)) {
            call.pattern = typed;
            continue;
        }
        std::error_code error;
        const std::string named = TypedPath(directory, typed, nullptr);
        if (fs::is_directory(named, error)) {
            directory = named;
            continue; // the dialog opens the directory
        }
        const std::string path = TypedPath(directory, typed, ofn->lpstrDefExt);
        const fs::path chosen(path);
        const bool pathExists = fs::is_directory(chosen.parent_path(), error);
        const bool fileExists = fs::exists(chosen, error);
        if (((ofn->Flags & OFN_PATHMUSTEXIST) != 0 && !pathExists) ||
            (!save && (ofn->Flags & OFN_FILEMUSTEXIST) != 0 && !fileExists)) {
            call.refused.push_back(path);
            continue;
        }
        if (save && (ofn->Flags & OFN_OVERWRITEPROMPT) != 0 && fileExists) {
            call.overwriteQuestions.push_back(path);
            bool replace = true;
            if (!overwriteAnswers.empty()) {
                replace = overwriteAnswers.front();
                overwriteAnswers.pop_front();
            }
            if (!replace) {
                continue; // back to the name box
            }
        }
        if (!StoreFileSelection(ofn, path)) {
            call.refused.push_back(path);
            continue;
        }
        call.chosen = true;
        call.path = path;
        break;
    }
    fileSelections.push_back(call);
    return call.chosen ? TRUE : FALSE;
}

} // namespace orv
