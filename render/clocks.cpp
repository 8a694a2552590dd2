#include "render/clocks.h"

int32_t londonHour = 0;
int32_t newYorkHour = 0;
int32_t beijingHour = 0;
int32_t cityMinute = 0;

void updateCityTimes() {}
void drawGlobeClocks() {}
void drawDialClocks() {}
