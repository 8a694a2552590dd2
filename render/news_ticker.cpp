#include "render/news_ticker.h"

int32_t tickerPos = 0;
int32_t tickerPause = 0;

void drawTicker() {}
