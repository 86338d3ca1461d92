#pragma once
// Turning a capture of a page into a tab's picture: the scroll-bar strip is
// cut off, the picture smoothed, then shrunk with a plain (unfiltered)
// stretch. And where the enlarged preview goes.

#include "engine/Bitmap.h"

namespace tabs {

// Width of the page's vertical scroll bar, left out of every capture.
inline constexpr int kScrollBarStrip = 20;

// The capture without its rightmost 20 columns; empty when nothing is left.
engine::Bitmap CutScrollBar(const engine::Bitmap& capture);

// Each inner pixel's channels become the integer average of its four
// direct neighbours, in place, rows top to bottom and columns left to
// right: the neighbours above and to the left are already smoothed. The
// outermost rows and columns stay; bitmaps under 3 x 3 are unchanged.
void SmoothBitmap(engine::Bitmap& bitmap);

// Stretches `bitmap` in place to width x height by dropping or repeating
// rows and columns. False (and the bitmap unchanged) when it cannot.
bool ResizeBmp(engine::Bitmap& bitmap, int width, int height);

// The preview panel's size for a screen: a quarter of its width and the
// height divided by 4.15, both truncated.
int PreviewWidthFor(int screenWidth);
int PreviewHeightFor(int screenHeight);

// Left of a preview `previewWidth` wide for a thumbnail whose tab panel
// sits at `panelLeft` in a strip scrolled to `stripLeft`: under the tab
// when it fits, else ending with the tab, and never left of the window.
// `currentLeft` is kept when the preview would end exactly at the client's
// right edge.
int PreviewLeft(int panelLeft, int stripLeft, bool leftScrollButtonShown, int clientWidth, int previewWidth,
                int currentLeft);

}  // namespace tabs
