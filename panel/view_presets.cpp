#include "panel/view_presets.h"

char presetSection[6] = "bank1";
