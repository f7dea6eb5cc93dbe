#include "render/state.h"
