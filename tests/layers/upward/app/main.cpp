#include "cli/batch.h"
#include <QApplication>
