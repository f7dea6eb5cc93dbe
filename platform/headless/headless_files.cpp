// File selections answered by the script of the headless backend.
#include "platform/headless.h"

namespace orv {

BOOL HeadlessBackend::getOpenFileName(OPENFILENAMEA* ofn) {
    return fileSelection(ofn, false);
}

BOOL HeadlessBackend::getSaveFileName(OPENFILENAMEA* ofn) {
    return fileSelection(ofn, true);
}

BOOL HeadlessBackend::fileSelection(OPENFILENAMEA* ofn, bool save) {
    FileSelectionCall call{save,
                           ofn->lpstrTitle != nullptr ? ofn->lpstrTitle : "",
                           ofn->lpstrFilter != nullptr ? ofn->lpstrFilter : "",
                           ofn->lpstrDefExt != nullptr ? ofn->lpstrDefExt : "",
                           ofn->Flags,
                           ofn->lpstrFile != nullptr ? ofn->lpstrFile : "",
                           false};
    fileSelections.push_back(call);
    return FALSE;
}

} // namespace orv
