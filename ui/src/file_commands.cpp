// The file commands: load a parameter file and render it (155), save one
// (160), and save the image with its parameter file beside it (190). A
// cancelled selection does nothing; a failure is reported in an error box
// owned by the main window.
#include "command_handlers.h"
#include "files/gan.h"
#include "files/selection.h"
#include "files/tga.h"
#include "render/state.h"
#include "render/surfaces.h"
#include "ui/driver.h"

#include <cstring>
#include <string>

namespace orv {

namespace {

void redrawNow(HWND hWnd, UINT more = 0) {
    RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | more);
}

void saveFailed(HWND hWnd, const char* text) {
    MessageBoxA(hWnd, text, "Save file error", MB_ICONEXCLAMATION);
}

void saveFailed(HWND hWnd, SaveResult result) {
    saveFailed(hWnd, SaveErrorText(result));
}

void report(const std::string& text) {
    MessageBoxA(nullptr, text.c_str(), "WJ Orvantis", MB_ICONINFORMATION);
}

void reportParameters() {
    report(std::string("Parameters saved as ") + sganfiletitle +
           "\n\nLoad via ' File ' menu or by double-clicking.");
}

// The parameter file goes where the image's name, less its last three
// characters, and "gan" say: an image saved under a name ending in "gan"
// would be replaced by it.
bool parametersWouldReplaceImage() {
    const std::size_t length = std::strlen(tgafile);
    return length >= 3 && std::strcmp(tgafile + length - 3, "gan") == 0;
}

} // namespace

void LoadParametersCommand(HWND hWnd) {
    ogann.lpstrFile = oganfile;
    if (GetOpenFileNameA(&ogann) == FALSE) {
        return;
    }
    redrawNow(hWnd, RDW_NOCHILDREN);
    if (loadgan() == 1) {
        MessageBoxA(hWnd, "Error opening GAN file", "GAN file error", MB_ICONEXCLAMATION);
        return;
    }
    firstloop = 1;
    okrun = 0;
    PostMessageA(hWnd, WM_COMMAND, kRenderCommand, 0);
}

void SaveParametersCommand(HWND hWnd) {
    sgann.lpstrFile = sganfile;
    if (GetSaveFileNameA(&sgann) == FALSE) {
        return;
    }
    redrawNow(hWnd);
    if (const SaveResult result = writegan(0); result != SaveResult::Saved) {
        saveFailed(hWnd, result);
        return;
    }
    reportParameters();
}

void SaveImageCommand(HWND hWnd) {
    stgan.lpstrFile = tgafile;
    if (GetSaveFileNameA(&stgan) == FALSE) {
        return;
    }
    redrawNow(hWnd);
    if (const SaveResult result = writetga(g_vhdc); result != SaveResult::Saved) {
        saveFailed(hWnd, result);
        return;
    }
    report(std::string("Image saved as ") + tgafiletitle);
    if (parametersWouldReplaceImage()) {
        saveFailed(hWnd, "The parameter file was not saved:\nit would have replaced the image.");
        return;
    }
    if (const SaveResult result = writegan(1); result != SaveResult::Saved) {
        saveFailed(hWnd, result);
        return;
    }
    reportParameters();
}

} // namespace orv
