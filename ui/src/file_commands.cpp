// The file commands: load a parameter file and render it (155), save one
// (160), and save the image with its parameter file beside it (190). A
// cancelled selection does nothing; a failure is reported in an error box
// owned by the main window.
#include "command_handlers.h"
#include "files/file_name.h"
#include "files/gan.h"
#include "files/selection.h"
#include "files/tga.h"
#include "platform/file_selection.h"
#include "render/state.h"
#include "render/surfaces.h"
#include "ui/driver.h"
#include "ui/mainwindow.h"

#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>

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

// Writes the image; while its rows are written the main window is disabled
// and shows the hourglass.
SaveResult writeImage() {
    HCURSOR previous = nullptr;
    const WhileWriting busy{[&previous] {
                                previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
                                EnableWindow(g_hWnd, FALSE);
                            },
                            [&previous] {
                                EnableWindow(g_hWnd, TRUE);
                                SetCursor(previous);
                            }};
    return writetga(g_vhdc, busy);
}

void report(const std::string& text) {
    MessageBoxA(nullptr, text.c_str(), "WJ Orvantis", MB_ICONINFORMATION);
}

void reportParameters() {
    report(std::string("Parameters saved as ") + sganfiletitle +
           "\n\nLoad via ' File ' menu or by double-clicking.");
}

// Loads the parameter file named in oganfile and starts rendering it.
void loadAndRender(HWND hWnd) {
    redrawNow(hWnd, RDW_NOCHILDREN);
    if (loadgan() == 1) {
        MessageBoxA(hWnd, "Error opening GAN file", "GAN file error", MB_ICONEXCLAMATION);
        return;
    }
    PictureIsObsolete();
    okrun = 0;
    PostMessageA(hWnd, WM_COMMAND, kRenderCommand, 0);
}

// The parameter file goes where the image's name, less its last three
// characters, and "gan" say: an image saved under a name ending in "gan",
// in any case, would be replaced by it.
bool parametersWouldReplaceImage() {
    return EndsInAnyCase(tgafile, "gan");
}

// The user named the image only: a parameter file already beside it is
// replaced only when the user says so; Return keeps it, as in the image's
// own question.
bool mayReplaceParameters(HWND hWnd) {
    char parameters[MAX_PATH];
    std::error_code error;
    if (!ParameterFileBeside(tgafile, parameters) || !std::filesystem::exists(parameters, error)) {
        return true;
    }
    const std::string question =
        std::string(FileTitleOf(parameters)) + " already exists.\nDo you want to replace it?";
    return MessageBoxA(hWnd, question.c_str(), "WJ Orvantis",
                       MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) == IDYES;
}

} // namespace

void LoadParametersCommand(HWND hWnd) {
    if (GetOpenFileNameA(&ogann) == FALSE) {
        return;
    }
    loadAndRender(hWnd);
}

void DroppedFilesCommand(HWND hWnd, HDROP drop) {
    char path[MAX_PATH];
    const UINT length = DragQueryFileA(drop, 0, path, MAX_PATH);
    DragFinish(drop);
    if (okrun != 0 || length < 4 || !EndsInAnyCase(std::string_view(path, length), "gan")) {
        return;
    }
    std::memcpy(oganfile, path, length + 1);
    std::strcpy(oganfiletitle, FileTitleOf(oganfile));
    loadAndRender(hWnd);
}

void SaveParametersCommand(HWND hWnd) {
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
    if (GetSaveFileNameA(&stgan) == FALSE) {
        return;
    }
    redrawNow(hWnd);
    if (const SaveResult result = writeImage(); result != SaveResult::Saved) {
        saveFailed(hWnd, result);
        return;
    }
    report(std::string("Image saved as ") + tgafiletitle);
    if (parametersWouldReplaceImage()) {
        saveFailed(hWnd, "The parameter file was not saved:\nit would have replaced the image.");
        return;
    }
    if (!mayReplaceParameters(hWnd)) {
        return;
    }
    if (const SaveResult result = writegan(1); result != SaveResult::Saved) {
        saveFailed(hWnd, result);
        return;
    }
    reportParameters();
}

} // namespace orv
