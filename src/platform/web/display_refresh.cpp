#include "platform/display_refresh.h"

// A page cannot ask the display; the browser draws at its own pace anyway.
int DisplayRefreshRate() { return FALLBACK_REFRESH_HZ; }
