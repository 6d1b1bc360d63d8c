#include "platform/window_icon.h"

void SetWindowIconFromBmp(const std::vector<uint8_t>&) {}
