#include "studio/poster.h"
#include "render/kernel.h"
#include "render/state.h"

void saved() {
    MessageBoxA(nullptr, "Saved", "Poster", MB_OK);
}
