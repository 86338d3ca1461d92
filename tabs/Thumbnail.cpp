#include "tabs/Thumbnail.h"

#include <algorithm>

#include <cstring>
#include <new>
#include <utility>

#include "tabs/StripLayout.h"

namespace tabs {

engine::Bitmap CutScrollBar(const engine::Bitmap& capture) {
  const int width = capture.width - kScrollBarStrip;
  if (width <= 0 || capture.height <= 0) return {};
  engine::Bitmap out(width, capture.height);
  for (int y = 0; y < capture.height; ++y)
    std::memcpy(out.pixel(0, y), capture.pixel(0, y), std::size_t(width) * 3);
  return out;
}

void SmoothBitmap(engine::Bitmap& bitmap) {
  const int w = bitmap.width;
  const int h = bitmap.height;
  if (w < 3 || h < 3) return;
  const std::size_t stride = std::size_t(w) * 3;
  for (int y = 1; y < h - 1; ++y) {
    std::uint8_t* row = bitmap.rgb.data() + std::size_t(y) * stride;
    const std::uint8_t* above = row - stride;
    const std::uint8_t* below = row + stride;
    for (std::size_t i = 3; i < stride - 3; ++i)
      row[i] = std::uint8_t((unsigned(above[i]) + below[i] + row[i - 3] + row[i + 3]) >> 2);
  }
}

bool ResizeBmp(engine::Bitmap& bitmap, int width, int height) {
  if (width <= 0 || height <= 0 || bitmap.empty()) return false;
  try {
    engine::Bitmap out(width, height);
    for (int y = 0; y < height; ++y) {
      const int sy = int(std::int64_t(y) * bitmap.height / height);
      const std::uint8_t* src = bitmap.pixel(0, sy);
      std::uint8_t* dst = out.pixel(0, y);
      for (int x = 0; x < width; ++x) {
        const std::uint8_t* p = src + std::size_t(std::int64_t(x) * bitmap.width / width) * 3;
        dst[0] = p[0];
        dst[1] = p[1];
        dst[2] = p[2];
        dst += 3;
      }
    }
    bitmap = std::move(out);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

int PreviewWidthFor(int screenWidth) { return int(screenWidth / 4.0); }
int PreviewHeightFor(int screenHeight) { return int(screenHeight / 4.15); }

int PreviewLeft(int panelLeft, int stripLeft, bool leftScrollButtonShown, int clientWidth, int previewWidth,
                int currentLeft) {
  // From the panel's left edge; when that would run past the right edge,
  // the preview ends where the tab panel (110 wide to its close button's
  // edge) ends, but never starts left of the window.
  const int x = panelLeft + stripLeft + (leftScrollButtonShown ? kScrollButtonWidth : 0);
  if (x + previewWidth < clientWidth) return x;
  if (x + previewWidth > clientWidth) return std::max(0, x + 110 - previewWidth);
  return currentLeft;
}

}  // namespace tabs
