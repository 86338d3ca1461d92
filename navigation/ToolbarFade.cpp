#include "navigation/ToolbarFade.h"

namespace navigation {

int FadeStep(int alpha, const Pointer& p) {
  if (p.y > 0 && p.y < p.toolbarHeight) alpha = kOpaque;
  const bool near = p.y >= 0 && p.y <= p.toolbarHeight && p.x >= 0 && p.x <= p.mainWidth;
  if (near) return alpha;
  if (alpha > 100) alpha -= 1;
  if (alpha > 50 && alpha <= 110) alpha -= 5;
  return alpha;
}

bool NoticeFade::Tick() {
  ++ticks;
  alpha -= 50;
  if (ticks < 4) return false;
  alpha = kOpaque;
  ticks = 0;
  running = false;
  return true;
}

}  // namespace navigation
