// The accelerator table "WJORVANTISMENU": every entry is a virtual key.
// F10 gives 140 as F9 does; 145 has no key, 198 and 199 no menu item.
#include "resources/resources.h"

namespace orv {

std::vector<ACCEL> MainAcceleratorTable() {
    constexpr BYTE v = FVIRTKEY;
    return {
        {v, VK_F1, kHelpTopics},
        {v, VK_F2, kAbout},
        {v, VK_F3, kAttractorType},
        {v, VK_F4, kParameters},
        {v, VK_F5, kRandomParameters},
        {v, VK_F6, kColoringMethod},
        {v, VK_F7, kBackgroundColor},
        {v, VK_F8, kPaletteFile},
        {v, VK_F9, kDefaultPalette1},
        {v, VK_F10, kDefaultPalette1},
        {v, VK_F11, kClearScreen},
        {v, 'C', kHitCountLog},
        {v | FALT, 'C', kHitCountLogSquared},
        {v, 'E', kEqualize},
        {v, 'L', kLoadParameters},
        {v, 'M', kLyapunovMap},
        {v, 'N', kNormalize},
        {v, 'P', kSaveParameters},
        {v, 'R', kRenderPauseResume},
        {v, 'S', kSaveImage},
        {v, VK_ESCAPE, kExit},
        {v | FCONTROL | FALT, 'D', kParameterDisplay},
        {v | FCONTROL | FALT, 'G', kGhostImage},
    };
}

} // namespace orv
