#pragma once
// World clocks: four dial clocks in the overlay and seven small clocks on the equator.
#include <cstdint>

// City times, from UTC and the summer-time flags; updated every frame.
extern int32_t londonHour;
extern int32_t newYorkHour;
extern int32_t beijingHour;
extern int32_t cityMinute;

void updateCityTimes();
// In the globe's model frame.
void drawGlobeClocks();
// In the overlay frame.
void drawDialClocks();
