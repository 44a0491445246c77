#include "display.h"
