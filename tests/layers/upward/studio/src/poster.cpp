#include "render/kernel.h"
#include "render/state.h"
