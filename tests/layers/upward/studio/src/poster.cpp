#include "studio/poster.h"

void saved() {
    MessageBoxA(nullptr, "Saved", "Poster", MB_OK);
}
