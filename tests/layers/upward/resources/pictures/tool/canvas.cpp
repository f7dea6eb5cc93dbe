#include "ui/state.h"
#include <QImage>
