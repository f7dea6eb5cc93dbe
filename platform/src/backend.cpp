// The installed backend, and the file selections that forward to it.
#include "platform/backend.h"
#include "platform/commdlg.h"
#include "platform/headless.h"

namespace orv {

namespace {

Backend*& installed() {
    static Backend* backend = nullptr;
    return backend;
}

} // namespace

Backend& CurrentBackend() {
    Backend* backend = installed();
    return backend != nullptr ? *backend : Headless();
}

Backend* InstallBackend(Backend* backend) {
    Backend* previous = installed();
    installed() = backend;
    return previous;
}

BOOL GetOpenFileNameA(OPENFILENAMEA* ofn) {
    return ofn != nullptr ? CurrentBackend().getOpenFileName(ofn) : FALSE;
}

BOOL GetSaveFileNameA(OPENFILENAMEA* ofn) {
    return ofn != nullptr ? CurrentBackend().getSaveFileName(ofn) : FALSE;
}

} // namespace orv
