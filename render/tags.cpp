#include "render/tags.h"

void drawTag(int32_t /*index*/) {}
void drawTags() {}
