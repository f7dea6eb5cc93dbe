#include "ui/state.h"

namespace orv {

ProgramState program;
DialogState dialogs;
Advisories advisories;

const char* const errormessage[4] = {
    "Couldn't register main window class.",
    "Couldn't register popup window class.",
    "Couldn't create main window.",
    "Couldn't initialize graphics.",
};

const char szWinName[] = "WJWindow";
const char szPopupWinName[] = "WJPopupWindow";
const char szSplashWinName[] = "WJSplashWindow";
const char szSplash2WinName[] = "WJSplash2Window";

void ResetUiState() {
    program = ProgramState{};
    dialogs = DialogState{};
    advisories = Advisories{};
}

} // namespace orv
