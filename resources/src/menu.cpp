// The menu "WJORVANTISMENU". The top-level titles end in six blanks, as
// they always have; item 140 starts checked.
#include "resources/resources.h"

namespace orv {

namespace {

MenuTemplateItem item(UINT id, const char* text, UINT flags = 0) {
    return MenuTemplateItem{id, text, flags, {}};
}

MenuTemplateItem separator() {
    return MenuTemplateItem{};
}

MenuTemplateItem popup(const char* title, std::vector<MenuTemplateItem> items) {
    return MenuTemplateItem{0, title, MF_POPUP, std::move(items)};
}

} // namespace

std::vector<MenuTemplateItem> MainMenuTemplate() {
    return {
        popup("File      ", {item(kLoadParameters, "Load Parameter File (L)"),
                             item(kSaveImage, "Save Image and Parameters (S)"),
                             item(kSaveParameters, "Save Parameters Only (P)"), separator(),
                             item(kExit, "Exit (Esc)")}),
        popup("Render      ",
              {item(kRenderPauseResume, "Render / Pause / Resume (R)"), separator(),
               item(kLyapunovMap, "Lyapunov Map (M)"), separator(),
               item(kNormalize, "Normalize (N)"), item(kEqualize, "Equalize (E)"),
               popup("Hit Count Log Normalization",
                     {item(kHitCountLog, "Hit Count Log (C)"),
                      item(kHitCountLogSquared, "Hit Count Log Squared (Alt + C)")})}),
        popup("Options      ",
              {item(kAttractorType, "Attractor Type (F3)"), separator(),
               item(kParameters, "Parameters (F4)"),
               item(kRandomParameters, "Random Parameter Set (F5)"), separator(),
               item(kColoringMethod, "Coloring Method (F6)"),
               item(kBackgroundColor, "Background Color (F7)"), item(kPaletteFile, "Palette (F8)"),
               item(kDefaultPalette1, "Default Palette 1 (F9)", MF_CHECKED),
               item(kDefaultPalette2, "Default Palette 2 (F10)"), separator(),
               item(kClearScreen, "Clear Screen (F11)")}),
        popup("Help",
              {item(kHelpTopics, "Help Topics (F1)"), separator(), item(kAbout, "About (F2)")}),
    };
}

} // namespace orv
