// The program's resources: the names they are registered under, the command
// ids of the menu and the accelerator table, and the dialog templates' ids.
#pragma once

#include "platform/dialog.h"
#include "platform/menu.h"

#include <vector>

namespace orv {

// Resource names.
constexpr const char* kMenuName = "WJORVANTISMENU";
constexpr const char* kIconName = "WJORVANTISICON";

// Commands.
constexpr UINT kHelpTopics = 100;
constexpr UINT kAbout = 105;
constexpr UINT kAttractorType = 110;
constexpr UINT kParameters = 115;
constexpr UINT kRandomParameters = 120;
constexpr UINT kColoringMethod = 125;
constexpr UINT kBackgroundColor = 130;
constexpr UINT kPaletteFile = 135;
constexpr UINT kDefaultPalette1 = 140;
constexpr UINT kDefaultPalette2 = 145;
constexpr UINT kClearScreen = 150;
constexpr UINT kLoadParameters = 155;
constexpr UINT kSaveParameters = 160;
constexpr UINT kRenderPauseResume = 165;
constexpr UINT kLyapunovMap = 168;
constexpr UINT kNormalize = 170;
constexpr UINT kEqualize = 175;
constexpr UINT kHitCountLog = 180;
constexpr UINT kHitCountLogSquared = 185;
constexpr UINT kSaveImage = 190;
constexpr UINT kExit = 192;
constexpr UINT kParameterDisplay = 198;
constexpr UINT kGhostImage = 199;

// Dialog templates.
constexpr WORD kTypeDialog = 200;
constexpr WORD kParamDialog = 300;
constexpr WORD kBackgroundDialog = 400;
constexpr WORD kColoringDialog = 500;

// The resources as data, and their registration with the platform.
std::vector<MenuTemplateItem> MainMenuTemplate();
std::vector<ACCEL> MainAcceleratorTable();
DialogTemplate TypeDialogTemplate();
DialogTemplate ParamDialogTemplate();
DialogTemplate BackgroundDialogTemplate();
DialogTemplate ColoringMethodDialogTemplate();
IconResource MainIcon();

// Registers every resource above under its name; the program calls it once
// before it creates its windows.
void RegisterResources();

} // namespace orv
