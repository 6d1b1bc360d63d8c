#include "pictures/draw.h"
#include "widgets/transitions.h"

void CrossfadeFrame(const Panel& panel, float progress, Picture& screen) {
  if (!(progress > 0.0f && progress < 1.0f)) return;
  const int32_t top = PanelTopHeight(panel);
  Blit(panel.oldPage, 0, top, screen, DRAW_OPAQUE, 1.0f);
  Blit(panel.newPage, 0, top, screen, DRAW_ALPHA, progress);
}
