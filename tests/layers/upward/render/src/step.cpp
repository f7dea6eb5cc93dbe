#include "render/plot.h"
#include "platform/gdi.h"
#include "analysis/lmap.h"

#include <cmath>
