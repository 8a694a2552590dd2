#include "render/scene.h"

platform::DateTime localTime{};
platform::DateTime utcTime{};
int32_t labelPhase = 0;
uint32_t phaseTickDue = 0;
int32_t phaseTickCount = 0;

void drawScene() {}
