// The commands other than 165, each carried out by its handler while
// rendering is paused.
#include "ui/commands.h"
#include "command_handlers.h"
#include "render/state.h"
#include "resources/resources.h"

namespace orv {

void CommandHandler(HWND hWnd, UINT id) {
    if (okrun != 0) {
        return;
    }
    switch (id) {
    case kHelpTopics:
        HelpCommand();
        break;
    case kAbout:
        AboutCommand(hWnd);
        break;
    case kAttractorType:
        AttractorTypeCommand(hWnd);
        break;
    case kParameters:
        ParametersCommand(hWnd);
        break;
    case kRandomParameters:
        RandomParametersCommand(hWnd);
        break;
    case kColoringMethod:
        ColoringMethodCommand(hWnd);
        break;
    case kBackgroundColor:
        BackgroundColorCommand(hWnd);
        break;
    case kPaletteFile:
        PaletteFileCommand(hWnd);
        break;
    case kDefaultPalette1:
    case kDefaultPalette2:
        DefaultPaletteCommand(hWnd, id);
        break;
    case kClearScreen:
        ClearScreenCommand(hWnd);
        break;
    case kLoadParameters:
        LoadParametersCommand(hWnd);
        break;
    case kSaveParameters:
        SaveParametersCommand(hWnd);
        break;
    case kLyapunovMap:
        LyapunovMapCommand(hWnd);
        break;
    case kNormalize:
    case kEqualize:
    case kHitCountLog:
    case kHitCountLogSquared:
        FilterCommand(id);
        break;
    case kSaveImage:
        SaveImageCommand(hWnd);
        break;
    case kExit:
        ExitCommand(hWnd);
        break;
    case kParameterDisplay:
        ParameterDisplayCommand();
        break;
    case kGhostImage:
        GhostImageCommand();
        break;
    default:
        break;
    }
}

} // namespace orv
