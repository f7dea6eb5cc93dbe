// Makes the resources known to the platform under their names.
#include "resources/resources.h"

#include "resources/pictures.h"

namespace orv {

void RegisterResources() {
    RegisterMenuResource(kMenuName, MainMenuTemplate());
    RegisterAcceleratorResource(kMenuName, MainAcceleratorTable());
    RegisterDialogResource(kTypeDialog, TypeDialogTemplate());
    RegisterDialogResource(kParamDialog, ParamDialogTemplate());
    RegisterDialogResource(kBackgroundDialog, BackgroundDialogTemplate());
    RegisterDialogResource(kColoringDialog, ColoringMethodDialogTemplate());
    RegisterIconResource(MainIcon());
    RegisterPictures();
}

} // namespace orv
