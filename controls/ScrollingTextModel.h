#pragma once
// The arithmetic of the scrolling text control: its key colour, its edge
// fade and its one-pixel steps. No toolkit here.

#include <cstdint>

#include "controls/Color.h"

namespace controls {

enum class TextDirection { LeftToRight, RightToLeft };
enum class TextLayout { Top, Center, Bottom };

// The colour the text strip draws its glyphs in, made transparent when the
// strip is laid over the backdrop: green (0, 128, 0), unless the font or
// the background is that green; then red (255, 0, 0).
Rgb KeyColour(Rgb font, Rgb background);

// The backdrop's colour in pixel column `column` of a control `width`
// wide: the font colour, fading into the background colour within
// `fadeWidth` columns of either edge (column 0 and the last one are the
// background's; column fadeWidth - 1 and its mirror the font's).
Rgb BackdropColour(int column, int width, int fadeWidth, Rgb font, Rgb background);

// The top of the text in the strip for the layout.
int TextTop(TextLayout layout, int controlHeight, int textHeight);

// The scroll position after one step: the strip (text width + twice the
// control's width) moves one pixel and starts again once the text has
// gone completely.
int Step(int position, TextDirection direction, int controlWidth, int stripWidth);

// Where the strip starts after loading and after a change of direction.
int StartPosition(TextDirection direction, int controlWidth, int stripWidth);

}  // namespace controls
