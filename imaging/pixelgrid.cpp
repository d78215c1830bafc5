#include "imaging/pixelgrid.h"
