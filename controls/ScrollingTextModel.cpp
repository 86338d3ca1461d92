#include "controls/ScrollingTextModel.h"

#include <cmath>

namespace controls {

Rgb KeyColour(Rgb font, Rgb background) {
  constexpr Rgb green{0, 128, 0};
  return font == green || background == green ? Rgb{255, 0, 0} : green;
}

Rgb BackdropColour(int column, int width, int fadeWidth, Rgb font, Rgb background) {
  const int fromEdge = std::min(column, width - 1 - column);
  if (fadeWidth <= 0 || fromEdge >= fadeWidth) return font;
  if (fadeWidth == 1) return background;
  auto mix = [&](std::uint8_t b, std::uint8_t f) {
    return std::uint8_t(std::lround(b + (f - b) * double(fromEdge) / (fadeWidth - 1)));
  };
  return {mix(background.r, font.r), mix(background.g, font.g), mix(background.b, font.b)};
}

int TextTop(TextLayout layout, int controlHeight, int textHeight) {
  switch (layout) {
    case TextLayout::Top:
      return 0;
    case TextLayout::Center:
      return controlHeight / 2 - textHeight / 2;
    case TextLayout::Bottom:
      return controlHeight - textHeight;
  }
  return 0;
}

int Step(int p, TextDirection direction, int controlWidth, int stripWidth) {
  if (direction == TextDirection::RightToLeft) {
    --p;
    if (p <= controlWidth - stripWidth) p = 0;
  } else {
    ++p;
    if (p >= 0) p = controlWidth - stripWidth;
  }
  return p;
}

int StartPosition(TextDirection direction, int controlWidth, int stripWidth) {
  return direction == TextDirection::RightToLeft ? 0 : controlWidth - stripWidth;
}

}  // namespace controls
