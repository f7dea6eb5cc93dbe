#include "cli/session.h"
#include "cli/report.h"

#include "platform/headless.h"
#include "platform/user.h"
#include "render/hitcount.h"
#include "render/state.h"
#include "render/surfaces.h"
#include "resources/resources.h"
#include "ui/startup.h"
#include "ui/state.h"

#include <utility>

namespace orv {

BatchSession::BatchSession() {
    ResetPlatformState();
    HeadlessBackend& backend = Headless();
    backend.reset();
    backend.onMessageBox = [this](const MessageBoxCall& call) {
        const bool question = (call.type & MB_TYPEMASK) == MB_YESNO;
        messages_.push_back(call.text);
        return question ? IDNO : IDOK;
    };
    ResetRenderState();
    ResetUiState();
    RegisterResources();
    startFailure_ = InitWindowClass(nullptr);
    if (startFailure_ == 0) {
        startFailure_ = CreateMainWindow(nullptr, SW_HIDE);
    }
}

BatchSession::~BatchSession() {
    if (g_hWnd != nullptr && IsWindow(g_hWnd)) {
        DestroyWindow(g_hWnd);
    }
    FreeHitCount();
    g_hWnd = nullptr;
    ResetPlatformState();
    Headless().reset();
}

bool BatchSession::ReportMessages(const Reporter& report) {
    for (const std::string& message : messages_) {
        report(message);
    }
    return !std::exchange(messages_, {}).empty();
}

} // namespace orv
