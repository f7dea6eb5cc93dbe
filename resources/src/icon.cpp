// The program's icon "WJORVANTISICON": a gold attractor in a dark red frame,
// drawn with the render engine when the program is built.
#include "resources/pictures.h"
#include "resources/resources.h"

namespace orv {

IconResource MainIcon() {
    return PictureIcon(kIconName);
}

} // namespace orv
