#include "palette/palette.h"
#include <QImage>
