// Dialogs run by the script of the headless backend.
#include "platform/dialog.h"
#include "platform/headless.h"
#include "platform/window.h"

namespace orv {

void HeadlessBackend::runDialog(HWND dialog) {
    DialogCall call;
    call.caption = dialog->title;
    for (HWND control : DialogControls(dialog)) {
        call.texts[control->id] = control->title;
        call.checks[control->id] = control->checked;
        call.enabled[control->id] = control->enabled;
    }
    dialogs.push_back(call);
    if (!dialogScripts.empty()) {
        auto script = std::move(dialogScripts.front());
        dialogScripts.pop_front();
        script(dialog);
    }
    if (!DialogEnded(dialog)) {
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }
    if (!DialogEnded(dialog)) {
        EndDialog(dialog, IDCANCEL);
    }
}

} // namespace orv
