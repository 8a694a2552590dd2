#include "model/caption_text.h"

std::string captionText;
